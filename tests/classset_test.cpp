// The class set as one value: made from settings, read back from its codes, and printed.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "classset/classset.h"
#include "classset_refusals.h"
#include "codes/choice.h"
#include "codes/items.h"

namespace ciferon {
namespace {

std::string codesOf(const ClassSet& set) {
    std::string codes;
    for (const ClassSetSheet& sheet : set.sheets) {
        if (!codes.empty()) {
            codes += ',';
        }
        codes += sheetCode(sheet.sheet);
    }
    return codes;
}

// Its codes, with its heading, adapted list and print options, give the same class set:
// the same sheets in the same order, adapted alike, laid out on the same pages.
TEST(ClassSet, MadeAndReadFromItsCodesAlike) {
    const struct {
        ClassSetSettings settings;
        PrintOptions print;
    } rows[] = {
        {{3, 20, 5, allKinds, "", "", 0}, {}},
        {{8, 12, 4, allKinds, "5. A – opakování", "2, 5-6", 7}, {true, false}},
        {{5, 30, 10, *readKindList("11,14-15"), "Dělení", "všechny", 0}, {false, true}},
        {{40, 1, 1, *readKindList("11"), "", "40", 0}, {true, true}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.settings.adapted);
        ClockRandom random;
        random.seedWith(7);
        const ClassSet made = makeClassSet(row.settings, row.print, random);
        ASSERT_EQ(made.sheets.size(), static_cast<std::size_t>(row.settings.sheets));
        const auto read =
            readClassSet(codesOf(made), row.settings.heading, row.settings.adapted, row.print);
        ASSERT_TRUE(std::holds_alternative<ClassSet>(read)) << std::get<ClassSetProblem>(read).text;
        const auto& again = std::get<ClassSet>(read);
        EXPECT_EQ(again.sheets, made.sheets);
        EXPECT_EQ(again.print, made.print);
        EXPECT_EQ(again.settings.heading, made.settings.heading);
        EXPECT_FALSE(classSetProblem(again.settings)) << classSetProblem(again.settings).text;
        const Layout first = classSetLayout(made);
        const Layout second = classSetLayout(again);
        ASSERT_EQ(first.pages.size(), second.pages.size());
        for (std::size_t page = 0; page < first.pages.size(); ++page) {
            EXPECT_EQ(first.pages[page].texts, second.pages[page].texts) << page;
        }
        EXPECT_EQ(first.sheetStarts, second.sheetStarts);
    }
}

// Numbered "List k z N" in the set's order, adapted ones in the adapted style; a sheet alone
// is not numbered.
TEST(ClassSet, PrintsItsSheetsInOrder) {
    const auto read = readClassSet("4XY1-ZKRX, 1dx2dt93,7AHD-EWGT-SSKE", " 5. A\t", "1,3", {});
    ASSERT_TRUE(std::holds_alternative<ClassSet>(read));
    EXPECT_EQ(std::get<ClassSet>(read).settings.heading, "5. A");
    const std::vector<PrintSheet> printed = printedSheets(std::get<ClassSet>(read));
    const struct {
        const char* code;
        int number;
        SheetStyle style;
    } expected[] = {{"4XY1-ZKRX", 1, SheetStyle::Adapted},
                    {"1DX2-DT93", 2, SheetStyle::Regular},
                    {"7AHD-EWGT-SSKE", 3, SheetStyle::Adapted}};
    ASSERT_EQ(printed.size(), 3U);
    for (std::size_t i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(printed[i].code, expected[i].code);
        EXPECT_EQ(printed[i].number, expected[i].number);
        EXPECT_EQ(printed[i].total, 3);
        EXPECT_EQ(printed[i].style, expected[i].style);
        EXPECT_EQ(printed[i].items, sheetItems(*readSheetCode(expected[i].code)));
    }
    const std::vector<PrintSheet> alone =
        printedSheets(sheetAlone(*readSheetCode("4XY1-ZKRX"), true));
    ASSERT_EQ(alone.size(), 1U);
    EXPECT_EQ(alone[0].number, 0);
    EXPECT_EQ(alone[0].total, 0);
    EXPECT_EQ(alone[0].style, SheetStyle::Adapted);
}

// The table that the command line and the page share: the core's sentence, or a class set.
TEST(ClassSet, ReadFromCodesAsTheSharedTableSays) {
    const std::vector<testing::CodesCase> cases = testing::codesCases();
    ASSERT_GE(cases.size(), 10U);
    for (const testing::CodesCase& row : cases) {
        if (!row.addressRest.empty()) {
            continue;  // the page's address alone
        }
        SCOPED_TRACE(row.name);
        const auto read = readClassSet(row.codes, row.heading, row.adapted, {});
        const auto* problem = std::get_if<ClassSetProblem>(&read);
        EXPECT_EQ(problem ? problem->text : std::string(), row.sentence);
    }
}

// What a front-end words its own line from: the field, its limit and the value refused.
TEST(ClassSet, AProblemNamesItsFieldLimitAndValue) {
    const std::string eightyOne(81, 'x');
    const struct {
        const char* codes;
        std::string heading;
        const char* adapted;
        ClassSetProblem expected;
    } rows[] = {
        {"", "", "", {ClassSetField::Codes, 40, "0", "Seznam kódů je prázdný."}},
        {"1DX2-DT93", eightyOne, "", {ClassSetField::Heading, 80, "81", ""}},
        {"1DX2-DT93,4XY1-ZKRX", "", "1-3", {ClassSetField::Adapted, 2, "1-3", ""}},
        {" 1DX2-DT93 , K7M2-9QX4 ", "", "", {ClassSetField::Code, 0, "K7M2-9QX4", ""}},
        {"1DX2-DT93,4XY1-ZKRX,4xy1zkrx", "", "", {ClassSetField::RepeatedCode, 0, "4xy1zkrx", ""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.codes);
        const auto read = readClassSet(row.codes, row.heading, row.adapted, {});
        ASSERT_TRUE(std::holds_alternative<ClassSetProblem>(read));
        const auto& problem = std::get<ClassSetProblem>(read);
        EXPECT_EQ(problem.field, row.expected.field);
        EXPECT_EQ(problem.limit, row.expected.limit);
        EXPECT_EQ(problem.value, row.expected.value);
    }
    ClassSetSettings settings;
    settings.count = 201;
    EXPECT_EQ(classSetProblem(settings),
              (ClassSetProblem{ClassSetField::Count, 200, "201",
                               "Počet příkladů musí být celé číslo od 1 do 200."}));
}

}  // namespace
}  // namespace ciferon
