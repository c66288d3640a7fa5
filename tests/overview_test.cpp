// The class's overview: its counts against the independent evaluator over random sets with
// random answers, the marks on the scale's edges, and the CSV cell by cell.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "codes/items.h"
#include "evaluator.h"
#include "marking/overview.h"

namespace ciferon {
namespace {

using testing::checkExercise;
using testing::eitherBracketQuotient;
using testing::exerciseValue;

TEST(Overview, CountsAgreeWithTheEvaluatorOverRandomSets) {
    std::mt19937 engine(20261209);
    const auto below = [&engine](int n) {
        return static_cast<int>(engine() % static_cast<unsigned>(n));
    };
    int namedMistakes = 0;
    for (int round = 0; round < 40; ++round) {
        SetFile set;
        const int sheets = 1 + below(classSetMax);
        // What the evaluator says each answer is: per sheet the right ones, per kind (kinds 1
        // and 2, which it cannot always tell apart, also together) the right ones and all.
        std::vector<int> right(static_cast<std::size_t>(sheets), 0);
        std::array<int, eitherBracketQuotient + 1> kindRight{};
        std::array<int, eitherBracketQuotient + 1> kindTotal{};
        // How often each exercise, by its text, was not right on the sheets handed in.
        std::map<std::string, int> notRight;
        int handedIn = 0;
        int notNumbers = 0;
        for (int s = 0; s < sheets; ++s) {
            Sheet sheet{static_cast<std::uint32_t>(engine() % sheetSeeds), 1 + below(30),
                        1 + below(sheetSeparatorMax),
                        below(3) == 0 ? allKinds : static_cast<KindChoice>(1 + below(allKinds))};
            SetSheet entry{sheet, below(5) == 0, below(2) == 0 ? "Žák " + std::to_string(s) : "",
                           std::nullopt};
            if (below(6) == 0) {
                set.sheets.push_back(entry);
                continue;
            }
            ++handedIn;
            std::string answers;
            const std::vector<SheetItem> items = sheetItems(sheet);
            for (const SheetItem& item : items) {
                const auto value = exerciseValue(item.exercise);
                const int kind = checkExercise(item.exercise, solutionLine(item)).kind;
                ASSERT_TRUE(value.has_value() && kind >= 0) << item.exercise;
                const int choice = below(4);
                const int shown = choice == 1 ? value->value + 1 + below(9) : value->value;
                const std::string remainder =
                    value->remainder
                        ? (below(2) == 0 ? " (" + std::to_string(*value->remainder) + ")"
                                         : " zb. " + std::to_string(*value->remainder))
                        : "";
                // Half the wrong answers are a common mistake's, so that mistakes are named.
                const WrongAnswers slips = wrongAnswers(item);
                const std::string line =
                    choice == 2   ? ""
                    : choice == 3 ? std::to_string(shown) + "x"
                    : choice == 1 && !slips.empty() && below(2) == 0
                        ? resultText(
                              slips[static_cast<std::size_t>(below(static_cast<int>(slips.size())))]
                                  .answer)
                        : std::to_string(shown) + remainder;
                answers += line + (below(2) == 0 ? "\r\n" : "\n");
                ++kindTotal.at(static_cast<std::size_t>(kind));
                if (choice == 0) {
                    ++right[static_cast<std::size_t>(s)];
                    ++kindRight.at(static_cast<std::size_t>(kind));
                } else {
                    ++notRight[item.exercise];
                }
                notNumbers += choice == 3 ? 1 : 0;
            }
            const FileMarks marked = markAnswerFile(answers, items);
            ASSERT_EQ(marked.fault, FileMarks::Fault::None);
            entry.row = rowOfAnswerFile(answers, marked);
            set.sheets.push_back(entry);
        }
        const Overview overview = overviewOf(set);
        ASSERT_EQ(overview.pupils.size(), set.sheets.size());
        EXPECT_EQ(overview.handedIn, handedIn);
        std::vector<MarkedAnswer> all;
        for (std::size_t s = 0; s < set.sheets.size(); ++s) {
            const PupilResult& pupil = overview.pupils[s];
            EXPECT_EQ(pupil.handedIn, set.sheets[s].row.has_value());
            EXPECT_EQ(pupil.right, pupil.handedIn ? right[s] : 0) << "sheet " << s + 1;
            EXPECT_EQ(pupil.total, set.sheets[s].sheet.count);
            if (pupil.handedIn) {
                all.insert(all.end(), set.sheets[s].row->marks.begin(),
                           set.sheets[s].row->marks.end());
            }
        }
        // Per kind: exactly, and kinds 1 and 2 together where the evaluator could not tell.
        std::array<KindResult, kindCount> byKind{};
        for (const KindResult& kind : overview.kinds) {
            byKind.at(static_cast<std::size_t>(kind.kind)) = kind;
        }
        for (std::size_t k = 0; k < byKind.size(); ++k) {
            if (k == 1 || k == 2) {
                continue;
            }
            EXPECT_EQ(byKind.at(k).right, kindRight.at(k)) << "kind " << k;
            EXPECT_EQ(byKind.at(k).total, kindTotal.at(k)) << "kind " << k;
        }
        EXPECT_EQ(byKind[1].right + byKind[2].right,
                  kindRight[1] + kindRight[2] + kindRight[eitherBracketQuotient]);
        EXPECT_EQ(byKind[1].total + byKind[2].total,
                  kindTotal[1] + kindTotal[2] + kindTotal[eitherBracketQuotient]);
        for (std::size_t i = 1; i < overview.kinds.size(); ++i) {
            const KindResult& a = overview.kinds[i - 1];
            const KindResult& b = overview.kinds[i];
            EXPECT_TRUE(b.total == 0 || static_cast<long long>(a.right) * b.total <=
                                            static_cast<long long>(b.right) * a.total)
                << "kinds not weakest first";
        }
        // The mistakes as --check's summary counts them over every answer handed in.
        const std::vector<std::string> expected = mistakeSummaryLines(all);
        ASSERT_EQ(overview.mistakes.size(), expected.size());
        namedMistakes += static_cast<int>(expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const MistakeResult& mistake = overview.mistakes[i];
            EXPECT_EQ("– " + std::string(mistakeText(mistake.mistake)) + ": " +
                          std::to_string(mistake.count) + "×",
                      expected[i]);
            EXPECT_NE(overviewText(set, overview).find(expected[i] + "\n  listy: "),
                      std::string::npos);
        }
        // Answers that are not numbers count as not right, and those unreadable as such.
        int unreadable = 0;
        for (const MarkedAnswer& marked : all) {
            unreadable += marked.mark == Mark::Unreadable ? 1 : 0;
        }
        EXPECT_EQ(overview.unreadable, unreadable);
        EXPECT_LE(unreadable, notNumbers);
        // The exercises most often not right, by their text: the first as often as any.
        int most = 0;
        for (const auto& [exercise, count] : notRight) {
            most = std::max(most, count);
        }
        ASSERT_EQ(overview.hardest.empty(), most == 0);
        if (most > 0) {
            EXPECT_EQ(overview.hardest.front().notRight, most);
            for (const ExerciseResult& exercise : overview.hardest) {
                EXPECT_EQ(exercise.notRight, notRight[exercise.exercise]) << exercise.exercise;
            }
        }
    }
    EXPECT_GT(namedMistakes, 40) << "too few mistakes named to test their counts";
}

TEST(Overview, MarksOnTheExactFractionAndPercentRoundedHalfUp) {
    const MarkScale usual;
    const MarkScale strict{{95, 85, 60, 40}};
    const struct {
        int right, total;
        const MarkScale& scale;
        int mark, percent;
    } rows[] = {
        {27, 30, usual, 1, 90},  {26, 30, usual, 2, 87},   {9, 12, usual, 2, 75},
        {8, 11, usual, 3, 73},   {1, 2, usual, 3, 50},     {5, 11, usual, 4, 45},
        {3, 10, usual, 4, 30},   {29, 100, usual, 5, 29},  {0, 20, usual, 5, 0},
        {1, 8, usual, 5, 13},    {179, 200, usual, 2, 90},  // 89.5 %: shown 90, still a 2
        {19, 20, strict, 1, 95}, {18, 20, strict, 2, 90},  {2, 3, strict, 3, 67},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(markOf(row.right, row.total, row.scale), row.mark)
            << row.right << "/" << row.total;
        EXPECT_EQ(percentOf(row.right, row.total), row.percent) << row.right << "/" << row.total;
    }
    const struct {
        const char* typed = nullptr;
        std::optional<MarkScale> scale;
    } scales[] = {
        {"90,75,50,30", usual},
        {" 95, 85 ,60,40 ", strict},
        {"100,99,1,0", MarkScale{{100, 99, 1, 0}}},
        {"90,75,50", std::nullopt},
        {"90,75,50,30,10", std::nullopt},
        {"90,90,50,30", std::nullopt},
        {"75,90,50,30", std::nullopt},
        {"101,75,50,30", std::nullopt},
        {"90,75,,30", std::nullopt},
        {"90;75;50;30", std::nullopt},
        {"90,75,50,-1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : scales) {
        EXPECT_EQ(readMarkScale(row.typed), row.scale) << row.typed;
    }
}

TEST(Overview, CsvAsCzechSpreadsheetsReadIt) {
    SetFile set;
    const Sheet sheet = *readSheetCode("1DX2-DT93");
    SheetRow row;
    row.marks.assign(20, MarkedAnswer{Mark::Right, 0});
    row.marks[0] = {Mark::Wrong, static_cast<MistakeSet>(mistakeBit(Mistake::LeftToRight) |
                                                         mistakeBit(Mistake::OneSign))};
    row.marks[1] = {Mark::Wrong, mistakeBit(Mistake::LeftToRight)};
    row.marks[2] = {Mark::Unreadable, 0};
    set.sheets = {{sheet, false, "=1+1", row},
                  {sheet, false, "Novák; \"Pepa\"", std::nullopt},
                  {sheet, false, "", row}};
    std::string header = "\xEF\xBB\xBFList;Jméno;Kód;Správně;Celkem;Procent;Známka";
    for (int m = 0; m < mistakeCount; ++m) {
        header.append(";").append(mistakeText(static_cast<Mistake>(m)));
    }
    EXPECT_EQ(overviewCsv(overviewOf(set)), header +
                                                "\r\n"
                                                "1;'=1+1;1DX2-DT93;17;20;85;2;2;0;0;0;0;0;1\r\n"
                                                "2;\"Novák; \"\"Pepa\"\"\";1DX2-DT93;;;;;;;;;;;\r\n"
                                                "3;;1DX2-DT93;17;20;85;2;2;0;0;0;0;0;1\r\n");
}

}  // namespace
}  // namespace ciferon
