// The follow-up set: the kinds each sheet practises as one table, and the set made from them,
// whose codes reopen its sheets, no two alike.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "classset/follow_up.h"
#include "classset/seeds.h"
#include "codes/choice.h"
#include "codes/items.h"

namespace ciferon {
namespace {

// A sheet of the set: handed in with every exercise of the listed kinds so marked and the rest
// right, or not handed in.
struct Pupil {
    Sheet sheet;
    bool handedIn = true;
    std::map<int, Mark> notRight;
    bool adapted = false;
};

SetFile setOf(const std::vector<Pupil>& pupils) {
    SetFile set;
    set.heading = "5. B";
    for (const Pupil& pupil : pupils) {
        SetSheet sheet{pupil.sheet, pupil.adapted, "Žák " + std::to_string(set.sheets.size() + 1),
                       std::nullopt};
        if (pupil.handedIn) {
            sheet.row = SheetRow{};
            for (const SheetItem& item : sheetItems(pupil.sheet)) {
                const auto found = pupil.notRight.find(item.kind);
                sheet.row->marks.push_back(
                    {found == pupil.notRight.end() ? Mark::Right : found->second, 0});
            }
        }
        set.sheets.push_back(sheet);
    }
    return set;
}

KindChoice kindsOf(std::initializer_list<int> kinds) {
    unsigned choice = 0;
    for (const int kind : kinds) {
        choice |= 1U << static_cast<unsigned>(kind);
    }
    return static_cast<KindChoice>(choice);
}

// Each sheet's kinds as --kinds numbers them and why: "5, 11: chyby; 1-15: vše správně".
std::string planText(const FollowUpPlan& plan) {
    std::string text;
    for (const FollowUpSheet& sheet : plan.sheets) {
        text.append(text.empty() ? "" : "; ").append(kindListText(sheet.kinds)).append(": ");
        text.append(followUpReasonText(sheet.reason));
    }
    return text;
}

TEST(FollowUp, ChoosesEachSheetsKinds) {
    const KindChoice four = kindsOf({0, 4, 10, 13});
    // Kinds 5, 11 and 14 (numbered from 1) have a whole sheet's exercises not right, kind 1
    // only those of the short adapted sheet: the class's weakest are 5, 11 and 14.
    const std::vector<Pupil> mixed{
        {{101, 12, 4, four}, true, {{4, Mark::Wrong}, {10, Mark::Unanswered}}},
        {{102, 12, 4, four}, true, {}},
        {{103, 12, 4, four}, false, {}},
        {{104, 12, 4, four}, true, {{13, Mark::Unreadable}}},
        {{105, 5, 4, four}, true, {{0, Mark::Wrong}}, true},
    };
    const KindChoice five = kindsOf({2, 3, 7, 9, 11});
    const std::map<int, Mark> fourWrong{
        {3, Mark::Wrong}, {7, Mark::Wrong}, {9, Mark::Wrong}, {11, Mark::Wrong}};
    const struct {
        std::vector<Pupil> pupils;
        FollowUpMode mode;
        const char* expected;
    } rows[] = {
        {mixed, FollowUpMode::OwnResults,
         "5, 11: chyby; 1, 5, 11, 14: vše správně; 5, 11, 14: neodevzdáno; 14: chyby; 1: chyby"},
        {mixed, FollowUpMode::WholeClass,
         "5, 11, 14: nejslabší druhy třídy; 5, 11, 14: nejslabší druhy třídy; 5, 11, 14: "
         "nejslabší druhy třídy; 5, 11, 14: nejslabší druhy třídy; 5, 11, 14: nejslabší druhy "
         "třídy"},
        // Four kinds all wrong: the lower three are the weakest.
        {{{{201, 10, 5, five}, true, fourWrong}, {{202, 10, 5, five}, false, {}}},
         FollowUpMode::OwnResults,
         "4, 8, 10, 12: chyby; 4, 8, 10: neodevzdáno"},
        {{{{301, 6, 3, kindsOf({5, 6})}, true, {{6, Mark::Wrong}}},
          {{302, 6, 3, kindsOf({5, 6})}, false, {}}},
         FollowUpMode::OwnResults,
         "7: chyby; 6, 7: neodevzdáno"},
        {{{{401, 20, 5, allKinds}, true, {}}, {{403, 20, 5, allKinds}, true, {{10, Mark::Wrong}}}},
         FollowUpMode::OwnResults,
         "1-15: vše správně; 11: chyby"},
    };
    for (const auto& row : rows) {
        for (const Pupil& pupil : row.pupils) {
            // What the row expects stands on its sheets: the marked kinds, every chosen one.
            KindChoice on = 0;
            for (const SheetItem& item : sheetItems(pupil.sheet)) {
                on |= kindsOf({item.kind});
            }
            for (const auto& [kind, mark] : pupil.notRight) {
                ASSERT_NE(on & kindsOf({kind}), 0) << pupil.sheet.seed;
            }
            ASSERT_TRUE(pupil.sheet.kinds == allKinds || on == pupil.sheet.kinds);
        }
        const SetFile set = setOf(row.pupils);
        const FollowUpPlan plan = followUpPlan(set, row.mode);
        EXPECT_EQ(planText(plan), row.expected);
        for (std::size_t i = 0; i < plan.sheets.size(); ++i) {
            EXPECT_EQ(plan.sheets[i].number, static_cast<int>(i) + 1);
            EXPECT_EQ(plan.sheets[i].name, set.sheets[i].name);
        }
    }
    // A set without a sheet handed in; marks for fewer exercises than the sheet's are none.
    SetFile none = setOf({{{7, 10, 5, allKinds}, false, {}}});
    none.sheets[0].row = SheetRow{{{Mark::Right, 0}}, {}};
    const FollowUpPlan refused = followUpPlan(none, FollowUpMode::WholeClass);
    EXPECT_EQ(refused.refusal, followUpNoResults());
    EXPECT_TRUE(refused.sheets.empty());
}

// The set made from a plan: the same numbers, names, counts and adapted sheets, the planned
// kinds, no two sheets alike, every code reopening its sheet (twelve symbols for chosen kinds,
// eight for all), its file read back as written. Its key's kinds: the window's test and the
// set file's check read them in the PDF.
TEST(FollowUp, MakesASetWhoseCodesReopenItsSheets) {
    std::vector<Pupil> pupils;
    for (std::uint32_t seed = 500; seed < 540; ++seed) {
        const bool adapted = seed % 7 == 0;
        pupils.push_back(
            {{seed, adapted ? 6 : 20, 5, seed % 9 == 0 ? allKinds : kindsOf({0, 4, 10, 13})},
             seed % 5 != 0,
             {{13, seed % 3 == 0 ? Mark::Right : Mark::Wrong}},
             adapted});
    }
    const SetFile set = setOf(pupils);
    const FollowUpPlan plan = followUpPlan(set, FollowUpMode::OwnResults);
    ClockRandom random;
    random.seedWith(33);
    const SetFile made = followUpSet(set, plan, random);
    ASSERT_EQ(made.sheets.size(), set.sheets.size());
    std::set<std::string> lists;
    for (std::size_t i = 0; i < made.sheets.size(); ++i) {
        const Sheet& sheet = made.sheets[i].sheet;
        const Sheet& old = set.sheets[i].sheet;
        EXPECT_EQ(made.sheets[i].name, set.sheets[i].name);
        EXPECT_EQ(made.sheets[i].adapted, set.sheets[i].adapted);
        EXPECT_EQ(std::tuple(sheet.count, sheet.separator, sheet.kinds),
                  std::tuple(old.count, old.separator, plan.sheets[i].kinds));
        const std::string code = sheetCode(sheet);
        EXPECT_EQ(code.size(), sheet.kinds == allKinds ? 9U : 14U) << code;
        EXPECT_EQ(readSheetCode(code), sheet) << code;
        EXPECT_TRUE(lists.insert(sheetLists(sheet).exercises).second) << code;
        EXPECT_EQ(repeatedExercises(sheet), 0) << code;
    }
    const SetFileReading read = readSetFile(writeSetFile(made), "nova.ciferon");
    ASSERT_TRUE(read.set.has_value()) << read.refusal;
    EXPECT_EQ(*read.set, made);
}

// The new set's file is named after the old one's, whatever its extension, and a follow-up's
// follow-up is numbered on.
TEST(FollowUp, NamesTheNewFileAfterTheOld) {
    for (const auto& [followed, name] : std::vector<std::pair<std::string, std::string>>{
             {"5A.ciferon", "5A-procvicovani.ciferon"},
             {"5. A.deleni.ciferon", "5. A.deleni-procvicovani.ciferon"},
             {"trida", "trida-procvicovani.ciferon"},
             {"5A-procvicovani.ciferon", "5A-procvicovani-2.ciferon"},
             {"5A-procvicovani-9.ciferon", "5A-procvicovani-10.ciferon"},
             {"5A-2.ciferon", "5A-2-procvicovani.ciferon"},
             {"", ""}}) {
        EXPECT_EQ(followUpSetName(followed), name) << followed;
    }
}

}  // namespace
}  // namespace ciferon
