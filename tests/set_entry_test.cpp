// A cell of the results grid: what its text means, how it is marked, and how the sheet's row
// follows the cells typed.
#include <gtest/gtest.h>

#include <algorithm>

#include "classset/set_entry.h"
#include "codes/items.h"
#include "marking/results.h"

namespace ciferon {
namespace {

TEST(SetEntry, TheNumberRowTypesDigitsAndTheRestIsKept) {
    const struct {
        std::string typed;
        std::string text;
    } cases[] = {{"+ěščřžýáíé", "1234567890"},
                 {"ĚŠČŘŽÝÁÍÉ", "234567890"},
                 {"ř zb. ě", "5 zb. 2"},
                 {"ý (ě)", "7 (2)"},
                 {"-", "-"},
                 {"5x", "5x"},
                 {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(cellText(c.typed), c.text) << c.typed;
    }
}

TEST(SetEntry, ADashIsNoAnswer) {
    for (const char* text : {"-", " - ", "\u2212", "\u2013"}) {
        EXPECT_TRUE(noAnswerCell(text)) << text;
    }
    for (const char* text : {"", "-5", "--", "0"}) {
        EXPECT_FALSE(noAnswerCell(text)) << text;
    }
}

// A sheet of division with remainder and of two-digit addition, to mark both kinds of result.
constexpr Sheet mixedSheet{4321, 8, 4, (1U << 10U) | (1U << 13U)};

TEST(SetEntry, CellsAreMarkedAsTheCheckMarksALine) {
    const std::vector<SheetItem> items = sheetItems(mixedSheet);
    bool remainderSeen = false;
    for (const SheetItem& item : items) {
        const std::string right = resultText(item.result);
        const std::string wrong = std::to_string(item.result.value + 1);
        EXPECT_EQ(markCell(item, "").mark, Mark::Right);
        EXPECT_EQ(markCell(item, " - ").mark, Mark::Unanswered);
        EXPECT_EQ(markCell(item, right).mark, Mark::Right) << right;
        EXPECT_EQ(markCell(item, wrong).mark, Mark::Wrong) << wrong;
        if (item.result.remainder) {
            remainderSeen = true;
            const std::string spelled = std::to_string(item.result.value) + " zb. " +
                                        std::to_string(*item.result.remainder);
            EXPECT_EQ(markCell(item, spelled).mark, Mark::Right) << spelled;
        }
    }
    EXPECT_TRUE(remainderSeen);
}

TEST(SetEntry, TheRowFollowsTheCells) {
    const std::vector<SheetItem> items = sheetItems(mixedSheet);
    SetSheet sheet{mixedSheet, false, {}, std::nullopt};
    enterCell(sheet, items, 2, "-");
    ASSERT_TRUE(sheet.row.has_value());
    EXPECT_EQ(sheet.row->answers, (std::vector<std::string>{"", "", "-"}));
    EXPECT_EQ(sheet.row->marks.size(), items.size());
    EXPECT_EQ(
        std::count(sheet.row->marks.begin(), sheet.row->marks.end(), MarkedAnswer{Mark::Right, 0}),
        static_cast<long>(items.size()) - 1);
    EXPECT_EQ(cellOf(sheet, 2), "-");
    EXPECT_EQ(cellOf(sheet, 7), "");

    // Emptied again: right, and the answers end at the last cell with text.
    enterCell(sheet, items, 2, "");
    EXPECT_TRUE(sheet.row->answers.empty());
    EXPECT_EQ(sheet.row->marks[2].mark, Mark::Right);

    // Past the sheet's exercises nothing changes.
    const SetSheet before = sheet;
    enterCell(sheet, items, items.size(), "5");
    EXPECT_EQ(sheet, before);

    // A mark kept from elsewhere stays while another cell is typed; handing in again keeps all.
    sheet.row->marks[5] = {Mark::Unreadable, 0};
    enterCell(sheet, items, 1, "5");
    handIn(sheet);
    EXPECT_EQ(sheet.row->marks[5].mark, Mark::Unreadable);
    EXPECT_EQ(sheet.row->answers, (std::vector<std::string>{"", "5"}));

    // A long answer is cut between characters, never inside one.
    std::string long_;
    for (int i = 0; i < 40; ++i) {
        long_ += "\u011B";
    }
    enterCell(sheet, items, 0, long_);
    EXPECT_EQ(sheet.row->answers[0].size(), keptAnswerMax);
    enterCell(sheet, items, 0, "a" + long_);
    EXPECT_EQ(sheet.row->answers[0].size(), keptAnswerMax - 1);
}

}  // namespace
}  // namespace ciferon
