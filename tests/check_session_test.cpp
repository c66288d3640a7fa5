// A pupil's check kept as a session: which mark counts for an exercise as it is evaluated,
// corrected and its solution shown, and how a division's solution reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes/items.h"
#include "marking/check_session.h"
#include "marking/mistakes.h"

namespace ciferon {
namespace {

// 34:5 = 6 (4), whose wrong answers "6 zb. 0" and "4 zb. 6" name their mistakes.
SheetItem division() {
    return {1, 10, "34:5 =", "6 (4)", {6, 4}, false};
}

SheetItem sum() {
    return {2, 13, "56+27 =", "83", {83, {}}, false};
}

struct Step {
    bool show;  // "Ukázat řešení"; else "Vyhodnotit" with the fields below
    const char* answer = "";
    const char* remainder = "";
};

struct Row {
    const char* name;
    std::vector<Step> steps;  // of the division
    MarkedAnswer mark;        // what is shown and counted at the end
    bool offers;              // "Ukázat řešení" offered at the end
    const char* summary;      // with the sum answered right
};

const MistakeSet missing = mistakeBit(Mistake::RemainderMissing);
const MistakeSet swapped = mistakeBit(Mistake::Swapped);
const std::string missingLine = "\n– chybí zbytek: 1×";
const std::string swappedLine = "\n– asi prohozený podíl a zbytek: 1×";

TEST(CheckSession, AShownSolutionCountsTheFirstEvaluatedAnswer) {
    const std::vector<Row> table = {
        {"right at once", {{false, "6", "4"}}, {Mark::Right}, false, "Správně 2 z 2."},
        {"wrong, offered its solution",
         {{false, "6", ""}},
         {Mark::Wrong, missing},
         true,
         "Správně 1 z 2."},
        {"a slip mended without the solution counts as mended",
         {{false, "6", ""}, {false, "6", "4"}},
         {Mark::Right},
         false,
         "Správně 2 z 2."},
        {"the solution shown, then copied: still wrong with its mistake",
         {{false, "6", ""}, {true}, {false, "6", "4"}},
         {Mark::Wrong, missing},
         false,
         "Správně 1 z 2. Ukázaná řešení: 1."},
        {"two wrong answers before the solution: the first counts",
         {{false, "4", "6"}, {false, "6", ""}, {true}, {false, "6", "4"}},
         {Mark::Wrong, swapped},
         false,
         "Správně 1 z 2. Ukázaná řešení: 1."},
        {"not answered at first, then wrong, then shown: the wrong one counts",
         {{false}, {false, "6", ""}, {true}, {false, "6", "4"}},
         {Mark::Wrong, missing},
         false,
         "Správně 1 z 2. Ukázaná řešení: 1."},
        {"shown before any answer: not answered for good",
         {{true}, {false, "6", "4"}},
         {Mark::Unanswered},
         false,
         "Správně 1 z 2. Ukázaná řešení: 1."},
        {"shown twice counts once",
         {{false, "7", ""}, {true}, {true}},
         {Mark::Wrong},
         false,
         "Správně 1 z 2. Ukázaná řešení: 1."},
    };
    for (const Row& row : table) {
        CheckSession session({division(), sum()});
        EXPECT_FALSE(session.evaluated()) << row.name;
        for (const Step& step : row.steps) {
            if (step.show) {
                session.showSolution(0);
            } else {
                session.evaluate(0, step.answer, step.remainder);
                session.evaluate(1, "83");
            }
        }
        EXPECT_EQ(session.mark(0), row.mark) << row.name;
        EXPECT_EQ(session.offersSolution(0), row.offers) << row.name;
        const std::string lines = row.mark.mistakes == missing   ? missingLine
                                  : row.mark.mistakes == swapped ? swappedLine
                                                                 : "";
        EXPECT_EQ(session.summary(), row.summary + lines) << row.name;
    }
}

TEST(CheckSession, ShowingASolutionSaysWhetherItWasNew) {
    CheckSession session({division(), sum()});
    session.evaluate(1, "84");
    EXPECT_TRUE(session.offersSolution(1));
    EXPECT_TRUE(session.showSolution(1));
    EXPECT_FALSE(session.showSolution(1));
    EXPECT_TRUE(session.solutionShown(1));
    EXPECT_FALSE(session.solutionShown(0));
    EXPECT_EQ(session.shownCount(), 1);
    EXPECT_TRUE(session.evaluated());
}

TEST(CheckSession, ADivisionsSolutionReadsAsTheFieldsTakeIt) {
    EXPECT_EQ(checkSolution(division()), "34:5 =6 zb. 4");
    EXPECT_EQ(checkSolution(sum()), "56+27 =83");
    const SheetItem worked{3, 12, "63:9+4 =", "7+4 =11", {11, {}}, false};
    EXPECT_EQ(checkSolution(worked), "63:9+4 =7+4 =11");
}

}  // namespace
}  // namespace ciferon
