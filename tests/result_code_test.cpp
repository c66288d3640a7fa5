// The pupil's result code: the golden table pins codes that pupils have written down, marks of
// every kind round-trip, every one-symbol change and neighbour swap is refused, the lengths
// promised hold, and a set entered by result codes has the overview of its answers.
#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "classset/set_entry.h"
#include "codes/code_symbols.h"
#include "codes/items.h"
#include "codes/result_code.h"
#include "marking/answer_file.h"
#include "marking/overview.h"
#include "texts/texts.h"

namespace ciferon {
namespace {

constexpr MarkedAnswer right{Mark::Right, 0};
constexpr MarkedAnswer none{Mark::Unanswered, 0};
constexpr MarkedAnswer unreadable{Mark::Unreadable, 0};
constexpr MarkedAnswer wrong{Mark::Wrong, 0};
constexpr MarkedAnswer wrongWith(Mistake mistake) {
    return {Mark::Wrong, mistakeBit(mistake)};
}

std::vector<MarkedAnswer> allRight(int count) {
    std::vector<MarkedAnswer> marks(static_cast<std::size_t>(count), right);
    return marks;
}

// Marks with the given ones at their places, the rest right.
std::vector<MarkedAnswer> marksWith(int count,
                                    std::initializer_list<std::pair<int, MarkedAnswer>> at) {
    auto marks = allRight(count);
    for (const auto& [place, marked] : at) {
        marks.at(static_cast<std::size_t>(place)) = marked;
    }
    return marks;
}

struct Golden {
    const char* code;
    Sheet sheet;
    std::vector<MarkedAnswer> marks;
};

// Never change a row: pupils have written these codes down.
const std::vector<Golden>& golden() {
    static const std::vector<Golden> rows{
        {"7QQ0-0G", {1234567, 20, 5}, allRight(20)},
        {"7QQ1-AP08-C", {1234567, 20, 5}, marksWith(20, {{0, none}, {19, unreadable}})},
        {"4WA2-PTQ6-GG9J",
         {8589933, 20, 5},
         marksWith(20, {{2, wrongWith(Mistake::LeftToRight)},
                        {5, wrongWith(Mistake::CarryForgotten)},
                        {9, wrong},
                        {13, none},
                        {17, wrongWith(Mistake::OneSign)}})},
        {"43Q2-0SWF-0C0V",
         {31337, 5, 2, 0x0400},
         marksWith(5,
                   {{0, wrongWith(Mistake::RemainderTooLarge)},
                    {1, wrongWith(Mistake::RemainderMissing)},
                    {2, wrongWith(Mistake::Swapped)},
                    {3,
                     {Mark::Wrong, static_cast<MistakeSet>(mistakeBit(Mistake::RemainderMissing) |
                                                           mistakeBit(Mistake::Swapped))}}})},
        {"40WG-NV", {0, 1, 1}, {wrongWith(Mistake::UnitsReversed)}},
        {"65WF-0000-0000-0000-0000-0000-0000-0G",
         {4242, 30, 7},
         std::vector<MarkedAnswer>(30, none)},
    };
    return rows;
}

TEST(ResultCode, GoldenCodesReadAsTheirMarks) {
    for (const auto& row : golden()) {
        EXPECT_EQ(resultCode(row.sheet, row.marks), row.code) << sheetCode(row.sheet);
        const ResultCodeReading read = readResultCode(row.sheet, row.code);
        EXPECT_EQ(read.fault, ResultCodeFault::None) << row.code;
        EXPECT_EQ(read.marks, row.marks) << row.code;
    }
}

// Every mark the check gives, in the first, a middle and the last place, on sheets of every
// length from 1 to 30: read back as made, typed in any case, with blanks or the number row.
TEST(ResultCode, MarksOfEveryKindRoundTrip) {
    std::vector<MarkedAnswer> kinds{right, none, unreadable, wrong};
    for (int m = 0; m < mistakeCount; ++m) {
        kinds.push_back(wrongWith(static_cast<Mistake>(m)));
    }
    kinds.push_back({Mark::Wrong, allMistakes});
    kinds.push_back({Mark::Wrong, static_cast<MistakeSet>(mistakeBit(Mistake::CarryForgotten) |
                                                          mistakeBit(Mistake::UnitsReversed))});
    for (int count = 1; count <= resultCodeExercisesMax; ++count) {
        const Sheet sheet{static_cast<std::uint32_t>(count * 7919), count, 5};
        for (const MarkedAnswer& marked : kinds) {
            for (const int place : {0, count / 2, count - 1}) {
                const auto marks = marksWith(count, {{place, marked}});
                const auto code = resultCode(sheet, marks);
                ASSERT_TRUE(code.has_value());
                EXPECT_EQ(readResultCode(sheet, *code).marks, marks) << *code;
                std::string typed;
                for (const char c : *code) {
                    typed += c == '-' ? std::string(" ")
                                      : std::string(1, static_cast<char>(std::tolower(c)));
                }
                EXPECT_EQ(readResultCode(sheet, typed).marks, marks) << typed;
            }
        }
    }
    // The Czech number row types digits, as in sheet codes.
    const Sheet sheet{1234567, 20, 5};
    const auto marks = marksWith(20, {{3, wrongWith(Mistake::LeftToRight)}});
    std::string typed = *resultCode(sheet, marks);
    constexpr std::array<const char*, 10> row{"é", "+", "ě", "š", "č", "ř", "ž", "ý", "á", "í"};
    std::string czech;
    for (const char c : typed) {
        czech +=
            c >= '0' && c <= '9' ? row.at(static_cast<std::size_t>(c - '0')) : std::string(1, c);
    }
    EXPECT_EQ(readResultCode(sheet, czech).marks, marks) << czech;
}

// Random marks on random sheets, and the golden codes: every symbol changed to every other and
// every two neighbours swapped is refused as a code that is not valid, never read as another
// result nor as another sheet's.
TEST(ResultCode, EveryOneSymbolChangeAndNeighbourSwapIsRefused) {
    std::mt19937 engine(33);
    std::vector<std::pair<Sheet, std::string>> codes;
    for (const auto& row : golden()) {
        codes.emplace_back(row.sheet, row.code);
    }
    const std::vector<MarkedAnswer> kinds{right,
                                          right,
                                          right,
                                          none,
                                          unreadable,
                                          wrong,
                                          wrongWith(Mistake::Swapped),
                                          {Mark::Wrong, allMistakes}};
    for (int i = 0; i < 300; ++i) {
        const Sheet sheet{static_cast<std::uint32_t>(engine() % sheetSeeds),
                          1 + static_cast<int>(engine() % resultCodeExercisesMax), 5};
        std::vector<MarkedAnswer> marks;
        marks.reserve(static_cast<std::size_t>(sheet.count));
        for (int e = 0; e < sheet.count; ++e) {
            marks.push_back(kinds.at(engine() % kinds.size()));
        }
        codes.emplace_back(sheet, *resultCode(sheet, marks));
    }
    const auto refused = [](const Sheet& sheet, const std::string& typed) {
        return readResultCode(sheet, typed).fault == ResultCodeFault::NotValid;
    };
    for (const auto& [sheet, code] : codes) {
        for (std::size_t at = 0; at < code.size(); ++at) {
            if (code[at] == '-') {
                continue;
            }
            for (const char other : codeAlphabet) {
                if (other != code[at]) {
                    std::string changed = code;
                    changed[at] = other;
                    EXPECT_TRUE(refused(sheet, changed)) << code << " → " << changed;
                }
            }
            const std::size_t next = at + 1 < code.size() && code[at + 1] == '-' ? at + 2 : at + 1;
            if (next < code.size() && code[at] != code[next]) {
                std::string swapped = code;
                std::swap(swapped[at], swapped[next]);
                EXPECT_TRUE(refused(sheet, swapped)) << code << " → " << swapped;
            }
        }
    }
}

std::size_t symbols(const std::string& code) {
    return code.size() - static_cast<std::size_t>(std::count(code.begin(), code.end(), '-'));
}

// Every choice of up to five exercises not right of twenty, each with the longest single mark:
// at most twelve symbols. All right is six. A sheet of more than 30 exercises has none.
TEST(ResultCode, IsShortWhereItCanBe) {
    const Sheet sheet{1234567, 20, 5};
    std::size_t longest = 0;
    for (std::uint32_t places = 0; places < (1U << 20U); ++places) {
        if (std::popcount(places) > 5) {
            continue;
        }
        auto marks = allRight(20);
        for (std::size_t e = 0; e < 20; ++e) {
            if ((places >> e & 1U) != 0) {
                marks[e] = wrongWith(Mistake::OneSign);
            }
        }
        longest = std::max(longest, symbols(*resultCode(sheet, marks)));
    }
    EXPECT_EQ(longest, 12U);
    EXPECT_EQ(symbols(*resultCode(sheet, allRight(20))), 6U);

    const Sheet longSheet{1234567, resultCodeExercisesMax + 1, 5};
    EXPECT_FALSE(resultCode(longSheet, allRight(longSheet.count)).has_value());
    EXPECT_EQ(readResultCode(longSheet, *resultCode(sheet, allRight(20))).fault,
              ResultCodeFault::NoCode);
    EXPECT_EQ(resultCodeLine(resultCode(longSheet, allRight(longSheet.count))),
              "Kód výsledku: list s více než 30 příklady ho nemá.");
}

// A code entered for another sheet of its class set is refused as another sheet's; text that
// is no code at all, as not valid.
TEST(ResultCode, BelongsToItsSheet) {
    std::mt19937 engine(40);
    std::vector<Sheet> sheets;
    sheets.reserve(classSetMax);
    for (int i = 0; i < classSetMax; ++i) {
        sheets.push_back({static_cast<std::uint32_t>(engine() % sheetSeeds), 20, 5});
    }
    for (const Sheet& own : sheets) {
        const std::string code = *resultCode(own, marksWith(20, {{4, unreadable}}));
        for (const Sheet& other : sheets) {
            EXPECT_EQ(readResultCode(other, code).fault,
                      other == own ? ResultCodeFault::None : ResultCodeFault::OtherSheet)
                << code;
        }
    }
    for (const char* typed : {"", "0", "00", "!", "ABCD-EFGH", "\xC3", "U", "0000-0000-0000"}) {
        EXPECT_EQ(readResultCode(sheets.front(), typed).fault, ResultCodeFault::NotValid) << typed;
    }
    EXPECT_EQ(resultCodeRefusal(ResultCodeFault::OtherSheet, "AB"),
              "Kód výsledku „AB“ patří k jinému listu.");
    EXPECT_EQ(resultCodeRefusal(ResultCodeFault::NotValid, "AB"), "Kód výsledku „AB“ není platný.");
}

// Random sets with random right, wrong and empty answers: entered by the result codes of their
// checks, each sheet counts in the overview exactly as its answers do.
TEST(ResultCode, AnOverviewFromResultCodesIsTheOverviewFromAnswers) {
    std::mt19937 engine(20261210);
    const auto below = [&engine](int n) {
        return static_cast<int>(engine() % static_cast<unsigned>(n));
    };
    for (int round = 0; round < 20; ++round) {
        SetFile answered;
        answered.heading = "5. A";
        SetFile coded = answered;
        const int sheets = 1 + below(classSetMax);
        for (int s = 0; s < sheets; ++s) {
            const Sheet sheet{
                static_cast<std::uint32_t>(engine() % sheetSeeds),
                1 + below(resultCodeExercisesMax), 1 + below(sheetSeparatorMax),
                below(3) == 0 ? allKinds : static_cast<KindChoice>(1 + below(allKinds))};
            SetSheet entry{sheet, false, below(2) == 0 ? "Žák " + std::to_string(s) : "", {}};
            answered.sheets.push_back(entry);
            coded.sheets.push_back(entry);
            if (below(6) == 0) {
                continue;
            }
            std::string answers;
            for (const SheetItem& item : sheetItems(sheet)) {
                const WrongAnswers slips = wrongAnswers(item);
                const int choice = below(5);
                answers +=
                    choice == 0   ? ""
                    : choice == 1 ? "x"
                    : choice == 2 && !slips.empty()
                        ? resultText(
                              slips[static_cast<std::size_t>(below(static_cast<int>(slips.size())))]
                                  .answer)
                    : choice == 3 ? std::to_string(below(100))
                                  : resultText(item.result);
                answers += "\n";
            }
            FileMarks marked = markAnswerFile(answers, sheetItems(sheet));
            ASSERT_EQ(marked.fault, FileMarks::Fault::None);
            const std::string code = *resultCode(sheet, marked.marks);
            answered.sheets.back().row = rowOfAnswerFile(answers, std::move(marked));
            ASSERT_EQ(enterResultCode(coded.sheets.back(), code), ResultCodeFault::None) << code;
        }
        const Overview fromAnswers = overviewOf(answered);
        const Overview fromCodes = overviewOf(coded);
        EXPECT_EQ(overviewCsv(fromCodes), overviewCsv(fromAnswers));
        EXPECT_EQ(overviewText(coded, fromCodes), overviewText(answered, fromAnswers));
    }
}

}  // namespace
}  // namespace ciferon
