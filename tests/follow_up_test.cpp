// The follow-up set: the kinds each sheet practises as one table, and the set made from them,
// whose codes reopen its sheets, no two alike, with a key that names each sheet's kinds.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "classset/follow_up.h"
#include "classset/seeds.h"
#include "codes/choice.h"
#include "codes/items.h"
#include "layout/document.h"

namespace ciferon {
namespace {

KindChoice kindsOf(std::initializer_list<int> kinds) {
    unsigned choice = 0;
    for (const int kind : kinds) {
        choice |= 1U << static_cast<unsigned>(kind);
    }
    return static_cast<KindChoice>(choice);
}

// A sheet of the set: handed in with every exercise of the listed kinds marked so and the rest
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
    int number = 0;
    for (const Pupil& pupil : pupils) {
        SetSheet sheet{pupil.sheet, pupil.adapted, "Žák " + std::to_string(++number), std::nullopt};
        if (pupil.handedIn) {
            SheetRow row;
            for (const SheetItem& item : sheetItems(pupil.sheet)) {
                const auto found = pupil.notRight.find(item.kind);
                const Mark mark = found == pupil.notRight.end() ? Mark::Right : found->second;
                row.marks.push_back({mark, 0});
            }
            sheet.row = row;
        }
        set.sheets.push_back(sheet);
    }
    return set;
}

// The kinds that stand on the sheet: the table's expectations rely on them.
KindChoice kindsOn(const Sheet& sheet) {
    KindChoice found = 0;
    for (const SheetItem& item : sheetItems(sheet)) {
        found |= kindsOf({item.kind});
    }
    return found;
}

constexpr auto mistakes = FollowUpReason::Mistakes;
constexpr auto allRight = FollowUpReason::AllRight;
constexpr auto notHandedIn = FollowUpReason::NotHandedIn;
constexpr auto wholeClass = FollowUpReason::WholeClass;

TEST(FollowUp, ChoosesEachSheetsKinds) {
    const KindChoice four = kindsOf({0, 4, 10, 13});
    const KindChoice five = kindsOf({2, 3, 7, 9, 11});
    const KindChoice two = kindsOf({5, 6});
    const std::vector<Pupil> mixed{
        {{101, 12, 4, four}, true, {{4, Mark::Wrong}, {10, Mark::Unanswered}}},
        {{102, 12, 4, four}, true, {}},
        {{103, 12, 4, four}, false, {}},
        {{104, 12, 4, four}, true, {{13, Mark::Unreadable}}},
        {{105, 5, 4, four}, true, {{0, Mark::Wrong}}, true},
    };
    const std::vector<Pupil> tied{
        {{201, 10, 5, five},
         true,
         {{3, Mark::Wrong}, {7, Mark::Wrong}, {9, Mark::Wrong}, {11, Mark::Wrong}}},
        {{202, 10, 5, five}, false, {}},
    };
    const std::vector<Pupil> fewKinds{
        {{301, 6, 3, two}, true, {{6, Mark::Wrong}}},
        {{302, 6, 3, two}, false, {}},
    };
    const std::vector<Pupil> everyKind{
        {{401, 20, 5, allKinds}, true, {}},
        {{403, 20, 5, allKinds}, true, {{10, Mark::Wrong}}},
    };
    // In `mixed`, kinds 4, 10 and 13 each have a whole sheet's exercises not right, kind 0
    // only the short adapted sheet's.
    const KindChoice weakMixed = kindsOf({4, 10, 13});
    const struct {
        const char* name;
        std::vector<Pupil> pupils;
        FollowUpMode mode;
        std::vector<std::pair<KindChoice, FollowUpReason>> expected;
        KindChoice weakest;
    } rows[] = {
        {"mistakes, all right, not handed in, adapted",
         mixed,
         FollowUpMode::OwnResults,
         {{kindsOf({4, 10}), mistakes},
          {four, allRight},
          {weakMixed, notHandedIn},
          {kindsOf({13}), mistakes},
          {kindsOf({0}), mistakes}},
         weakMixed},
        {"the whole class",
         mixed,
         FollowUpMode::WholeClass,
         {{weakMixed, wholeClass},
          {weakMixed, wholeClass},
          {weakMixed, wholeClass},
          {weakMixed, wholeClass},
          {weakMixed, wholeClass}},
         weakMixed},
        {"ties go to the lower kind",
         tied,
         FollowUpMode::OwnResults,
         {{kindsOf({3, 7, 9, 11}), mistakes}, {kindsOf({3, 7, 9}), notHandedIn}},
         kindsOf({3, 7, 9})},
        {"fewer kinds than three",
         fewKinds,
         FollowUpMode::OwnResults,
         {{kindsOf({6}), mistakes}, {two, notHandedIn}},
         two},
        {"a set of all kinds",
         everyKind,
         FollowUpMode::OwnResults,
         {{allKinds, allRight}, {kindsOf({10}), mistakes}},
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const Pupil& pupil : row.pupils) {
            KindChoice marked = 0;
            for (const auto& [kind, mark] : pupil.notRight) {
                marked |= kindsOf({kind});
            }
            ASSERT_EQ(kindsOn(pupil.sheet) & marked, marked) << pupil.sheet.seed;
            if (pupil.sheet.kinds != allKinds) {
                ASSERT_EQ(kindsOn(pupil.sheet), pupil.sheet.kinds) << pupil.sheet.seed;
            }
        }
        const SetFile set = setOf(row.pupils);
        const FollowUpPlan plan = followUpPlan(set, row.mode);
        EXPECT_EQ(plan.refusal, "");
        ASSERT_EQ(plan.sheets.size(), row.expected.size());
        for (std::size_t i = 0; i < row.expected.size(); ++i) {
            EXPECT_EQ(plan.sheets[i].number, static_cast<int>(i) + 1);
            EXPECT_EQ(plan.sheets[i].name, set.sheets[i].name);
            EXPECT_EQ(kindListText(plan.sheets[i].kinds), kindListText(row.expected[i].first))
                << "sheet " << i + 1;
            EXPECT_EQ(plan.sheets[i].reason, row.expected[i].second) << "sheet " << i + 1;
        }
        if (row.weakest != 0) {
            EXPECT_EQ(kindListText(plan.weakest), kindListText(row.weakest));
        }
    }
}

TEST(FollowUp, RefusesASetWithoutResults) {
    SetFile set = setOf({{{7, 10, 5, allKinds}, false, {}}, {{8, 10, 5, allKinds}, false, {}}});
    // Marks for fewer exercises than the sheet has are no sheet handed in.
    set.sheets[0].row = SheetRow{{{Mark::Right, 0}}, {}};
    for (const FollowUpMode mode : {FollowUpMode::OwnResults, FollowUpMode::WholeClass}) {
        const FollowUpPlan plan = followUpPlan(set, mode);
        EXPECT_EQ(plan.refusal, followUpNoResults());
        EXPECT_TRUE(plan.sheets.empty());
    }
}

// The set made from a plan: the same numbers, names, counts and adapted sheets, the planned
// kinds, no two sheets alike, every code reopening its sheet (twelve symbols for chosen kinds,
// eight for all), and its file read back as it was written.
TEST(FollowUp, MakesASetWhoseCodesReopenItsSheets) {
    const KindChoice four = kindsOf({0, 4, 10, 13});
    std::vector<Pupil> pupils;
    for (std::uint32_t seed = 500; seed < 540; ++seed) {
        const bool adapted = seed % 7 == 0;
        const bool handedIn = seed % 5 != 0;
        pupils.push_back(
            {{seed, adapted ? 6 : 20, 5, seed % 9 == 0 ? allKinds : four},
             handedIn,
             seed % 3 == 0 ? std::map<int, Mark>{} : std::map<int, Mark>{{13, Mark::Wrong}},
             adapted});
    }
    const SetFile set = setOf(pupils);
    const FollowUpPlan plan = followUpPlan(set, FollowUpMode::OwnResults);
    ClockRandom random;
    random.seedWith(33);
    const SetFile made = followUpSet(set, plan, random);
    ASSERT_EQ(made.sheets.size(), set.sheets.size());
    EXPECT_TRUE(made.kinds);
    EXPECT_EQ(made.heading, set.heading);
    std::set<std::string> lists;
    for (std::size_t i = 0; i < made.sheets.size(); ++i) {
        const SetSheet& sheet = made.sheets[i];
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(sheet.name, set.sheets[i].name);
        EXPECT_EQ(sheet.adapted, set.sheets[i].adapted);
        EXPECT_EQ(sheet.sheet.count, set.sheets[i].sheet.count);
        EXPECT_EQ(sheet.sheet.separator, set.sheets[i].sheet.separator);
        EXPECT_EQ(sheet.sheet.kinds, plan.sheets[i].kinds);
        EXPECT_FALSE(sheet.row.has_value());
        const std::string code = sheetCode(sheet.sheet);
        EXPECT_EQ(code.size(), sheet.sheet.kinds == allKinds ? 9U : 14U) << code;
        EXPECT_EQ(readSheetCode(code), sheet.sheet) << code;
        EXPECT_TRUE(lists.insert(sheetLists(sheet.sheet).exercises).second);
        if (sheet.sheet.count >= 6) {
            EXPECT_EQ(repeatedExercises(sheet.sheet), 0) << code;
        }
    }
    const SetFileReading read = readSetFile(writeSetFile(made), "nova.ciferon");
    ASSERT_TRUE(read.set.has_value()) << read.refusal;
    EXPECT_EQ(*read.set, made);
}

// The key of a follow-up set names each sheet's kinds under its title and the kinds' names
// under "Výsledky"; a class set's key does not.
TEST(FollowUp, TheKeyNamesEachSheetsKinds) {
    const std::vector<PrintSheet> sheets{
        {"A", 1, 2, sheetItems({9, 4, 4, kindsOf({4, 10, 11, 12})}), SheetStyle::Regular,
         kindsOf({4, 10, 11, 12})},
        {"B", 2, 2, sheetItems({9, 4, 4, allKinds}), SheetStyle::Regular, allKinds}};
    for (const bool kinds : {false, true}) {
        const Document document = sheetsDocument(sheets, "5. B", {false, false, kinds});
        const doc::Section* results = nullptr;
        for (const doc::Block& block : document.blocks) {
            if (const auto* section = std::get_if<doc::Section>(&block);
                section != nullptr && section->part == doc::Part::Results) {
                results = section;
            }
        }
        ASSERT_NE(results, nullptr);
        const auto& rows = std::get<doc::Table>(results->body).rows;
        ASSERT_EQ(rows.size(), 2U);
        EXPECT_EQ(rows[0].note, kinds ? "Procvičuje: 5, 11-13" : "");
        EXPECT_EQ(rows[1].note, kinds ? "Procvičuje: 1-15" : "");
        const bool legend =
            std::any_of(results->notes.begin(), results->notes.end(), [](const doc::Heading& note) {
                return note.text.starts_with("Druhy příkladů: 1 – Součin dvou závorek; 2 – ");
            });
        EXPECT_EQ(legend, kinds);
    }
}

}  // namespace
}  // namespace ciferon
