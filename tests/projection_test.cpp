// The projection view's rules: its transitions, the steps of every kind's worked solution,
// the type size and the request's sheet.
#include <gtest/gtest.h>

#include <numeric>

#include "marking/results.h"
#include "projection/projection.h"
#include "texts/texts.h"

namespace ciferon {
namespace {

using Action = Projection::Action;

// One move of a scenario: an action, or the clock ticking `ms` milliseconds.
struct Move {
    char key;  // n p s u P B E, or t for a tick
    int ms = 0;
};

Action actionOf(char key) {
    switch (key) {
        case 'n':
            return Action::Next;
        case 'p':
            return Action::Previous;
        case 's':
            return Action::Step;
        case 'u':
            return Action::Unstep;
        case 'P':
            return Action::Pause;
        case 'B':
            return Action::Blank;
        default:
            return Action::End;
    }
}

// "exercise/steps shown seconds left", then P (paused), B (blanked), E (ended) as they hold.
std::string state(const Projection& view) {
    std::string text = std::to_string(view.current()) + "/" + std::to_string(view.stepsShown()) +
                       " " + std::to_string(view.secondsLeft()) + "s";
    text += view.paused() ? " P" : "";
    text += view.blanked() ? " B" : "";
    text += view.finished() ? " E" : "";
    return text;
}

struct Scenario {
    const char* name;
    int seconds;
    std::vector<Move> moves;
    std::vector<std::string> states;  // after each move
};

// AFKB-MJZY: three exercises whose solutions take two, two and one step.
const Sheet threeExercises{1234567, 3, 2};

TEST(Projection, TransitionsFollowTheKeysAndTheClock) {
    const std::vector<Scenario> scenarios{
        {"next to the end screen and no further, back from it",
         0,
         {{'n'}, {'n'}, {'n'}, {'n'}, {'p'}, {'p'}, {'p'}, {'p'}},
         {"1/0 0s", "2/0 0s", "3/0 0s", "3/0 0s", "2/0 0s", "1/0 0s", "0/0 0s", "0/0 0s"}},
        {"steps up to the solution's last, hidden again, forgotten on the next exercise",
         0,
         {{'s'}, {'s'}, {'s'}, {'u'}, {'u'}, {'u'}, {'s'}, {'n'}, {'s'}, {'s'}},
         {"0/1 0s", "0/2 0s", "0/2 0s", "0/1 0s", "0/0 0s", "0/0 0s", "0/1 0s", "1/0 0s", "1/1 0s",
          "1/2 0s"}},
        {"the timer runs out into the next exercise and, after the last, the end screen",
         2,
         {{'t', 999},
          {'t', 1},
          {'s'},
          {'t', 1000},
          {'t', 2000},
          {'t', 1500},
          {'t', 500},
          {'t', 5000}},
         {"0/0 2s", "0/0 1s", "0/1 1s", "1/0 2s", "2/0 2s", "2/0 1s", "3/0 0s", "3/0 0s"}},
        {"back starts that exercise's time again",
         10,
         {{'t', 4000}, {'n'}, {'t', 7000}, {'p'}, {'t', 2500}, {'p'}},
         {"0/0 6s", "1/0 10s", "1/0 3s", "0/0 10s", "0/0 8s", "0/0 8s"}},
        {"pause holds the time, across exercises too, until pressed again",
         5,
         {{'P'}, {'t', 9000}, {'n'}, {'t', 9000}, {'P'}, {'t', 4999}},
         {"0/0 5s P", "0/0 5s P", "1/0 5s P", "1/0 5s P", "1/0 5s", "1/0 1s"}},
        {"blank holds the time; any key only brings the view back, B as well",
         5,
         {{'B'}, {'t', 9000}, {'n'}, {'B'}, {'s'}, {'B'}, {'B'}, {'t', 2000}},
         {"0/0 5s B", "0/0 5s B", "0/0 5s", "0/0 5s B", "0/0 5s", "0/0 5s B", "0/0 5s", "0/0 3s"}},
        {"Esc ends the view, blanked or not, and nothing moves it after",
         5,
         {{'B'}, {'E'}, {'n'}, {'t', 9000}, {'B'}},
         {"0/0 5s B", "0/0 5s B E", "0/0 5s B E", "0/0 5s B E", "0/0 5s B E"}},
        {"no pause without a timer, and none on the end screen",
         0,
         {{'P'}, {'n'}, {'n'}, {'n'}, {'P'}, {'s'}},
         {"0/0 0s", "1/0 0s", "2/0 0s", "3/0 0s", "3/0 0s", "3/0 0s"}},
    };
    for (const Scenario& scenario : scenarios) {
        Projection view(threeExercises, scenario.seconds);
        ASSERT_EQ(scenario.moves.size(), scenario.states.size()) << scenario.name;
        for (std::size_t i = 0; i < scenario.moves.size(); ++i) {
            const Move& move = scenario.moves[i];
            const std::string before = state(view);
            const bool changed =
                move.key == 't' ? view.tick(move.ms) : view.act(actionOf(move.key));
            EXPECT_EQ(state(view), scenario.states[i]) << scenario.name << ", move " << i;
            // A change of state is always reported; the bar may also shrink within a second.
            if (state(view) != before) {
                EXPECT_TRUE(changed) << scenario.name << ", move " << i;
            }
        }
    }
}

TEST(Projection, ShowsTheCornerTheStepLineAndWhatAScreenReaderSays) {
    Projection view(threeExercises, 4);
    EXPECT_EQ(view.code(), "AFKB-MJZY");
    view.act(Action::Next);
    view.act(Action::Step);
    EXPECT_EQ(view.cornerText(), "2 / 3");
    EXPECT_EQ(view.stepLine(), "5.8=");
    EXPECT_EQ(view.spokenText(), "Příklad 2 z 3: (77-72).(18-10)= 5.8=");
    view.act(Action::Step);
    EXPECT_EQ(view.stepLine(), "5.8=40");
    view.tick(1000);
    EXPECT_DOUBLE_EQ(view.timeShare(), 0.75);
    view.act(Action::Blank);
    EXPECT_EQ(view.spokenText(), blankedText);
    view.act(Action::Blank);
    view.act(Action::Next);
    view.act(Action::Next);
    EXPECT_EQ(view.cornerText(), "3 / 3");
    EXPECT_EQ(view.spokenText(), "Výsledky, Kód AFKB-MJZY: 1. 69 2. 40 3. 28");
    EXPECT_EQ(view.timeShare(), 0.0);
}

TEST(Projection, StepsAreTheSolutionsPiecesBetweenItsEqualsSigns) {
    struct Case {
        const char* exercise;
        const char* working;
        std::vector<std::string> steps;
    };
    const std::vector<Case> cases{
        {"(31-27).(58-52)=", "4.6=24", {"4.6=", "24"}},
        {"5.10+5+2+3.4=", "50+5+2+12=69", {"50+5+2+12=", "69"}},
        {"12+3.4 =", "12+12 =24", {"12+12 =", "24"}},
        {"49:6 =", "8 (1)", {"8 (1)"}},
        {"19-1+4-18+30-14-20 =", "0", {"0"}},
    };
    for (const Case& one : cases) {
        SheetItem item;
        item.exercise = one.exercise;
        item.working = one.working;
        EXPECT_EQ(solutionSteps(item), one.steps) << one.working;
    }
    SheetItem broken;
    broken.exercise = "45-17 =";
    EXPECT_THROW(solutionSteps(broken), std::logic_error);

    // Every kind: the steps join to the worked solution, all but the last end with "=", the
    // last is the result, and each kind takes its number of steps.
    const std::array<std::size_t, kindCount> stepsOfKind{2, 2, 2, 2, 2, 2, 2, 2,
                                                         2, 1, 1, 2, 2, 1, 1};
    for (int kind = 0; kind < kindCount; ++kind) {
        const Sheet sheet{99U + static_cast<unsigned>(kind), 30, 5,
                          static_cast<KindChoice>(1U << static_cast<unsigned>(kind))};
        for (const SheetItem& item : sheetItems(sheet)) {
            const std::vector<std::string> steps = solutionSteps(item);
            ASSERT_EQ(steps.size(), stepsOfKind.at(static_cast<std::size_t>(kind))) << item.working;
            EXPECT_EQ(std::accumulate(steps.begin(), steps.end(), std::string()), item.working);
            for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
                EXPECT_TRUE(steps[i].ends_with("=")) << item.working;
            }
            EXPECT_EQ(steps.back(), resultText(item.result)) << item.working;
        }
    }
}

TEST(Projection, TypeSizeIsAnEighthOfTheHeightUnlessTheTextMustShrinkToFitTheWidth) {
    struct Case {
        int width, height;
        double widthAtReference;
        int size;
    };
    const std::vector<Case> cases{
        {1024, 768, 400, 96},     // short: an eighth of 768
        {1024, 768, 1000, 92},    // 921.6 px of room for 10 px per pixel of size
        {1920, 1080, 1300, 132},  // 1728 / 13 = 132.9
        {1920, 1080, 0, 135},
    };
    for (const Case& one : cases) {
        EXPECT_EQ(exerciseTypeSize(one.width, one.height, one.widthAtReference), one.size)
            << one.widthAtReference;
    }
    // 30 results: 6 rows of 5, and the height's 8 lines and a half decide at 1024 x 768.
    EXPECT_EQ(resultsPerRow(30), 5);
    EXPECT_EQ(resultsPerRow(200), 34);
    EXPECT_EQ(resultsTypeSize(1024, 768, 200, 30), 57);
    EXPECT_EQ(resultsTypeSize(1024, 768, 400, 30), 46);
}

TEST(Projection, TheRequestGivesANewSheetInGroupsOfFiveOrTheSheetOfItsCode) {
    ClockRandom random;
    ProjectionRequest request;
    request.kinds = 0x0400;
    const ProjectionSheet made = projectionSheet(request, random);
    ASSERT_TRUE(made.sheet) << made.problem;
    EXPECT_EQ(made.sheet->count, projectionCountDefault);
    EXPECT_EQ(made.sheet->separator, sheetSeparatorDefault);
    EXPECT_EQ(made.sheet->kinds, 0x0400);
    EXPECT_EQ(readSheetCode(sheetCode(*made.sheet)), made.sheet);

    request.code = " afkb mjzy ";
    EXPECT_EQ(projectionSheet(request, random).sheet, threeExercises);

    struct Refused {
        int count, seconds;
        KindChoice kinds;
        const char* code;
        const char* problem;
    };
    for (const Refused& one : std::vector<Refused>{
             {31, 0, allKinds, "", "Počet příkladů musí být celé číslo od 1 do 30."},
             {0, 0, allKinds, "  ", "Počet příkladů musí být celé číslo od 1 do 30."},
             {10, 601, allKinds, "", "Počet sekund na příklad musí být celé číslo od 0 do 600."},
             {10, -1, allKinds, "AFKB-MJZY",
              "Počet sekund na příklad musí být celé číslo od 0 do 600."},
             {10, 0, 0, "", "Zaškrtněte aspoň jeden druh příkladů."},
             {10, 0, allKinds, "AFKB-MJZZ", "Kód listu „AFKB-MJZZ“ není platný."},
         }) {
        const ProjectionSheet refused =
            projectionSheet({one.count, one.seconds, one.kinds, one.code}, random);
        EXPECT_FALSE(refused.sheet) << one.problem;
        EXPECT_EQ(refused.problem, one.problem);
    }

    // The sheet of a code keeps to the count's limit too, whatever the count field holds.
    for (const Sheet& sheet :
         {Sheet{4242, 30, 5, allKinds}, Sheet{4242, 31, 5, allKinds}, Sheet{77, 200, 20, 0x0400}}) {
        const std::string code = sheetCode(sheet);
        const ProjectionSheet chosen = projectionSheet({5, 0, allKinds, code}, random);
        if (sheet.count <= projectionCountMax) {
            EXPECT_EQ(chosen.sheet, sheet) << chosen.problem;
            continue;
        }
        EXPECT_FALSE(chosen.sheet) << code;
        EXPECT_EQ(chosen.problem, "List kódu „" + code + "“ má " + std::to_string(sheet.count) +
                                      " příkladů. Počet příkladů musí být celé číslo od 1 do 30.");
    }
}

}  // namespace
}  // namespace ciferon
