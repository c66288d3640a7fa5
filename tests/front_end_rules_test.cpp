// The rules that the window and the page both frame, each decided once in the core: how a
// typed count reads, how the adapted sheets' count follows the set's, the topic boxes, whether
// the fields still hold an opened sheet, and the projection's keys, clicks and frame.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "classset/entry.h"
#include "codes/choice.h"
#include "codes/items.h"
#include "projection/projection.h"

namespace ciferon {
namespace {

TEST(TypedCount, ReadsWholeNumbersAndNothingElse) {
    struct Case {
        const char* typed;
        int count;    // typedCount
        int adapted;  // typedAdaptedCount
    };
    const std::vector<Case> cases{
        {"12", 12, 12},        {" 12\t", 12, 12}, {"+5", 5, 5},
        {"-3", -3, -3},        {"0", 0, -1},      {"", 0, -1},
        {"  ", 0, -1},         {"1.5", 0, -1},    {"10.0", 0, -1},
        {"1e1", 0, -1},        {"12a", 0, -1},    {"1 2", 0, -1},
        {"+-3", 0, -1},        {"+", 0, -1},      {"2147483647", 2147483647, 2147483647},
        {"2147483648", 0, -1}, {"čtyři", 0, -1},
    };
    for (const Case& one : cases) {
        EXPECT_EQ(typedCount(one.typed), one.count) << "«" << one.typed << "»";
        EXPECT_EQ(typedAdaptedCount(one.typed), one.adapted) << "«" << one.typed << "»";
    }
}

// A dialog's life: the set's count changes and the teacher types the adapted count; it follows
// the set's count until the teacher sets another, and then for good.
TEST(AdaptedCount, FollowsTheSetsCountUntilTheTeacherSetsAnother) {
    struct Step {
        int adaptedCount;  // as the teacher left it
        int count;         // the set's count
        bool follows;      // afterwards
    };
    const std::vector<Step> steps{
        {20, 20, true},   // typed the same as the set's: still follows
        {15, 20, false},  // another: set
        {20, 20, false},  // back to the set's: set all the same
    };
    bool follows = true;
    for (const Step& step : steps) {
        follows = adaptedCountFollows(follows, step.adaptedCount, step.count);
        EXPECT_EQ(follows, step.follows) << step.adaptedCount << " of " << step.count;
    }
    EXPECT_FALSE(adaptedCountFollows(true, -1, 20));  // emptied

    struct Setting {
        bool follows;
        int adaptedCount;
        const char* adapted;
        int setting;
    };
    const std::vector<Setting> settings{
        {true, 20, "3", 0},       // following: as many as on the others
        {false, 15, "3, 7", 15},  // set
        {false, -1, "3", -1},     // set, then emptied: out of range, not the default
        {false, 15, "", 0},       // no adapted sheets: the count means nothing
        {false, 15, " \t", 0},
    };
    for (const Setting& one : settings) {
        EXPECT_EQ(adaptedCountSetting(one.follows, one.adaptedCount, one.adapted), one.setting)
            << one.follows << " " << one.adaptedCount << " «" << one.adapted << "»";
        EXPECT_EQ(adaptedSheetsListed(one.adapted),
                  std::string_view(one.adapted).find_first_not_of(" \t") != std::string_view::npos);
    }
}

TEST(KindChoice, TopicBoxesShowAndTickTheirKinds) {
    // "Přednost násobení a dělení": kinds 3-8, 11 and 12.
    const KindTopic& precedence = kindTopics().at(1);
    constexpr KindChoice topicKinds = 0x19F8;
    constexpr KindChoice others = allKinds & ~topicKinds;
    struct Case {
        KindChoice chosen;
        TopicState state;
        KindChoice afterClick;
    };
    const std::vector<Case> cases{
        {0, TopicState::Cleared, topicKinds},
        {others, TopicState::Cleared, allKinds},
        {1U << 3, TopicState::Partly, topicKinds},
        {static_cast<KindChoice>(topicKinds & ~(1U << 12)), TopicState::Partly, topicKinds},
        {topicKinds, TopicState::Ticked, 0},
        {allKinds, TopicState::Ticked, others},
    };
    for (const Case& one : cases) {
        EXPECT_EQ(topicState(precedence, one.chosen), one.state) << one.chosen;
        EXPECT_EQ(clickTopic(precedence, one.chosen), one.afterClick) << one.chosen;
    }
}

TEST(Items, FieldsHoldASheetUneditedWithEitherLineBreak) {
    const Lists lists{"1+2 =\r\n\r\n3+4 =\r\n", "1+2 =3\r\n\r\n3+4 =7\r\n"};
    struct Case {
        const char* exercises;
        const char* solutions;
        bool holds;
    };
    const std::vector<Case> cases{
        {"1+2 =\r\n\r\n3+4 =\r\n", "1+2 =3\r\n\r\n3+4 =7\r\n", true},
        {"1+2 =\n\n3+4 =\n", "1+2 =3\n\n3+4 =7\n", true},  // as text fields hand them back
        {"1+2 =\n\r\n3+4 =\n", "1+2 =3\r\n\n3+4 =7\r\n", true},
        {"1+2 =\n\n3+4 =", "1+2 =3\n\n3+4 =7\n", false},  // the last line break deleted
        {"1+2 =\n\n3+4 =\n\n", "1+2 =3\n\n3+4 =7\n", false},
        {"1+2 =\n\n3+4 =\n", "1+2 =4\n\n3+4 =7\n", false},  // a solution edited
        {"1+2 =\r\r\n3+4 =\n", "1+2 =3\n\n3+4 =7\n", false},
        {"", "", false},
    };
    for (const Case& one : cases) {
        EXPECT_EQ(holdsUnedited(lists, one.exercises, one.solutions), one.holds)
            << one.exercises << "|" << one.solutions;
    }
    EXPECT_TRUE(holdsUnedited(Lists{}, "", ""));
}

TEST(Projection, KeysByTheirNamesAndClicksByTheirHalf) {
    using Action = Projection::Action;
    const std::vector<std::pair<const char*, std::optional<Action>>> keys{
        {"ArrowRight", Action::Next}, {"PageDown", Action::Next},
        {" ", Action::Next},          {"ArrowLeft", Action::Previous},
        {"PageUp", Action::Previous}, {"Enter", Action::Step},
        {"ArrowDown", Action::Step},  {"ArrowUp", Action::Unstep},
        {"p", Action::Pause},         {"P", Action::Pause},
        {"b", Action::Blank},         {"B", Action::Blank},
        {"Escape", Action::End},      {"Esc", std::nullopt},
        {"arrowright", std::nullopt}, {"Tab", std::nullopt},
        {"q", std::nullopt},          {"", std::nullopt},
        {"Home", std::nullopt},       {"Backspace", std::nullopt},
    };
    for (const auto& [key, action] : keys) {
        EXPECT_EQ(projectionKeyAction(key), action) << "«" << key << "»";
    }
    EXPECT_EQ(projectionClickAction(0, 1000), Action::Previous);
    EXPECT_EQ(projectionClickAction(499.9, 1000), Action::Previous);
    EXPECT_EQ(projectionClickAction(500, 1000), Action::Next);
    EXPECT_EQ(projectionClickAction(999, 1000), Action::Next);
}

TEST(Projection, TheFrameStandsInProportionToTheScreensHeight) {
    struct Case {
        int height;
        double margin;
        int cornerSize, timeSize;
        double exerciseTop;
    };
    const std::vector<Case> cases{
        {1080, 27, 36, 54, 324},
        {768, 19.2, 25, 38, 230.4},
        {29, 0.725, 0, 1, 8.7},
    };
    for (const Case& one : cases) {
        const ProjectionFrame frame = projectionFrame(one.height);
        EXPECT_DOUBLE_EQ(frame.margin, one.margin) << one.height;
        EXPECT_EQ(frame.cornerSize, one.cornerSize) << one.height;
        EXPECT_EQ(frame.timeSize, one.timeSize) << one.height;
        EXPECT_DOUBLE_EQ(frame.timeAbove, one.margin / 2) << one.height;
        EXPECT_DOUBLE_EQ(frame.exerciseTop, one.exerciseTop) << one.height;
        EXPECT_DOUBLE_EQ(frame.stepsBelow, 1.3);
        EXPECT_DOUBLE_EQ(frame.cellGap, 2 / 3.0);
    }
}

}  // namespace
}  // namespace ciferon
