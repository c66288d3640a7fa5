// The mistakes named for wrong answers: one table a mistake, every kind of many sheets, and
// the texts of the summary and the key.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

#include "codes/items.h"
#include "evaluator.h"
#include "marking/mistakes.h"

namespace ciferon {
namespace {

const std::string leftToRight{mistakeText(Mistake::LeftToRight)};
const std::string carry{mistakeText(Mistake::CarryForgotten)};
const std::string units{mistakeText(Mistake::UnitsReversed)};
const std::string tooLarge{mistakeText(Mistake::RemainderTooLarge)};
const std::string missing{mistakeText(Mistake::RemainderMissing)};
const std::string swapped{mistakeText(Mistake::Swapped)};
const std::string oneSign{mistakeText(Mistake::OneSign)};

struct Row {
    int kind;
    const char* exercise;
    const char* line;  // as a --check line; nullptr: the exercise has no such wrong answer
    const std::string& note;
};

// The right result as the independent evaluator works it out from the text.
Result rightOf(std::string_view exercise) {
    const auto value = testing::exerciseValue(exercise);
    EXPECT_TRUE(value.has_value()) << exercise;
    Result result{value ? value->value : 0, {}};
    if (value && value->remainder) {
        result.remainder = *value->remainder;
    }
    return result;
}

void expectNotes(const std::vector<Row>& table) {
    for (const Row& row : table) {
        if (row.line == nullptr) {
            EXPECT_TRUE(wrongAnswers(row.kind, row.exercise, rightOf(row.exercise)).empty())
                << row.exercise;
            continue;
        }
        const MarkedAnswer marked =
            markLineWithMistakes(row.kind, row.exercise, rightOf(row.exercise), row.line);
        EXPECT_EQ(marked.mark, Mark::Wrong) << row.exercise << " " << row.line;
        EXPECT_EQ(mistakeNote(marked.mistakes), row.note)
            << row.exercise << " «" << row.line << "»";
    }
}

const std::string none;

TEST(Mistakes, LeftToRight) {
    expectNotes({
        {3, "5+2+8.9+5.6=", "840", leftToRight},
        {3, "5+2+8.9+5.6=", "841", none},
        {4, "9.8-4.5=", "340", leftToRight},  // (72-4).5
        {5, "4+35:7+2.3+5=", nullptr, none},  // 39:7 is not whole
        {6, "5.6-24:4=", nullptr, none},      // 30-24 = 6, 6:4 not whole
        {6, "5.6-18:3=", "4", leftToRight},
        {11, "3.4+5 =", nullptr, none},  // the left order is the right one
        {11, "5+3.4 =", "32", leftToRight},
        {12, "12-20:4 =", nullptr, none},  // 12-20 is negative
        {12, "7+20:4 =", nullptr, none},   // 27:4 is not whole
        {12, "8+20:4 =", "7", leftToRight},
        {13, "5+2+8.9+5.6=", "840", none},  // only the kinds with both
    });
}

TEST(Mistakes, CarryForgottenAndUnitsReversed) {
    expectNotes({
        {13, "45+38 =", "73", carry},
        {13, "45+38 =", "74", none},
        {13, "45+55 =", "90", carry},
        {13, "45+34 =", "69", none},  // units make less than ten
        {14, "52-38 =", "24", carry},
        {14, "52-38 =", "26", units},
        {14, "52-37 =", "25", carry + "; " + units},
        {14, "55-50 =", "15", none},
        {14, "55-50 =", "-5", none},
        {14, "58-32 =", "36", none},  // no borrow
        {13, "52-38 =", "24", none},
    });
}

TEST(Mistakes, DivisionWithRemainder) {
    expectNotes({
        {10, "46:8 =", "4 zb. 14", tooLarge},
        {10, "46:8 =", "4 (14)", tooLarge},
        {10, "46:8 =", "0 (46)", tooLarge},
        {10, "46:8 =", "4 (6)", none},
        {10, "46:8 =", "5", missing},
        {10, "46:8 =", "5 (0)", missing},
        {10, "46:8 =", "5 zb. 0", missing},
        {10, "46:8 =", "6 (5)", swapped},
        {10, "46:8 =", "6", none},
        {10, "46:8 =", "5 (7)", none},
        {10, "20:3 =", "6", missing},
        {10, "20:3 =", "2 (6)", swapped},
        {10, "23:7 =", "2 (9)", tooLarge},
        {10, "23:7 =", "2 (3)", swapped},
        // The mistakes of a remainder in every way of writing it.
        {10, "46:8 =", "4 zb 14", tooLarge},
        {10, "46:8 =", "4ZB14", tooLarge},
        {10, "46:8 =", "5 zbytek", missing},
        {10, "46:8 =", "5 (zb. 0)", missing},
        {10, "46:8 =", "6zb5", swapped},
        {10, "46:8 =", "6 (zbytek 5)", swapped},
    });
}

// An answer that cannot be read is neither right nor wrong, and names no mistake even where
// a slip's answer hides in it.
TEST(Mistakes, UnreadableNamesNone) {
    const SheetItem division{1, 10, "46:8 =", "5 (6)", {5, 6}, false};
    const SheetItem carried{2, 14, "52-38 =", "14", {14, {}}, false};
    const MarkedAnswer unreadable{Mark::Unreadable, 0};
    for (const char* line : {"5 (6", "4 14", "6 5)", "abc", "4 zb. 14 zb. 1"}) {
        EXPECT_EQ(markLineWithMistakes(division, line), unreadable) << line;
    }
    EXPECT_EQ(markWithMistakes(division, "4", "1 4"), unreadable);
    EXPECT_EQ(markWithMistakes(division, "6", "5"),
              (MarkedAnswer{Mark::Wrong, mistakeBit(Mistake::Swapped)}));
    for (const char* answer : {"2 4", "24.", "2,4", "24x"}) {
        EXPECT_EQ(markWithMistakes(carried, answer), unreadable) << answer;
        EXPECT_EQ(markLineWithMistakes(carried, answer), unreadable) << answer;
    }
    EXPECT_EQ(checkLine(6, unreadable), "6. nečitelné – napiš číslo");
    EXPECT_EQ(markText(unreadable), "? nečitelné – napiš číslo");
    EXPECT_EQ(summaryText(std::vector<MarkedAnswer>{
                  unreadable, {Mark::Wrong, mistakeBit(Mistake::Swapped)}, {Mark::Right}}),
              "Správně 1 z 3. Nečitelné odpovědi: 1.\n– " + swapped + ": 1×");
}

TEST(Mistakes, OneSignTheWrongWay) {
    expectNotes({
        {9, "19-1+4-18 =", "40", oneSign},  // 19-1+4+18
        {9, "19-1+4-18 =", "6", oneSign},   // 19+1+4-18
        {9, "19-1+4-18 =", "-4", oneSign},  // 19-1-4-18
        {9, "19-1+4-18 =", "5", none},
        {9, "13+2-5+7 =", "27", oneSign},
    });
}

TEST(Mistakes, RightAnswersAndUnknownTextsNameNone) {
    EXPECT_EQ(markLineWithMistakes(10, "17:3 =", {5, 2}, "5 (2)"), (MarkedAnswer{Mark::Right, 0}));
    EXPECT_EQ(markLineWithMistakes(14, "52-37 =", {15, {}}, ""), (MarkedAnswer{}));
    for (const char* text : {"", "=", "52-37", "52-37=8", "a+b =", "1000000-1 =", "(3-1 ="}) {
        for (int kind = -1; kind <= kindCount; ++kind) {
            EXPECT_TRUE(wrongAnswers(kind, text, {15, {}}).empty()) << kind << " " << text;
        }
    }
}

// Every exercise of sheets of every kind: each wrong answer is named with its mistake (and
// only with mistakes that give the same answer), a right answer never, an answer no mistake
// gives is wrong alone. Every mistake is met.
TEST(Mistakes, ManySheetsOfEveryKind) {
    std::array<int, mistakeCount> met{};
    for (std::uint32_t i = 0; i < 60; ++i) {
        for (int kind = 0; kind < kindCount; ++kind) {
            const Sheet sheet{i * 7919U + 3U, 40, 10, static_cast<KindChoice>(1U << kind)};
            for (const SheetItem& item : sheetItems(sheet)) {
                const Result& right = item.result;
                EXPECT_EQ(markLineWithMistakes(item, resultText(right)).mistakes, 0);
                const WrongAnswers wrong = wrongAnswers(item);
                for (const WrongAnswer& given : wrong) {
                    ++met[static_cast<int>(given.mistake)];
                    MistakeSet alike = 0;
                    for (const WrongAnswer& other : wrong) {
                        alike |= other.answer == given.answer ? mistakeBit(other.mistake) : 0;
                    }
                    EXPECT_EQ(markLineWithMistakes(item, resultText(given.answer)),
                              (MarkedAnswer{Mark::Wrong, alike}))
                        << item.exercise << " " << resultText(given.answer);
                }
                // An answer far from all: no mistake gives a result a thousand above.
                Result far = right;
                far.value += 1000;
                EXPECT_EQ(markLineWithMistakes(item, resultText(far)),
                          (MarkedAnswer{Mark::Wrong, 0}));
            }
        }
    }
    for (int m = 0; m < mistakeCount; ++m) {
        EXPECT_GT(met[m], 100) << mistakeText(static_cast<Mistake>(m));
    }
}

// The catalogue's detectors, kind by kind: the mistakes that each kind's exercises can name
// over many sheets are exactly its own slips.
TEST(Mistakes, EachKindNamesItsOwnSlips) {
    const auto bits = [](std::initializer_list<Mistake> mistakes) {
        MistakeSet set = 0;
        for (const Mistake mistake : mistakes) {
            set |= mistakeBit(mistake);
        }
        return set;
    };
    const MistakeSet left = bits({Mistake::LeftToRight});
    const std::array<MistakeSet, kindCount> expected{
        0,
        0,
        0,
        left,
        left,
        left,
        left,
        left,
        left,
        bits({Mistake::OneSign}),
        bits({Mistake::RemainderTooLarge, Mistake::RemainderMissing, Mistake::Swapped}),
        left,
        left,
        bits({Mistake::CarryForgotten}),
        bits({Mistake::CarryForgotten, Mistake::UnitsReversed})};
    for (int kind = 0; kind < kindCount; ++kind) {
        MistakeSet named = 0;
        for (std::uint32_t i = 0; i < 20; ++i) {
            const Sheet sheet{i * 104729U + 11U, 40, 10, static_cast<KindChoice>(1U << kind)};
            for (const SheetItem& item : sheetItems(sheet)) {
                for (const WrongAnswer& given : wrongAnswers(item)) {
                    named |= mistakeBit(given.mistake);
                }
            }
        }
        EXPECT_EQ(named, expected.at(static_cast<std::size_t>(kind))) << "kind " << kind;
    }
    // A number outside the kinds names nothing.
    EXPECT_TRUE(wrongAnswers(15, "45+28 =", {73, {}}).empty());
    EXPECT_TRUE(wrongAnswers(-1, "45+28 =", {73, {}}).empty());
}

TEST(Mistakes, CheckLinesAndSummary) {
    const MarkedAnswer both{Mark::Wrong,
                            static_cast<MistakeSet>(mistakeBit(Mistake::CarryForgotten) |
                                                    mistakeBit(Mistake::UnitsReversed))};
    const MarkedAnswer first{Mark::Wrong, mistakeBit(Mistake::LeftToRight)};
    EXPECT_EQ(checkLine(3, both), "3. chybně – " + carry + "; " + units);
    EXPECT_EQ(checkLine(4, {Mark::Wrong}), "4. chybně");
    EXPECT_EQ(checkLine(5, {Mark::Right}), "5. správně");
    const std::vector<MarkedAnswer> marked{
        first, both, {Mark::Right}, first, both, {Mark::Wrong, mistakeBit(Mistake::OneSign)}};
    EXPECT_EQ(summaryText(marked, 1),
              "Správně 1 z 6. Ukázaná řešení: 1.\n"
              "– asi počítáno zleva doprava (nejdřív se násobí a dělí): 2×\n"
              "– asi zapomenutý přechod přes desítku: 2×\n"
              "– asi odečteny jednotky obráceně (menší od větší): 2×\n"
              "– asi jedno znaménko opačně: 1×");
    EXPECT_EQ(summaryText(std::vector<MarkedAnswer>{{Mark::Wrong}}), "Správně 0 z 1.");
}

TEST(Mistakes, KeyTexts) {
    const struct {
        int kind;
        const char* exercise;
        const char* key;
    } table[] = {
        {12, "8+20:4 =", " [Z 7]"},
        {10, "46:8 =", " [V 4 (14); P 6 (5)]"},
        {10, "24:7 =", " [V 2 (10)]"},  // quotient and remainder alike: no swap
        {14, "52-38 =", " [D 24; J 26]"},
        {14, "52-37 =", " [D 25; J 25]"},
        {13, "45+38 =", " [D 73]"},
        {9, "19-1+4-18 =", ""},
        {14, "55-50 =", ""},
        {11, "3.4+5 =", ""},
    };
    for (const auto& row : table) {
        EXPECT_EQ(keyMistakes(row.kind, row.exercise, rightOf(row.exercise)), row.key)
            << row.exercise;
    }
}

}  // namespace
}  // namespace ciferon
