// A sheet's results against the independent evaluator, and a pupil's answers read and marked.
#include <gtest/gtest.h>

#include <stdexcept>

#include "classset/classset.h"
#include "codes/items.h"
#include "evaluator.h"
#include "marking/results.h"

namespace ciferon {
namespace {

// Every exercise of many sheets as an item: the items stand for exactly the sheet's lists,
// carry the kind the list making dealt and where a group ends, and the result of each is what
// the evaluator works out from its exercise alone.
TEST(Results, ItemsMatchTheListsAndTheEvaluatorOnManySheets) {
    int remainders = 0;
    for (std::uint32_t i = 0; i < 200; ++i) {
        const Sheet sheet{i * 42949U + 7U, sheetCountMax - static_cast<int>(i % 3),
                          1 + static_cast<int>(i) % 20,
                          i % 2 == 0 ? allKinds : static_cast<KindChoice>(i * 97U % allKinds + 1)};
        const std::vector<SheetItem> items = sheetItems(sheet);
        const Lists lists = sheetLists(sheet);
        const Lists fromItems = listsOf(items);
        ASSERT_EQ(fromItems.exercises, lists.exercises) << sheet.seed;
        ASSERT_EQ(fromItems.solutions, lists.solutions) << sheet.seed;
        const std::vector<int> kinds = detail::sheetKinds(sheet);
        ASSERT_EQ(items.size(), kinds.size());
        for (const SheetItem& item : items) {
            const auto at = static_cast<std::size_t>(item.number - 1);
            ASSERT_EQ(&item - items.data(), item.number - 1);
            EXPECT_EQ(item.kind, kinds.at(at));
            EXPECT_EQ(item.groupEnd, item.number % sheet.separator == 0) << item.number;
            const auto expected = testing::exerciseValue(item.exercise);
            ASSERT_TRUE(expected.has_value()) << item.exercise;
            EXPECT_EQ(item.result.value, expected->value) << item.exercise;
            EXPECT_EQ(item.result.remainder, expected->remainder) << item.exercise;
            // The working ends with the result the kind worked out, after its last "=" where
            // it has steps.
            const std::string ending = resultText(item.result);
            EXPECT_TRUE(item.working.ends_with(ending)) << item.working;
            const std::size_t equals = item.working.rfind('=');
            EXPECT_EQ(item.working.substr(equals == std::string::npos ? 0 : equals + 1), ending)
                << item.working;
            remainders += item.result.remainder ? 1 : 0;
        }
        EXPECT_EQ(sheetResults(sheet).size(), items.size());
    }
    EXPECT_GT(remainders, 500);
}

TEST(Answer, ReadsAPupilsSpellingsAndRefusesTheRest) {
    using enum Answer::State;
    const std::string longest = "7" + std::string(answerMax - 1, ' ');
    const struct {
        std::string typed;
        Answer::State state;
        long long value;
    } table[] = {
        {"61", Number, 61},
        {" 61\t", Number, 61},
        {"1 035", Number, 1035},
        {"1\u00A0035", Number, 1035},
        {"1\u202F035", Number, 1035},
        {"1\u2009035", Number, 1035},
        {"12 345 678", Number, 12345678},
        {" - 1 035 ", Number, -1035},
        {"-5", Number, -5},
        {"\u22125", Number, -5},
        {" \u2212 5", Number, -5},
        {"0", Number, 0},
        {"007", Number, 7},
        {"999999999999999999", Number, 999999999999999999},
        {longest, Number, 7},
        {"", Empty, 0},
        {"   ", Empty, 0},
        {"\t\u00A0\u202F", Empty, 0},
        {"61.", NotNumber, 0},
        {"6,1", NotNumber, 0},
        {"+5", NotNumber, 0},
        {"--5", NotNumber, 0},
        {"6-1", NotNumber, 0},  // a minus only before the digits
        {"5 1", NotNumber, 0},  // a blank between digits only before thousands
        {"1 03", NotNumber, 0},
        {"1 0350", NotNumber, 0},
        {"1035 7", NotNumber, 0},
        {"1234 567", NotNumber, 0},
        {"1 035 7", NotNumber, 0},
        {"-\u22125", NotNumber, 0},
        {"-", NotNumber, 0},
        {"\u2212", NotNumber, 0},
        {"1e3", NotNumber, 0},
        {"\uFF16", NotNumber, 0},  // a full-width digit
        {"\xC2", NotNumber, 0},    // half a no-break space
        {"61\r", NotNumber, 0},
        {"1000000000000000000", NotNumber, 0},
        {longest + " ", NotNumber, 0},
    };
    for (const auto& row : table) {
        const Answer answer = readAnswer(row.typed);
        EXPECT_EQ(answer.state, row.state) << row.typed;
        if (row.state == Number) {
            EXPECT_EQ(answer.value, row.value) << row.typed;
        }
    }
}

TEST(Answer, MarksFieldsAndCheckLines) {
    const Result plain{61, {}};
    const Result remainder{8, 3};
    const struct {
        const Result& result;
        const char* answer;
        const char* remainder;  // nullptr: `answer` is a line of a --check file
        Mark mark;
    } table[] = {
        {plain, "61", "", Mark::Right},
        {plain, "62", "", Mark::Wrong},
        {plain, "-61", "", Mark::Wrong},
        {plain, "61.", "", Mark::Unreadable},
        {plain, "abc", "", Mark::Unreadable},
        {plain, "6 1", "", Mark::Unreadable},
        {plain, " ", "", Mark::Unanswered},
        {plain, "61", "3", Mark::Right},  // no remainder field for this result
        {plain, "", "x", Mark::Unanswered},
        {remainder, "8", "3", Mark::Right},
        {remainder, "8", "4", Mark::Wrong},
        {remainder, "8", "", Mark::Wrong},
        {remainder, "", "3", Mark::Wrong},
        {remainder, "", " ", Mark::Unanswered},
        {remainder, "8", "x", Mark::Unreadable},
        {remainder, "", "x", Mark::Unreadable},
        {remainder, "8 (3)", "", Mark::Unreadable},
        {plain, "61", nullptr, Mark::Right},
        {plain, "61\r", nullptr, Mark::Right},
        {plain, "", nullptr, Mark::Unanswered},
        {plain, "\r", nullptr, Mark::Unanswered},
        {plain, "62", nullptr, Mark::Wrong},
        {plain, "61 (0)", nullptr, Mark::Unreadable},
        {plain, "6 1", nullptr, Mark::Unreadable},
        {plain, "abc\r", nullptr, Mark::Unreadable},
        // Every common way of writing the remainder.
        {remainder, "8 (3)", nullptr, Mark::Right},
        {remainder, "8(3)", nullptr, Mark::Right},
        {remainder, " 8 ( 3 ) \r", nullptr, Mark::Right},
        {remainder, "8 zb. 3", nullptr, Mark::Right},
        {remainder, "8 zb.3\r", nullptr, Mark::Right},
        {remainder, "8 Zb. 3", nullptr, Mark::Right},
        {remainder, "8 ZB. 3", nullptr, Mark::Right},
        {remainder, "8 zb 3", nullptr, Mark::Right},
        {remainder, "8 zB 3", nullptr, Mark::Right},
        {remainder, "8zb3", nullptr, Mark::Right},
        {remainder, "8zb.3", nullptr, Mark::Right},
        {remainder, "8\u00A0zb.\u00A03", nullptr, Mark::Right},
        {remainder, "8 (zb. 3)", nullptr, Mark::Right},
        {remainder, "8 (zb 3)", nullptr, Mark::Right},
        {remainder, "8 ( ZB.3 )", nullptr, Mark::Right},
        {remainder, "8(zb3)", nullptr, Mark::Right},
        {remainder, "8 zbytek 3", nullptr, Mark::Right},
        {remainder, "8 Zbytek 3", nullptr, Mark::Right},
        {remainder, "8 (zbytek 3)", nullptr, Mark::Right},
        {remainder, "8 ZBYTEK 3\r", nullptr, Mark::Right},
        {remainder, "8 zbytek: 3", nullptr, Mark::Right},
        {remainder, "8 zb: 3", nullptr, Mark::Right},
        {remainder, "8 (zb.: 3)", nullptr, Mark::Right},
        // Read, and wrong.
        {remainder, "8 (4)", nullptr, Mark::Wrong},
        {remainder, "8 zb 4", nullptr, Mark::Wrong},
        {remainder, "9zb3", nullptr, Mark::Wrong},
        {remainder, "83", nullptr, Mark::Wrong},
        {remainder, "8", nullptr, Mark::Wrong},
        {remainder, "(3)", nullptr, Mark::Wrong},
        {remainder, "zb. 3", nullptr, Mark::Wrong},
        {remainder, "8 zb.", nullptr, Mark::Wrong},
        {remainder, "8 zbytek", nullptr, Mark::Wrong},
        {remainder, "8 (zb.)", nullptr, Mark::Wrong},
        // Not to be read as a quotient and a remainder.
        {remainder, "8 3", nullptr, Mark::Unreadable},
        {remainder, "abc", nullptr, Mark::Unreadable},
        {remainder, "8 (3", nullptr, Mark::Unreadable},
        {remainder, "8 3)", nullptr, Mark::Unreadable},
        {remainder, "8 (3) 1", nullptr, Mark::Unreadable},
        {remainder, "8 (zb. 3", nullptr, Mark::Unreadable},
        {remainder, "8 zb. x", nullptr, Mark::Unreadable},
        {remainder, "8 zb. 3 zb. 3", nullptr, Mark::Unreadable},
        {remainder, "8 z 3", nullptr, Mark::Unreadable},
        {remainder, "8 (zb. zb. 3)", nullptr, Mark::Unreadable},
        {remainder, "8 zb:: 3", nullptr, Mark::Unreadable},
        {remainder, "", nullptr, Mark::Unanswered},
        {remainder, " \r", nullptr, Mark::Unanswered},
    };
    for (const auto& row : table) {
        const Mark mark = row.remainder == nullptr
                              ? markAnswerLine(row.result, row.answer)
                              : markAnswer(row.result, row.answer, row.remainder);
        EXPECT_EQ(markWord(mark), markWord(row.mark))
            << resultText(row.result) << ": «" << row.answer << "» «"
            << (row.remainder == nullptr ? "line" : row.remainder) << "»";
    }
}

// Only right answers count as right; a wrong one, an unreadable one and one not answered
// count in the total, and the unreadable ones are counted apart.
TEST(Answer, SummaryAsEveryFrontEndPrintsIt) {
    std::vector<Mark> marks{Mark::Right, Mark::Wrong, Mark::Unanswered, Mark::Right};
    EXPECT_EQ(summaryText(marks), "Správně 2 z 4.");
    EXPECT_EQ(summaryText(marks, 1), "Správně 2 z 4. Ukázaná řešení: 1.");
    marks.insert(marks.end(), 2, Mark::Unreadable);
    EXPECT_EQ(summaryText(marks, 1), "Správně 2 z 6. Nečitelné odpovědi: 2. Ukázaná řešení: 1.");
}

// The first setting out of its range names itself; a heading counts characters, not bytes.
TEST(ClassSet, RefusesTheFirstSettingOutOfRange) {
    const std::string eighty(80, 'x');
    const std::string adaptedRefusal =
        "Upravené listy jsou čísla listů od 1 do 8 jednotlivě nebo jako rozsahy oddělené čárkou, "
        "třeba 3, 7 nebo 3,7-8, nebo „všechny“.";
    std::string czech;
    for (int i = 0; i < 80; ++i) {
        czech += "ř";
    }
    const struct {
        ClassSetSettings settings;
        ClassSetField field;
        std::string text;
    } rows[] = {
        {{}, ClassSetField::None, ""},
        {{40, 200, 20, 1, czech, "", 0}, ClassSetField::None, ""},
        {{0, 20, 5, allKinds, "", "", 0},
         ClassSetField::Sheets,
         "Počet listů musí být celé číslo od 1 do 40."},
        {{41, 0, 5, allKinds, "", "", 0},
         ClassSetField::Sheets,
         "Počet listů musí být celé číslo od 1 do 40."},
        {{1, 201, 5, allKinds, "", "", 0},
         ClassSetField::Count,
         "Počet příkladů musí být celé číslo od 1 do 200."},
        {{1, 1, 21, allKinds, "", "", 0},
         ClassSetField::Separator,
         "Oddělování musí být celé číslo od 1 do 20."},
        {{1, 1, 1, 0, "", "", 0}, ClassSetField::Kinds, "Zaškrtněte aspoň jeden druh příkladů."},
        {{1, 1, 1, 0x8000, "", "", 0},
         ClassSetField::Kinds,
         "Zaškrtněte aspoň jeden druh příkladů."},
        {{1, 1, 1, allKinds, eighty + "x", "", 0},
         ClassSetField::Heading,
         "Nadpis smí mít nejvýše 80 znaků."},
        {{1, 1, 1, allKinds, czech + "x", "", 0},
         ClassSetField::Heading,
         "Nadpis smí mít nejvýše 80 znaků."},
        {{1, 1, 1, allKinds, "\xC5", "", 0},
         ClassSetField::Heading,
         "Nadpis smí mít nejvýše 80 znaků."},
        {{8, 20, 5, allKinds, "", " 3, 7-8 ", 20}, ClassSetField::None, ""},
        {{8, 20, 5, allKinds, "", "všechny", 1}, ClassSetField::None, ""},
        {{8, 20, 5, allKinds, "", "3,9", 0},
         ClassSetField::Adapted,
         "Upravené listy jsou listy této sady, od 1 do 8; list 9 v ní není."},
        {{8, 20, 5, allKinds, "", "7-12, 2", 0},
         ClassSetField::Adapted,
         "Upravené listy jsou listy této sady, od 1 do 8; list 9 v ní není."},
        {{8, 20, 5, allKinds, "", "3,0", 0}, ClassSetField::Adapted, adaptedRefusal},
        {{8, 20, 5, allKinds, "", "3-", 0}, ClassSetField::Adapted, adaptedRefusal},
        {{8, 20, 5, allKinds, "", "všechno", 0}, ClassSetField::Adapted, adaptedRefusal},
        {{8, 20, 5, allKinds, "", "3", 21},
         ClassSetField::AdaptedCount,
         "Příkladů na upraveném listu musí být celé číslo od 1 do 20."},
    };
    for (const auto& row : rows) {
        const ClassSetProblem problem = classSetProblem(row.settings);
        EXPECT_EQ(problem.field, row.field) << row.text;
        EXPECT_EQ(problem.text, row.text);
    }
}

// Adapted sheets keep their places and seeds in the set and take their own count; a set
// without them is classSet()'s from the same source.
TEST(ClassSet, AdaptedSheetsTakeTheirOwnCount) {
    ClassSetSettings settings{8, 20, 5, allKinds, "", "2, 5-6", 7};
    ClockRandom adaptedSource;
    adaptedSource.seedWith(99);
    const std::vector<ClassSetSheet> adapted = classSetOf(settings, adaptedSource);
    ClockRandom plainSource;
    plainSource.seedWith(99);
    const std::vector<Sheet> plain = classSet(8, 20, 5, plainSource);
    ASSERT_EQ(adapted.size(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const bool expected = i == 1 || i == 4 || i == 5;
        EXPECT_EQ(adapted[i].adapted, expected) << i;
        EXPECT_EQ(adapted[i].sheet.seed, plain[i].seed) << i;
        EXPECT_EQ(adapted[i].sheet.count, expected ? 7 : 20) << i;
    }
    settings.adapted = "all";
    settings.adaptedCount = 0;
    for (const ClassSetSheet& sheet : classSetOf(settings, adaptedSource)) {
        EXPECT_TRUE(sheet.adapted);
        EXPECT_EQ(sheet.sheet.count, 20);
    }
}

}  // namespace
}  // namespace ciferon
