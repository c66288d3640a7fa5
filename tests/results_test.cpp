// A sheet's results against the independent evaluator, and a pupil's answers read and marked.
#include <gtest/gtest.h>

#include <stdexcept>

#include "evaluator.h"
#include "results.h"

namespace ciferon {
namespace {

// Every exercise of many sheets: the result read from the solution list is what the
// evaluator works out from the exercise list, and the key's text of it ends the solution.
TEST(Results, MatchTheEvaluatorOnManySheets) {
    int remainders = 0;
    for (std::uint32_t i = 0; i < 200; ++i) {
        const Sheet sheet{i * 42949U + 7U, sheetCountMax, 1 + static_cast<int>(i) % 20};
        const Lists lists = sheetLists(sheet);
        const std::vector<Result> results = sheetResults(sheet);
        ASSERT_EQ(results.size(), static_cast<std::size_t>(sheet.count)) << sheet.seed;
        std::string_view exercises = lists.exercises;
        std::string_view solutions = lists.solutions;
        for (const Result& result : results) {
            std::string_view exercise;
            std::string_view solution;
            do {
                exercise = exercises.substr(0, exercises.find(crlf));
                solution = solutions.substr(0, solutions.find(crlf));
                exercises.remove_prefix(exercise.size() + crlf.size());
                solutions.remove_prefix(solution.size() + crlf.size());
            } while (exercise.empty());
            const auto expected = testing::exerciseValue(exercise);
            ASSERT_TRUE(expected.has_value()) << exercise;
            EXPECT_EQ(result.value, expected->value) << exercise;
            EXPECT_EQ(result.remainder, expected->remainder) << exercise;
            EXPECT_TRUE(solution.ends_with("=" + resultText(result))) << solution;
            remainders += result.remainder ? 1 : 0;
        }
    }
    EXPECT_GT(remainders, 1000);
}

TEST(Results, ReadOnlySolutionLines) {
    // The first exercises of the golden sheet "4XY1-ZKRX".
    EXPECT_EQ(
        readResults("(10+20):(68-65)=30:3=10\r\n49:6 =8 (1)\r\n\r\n19-1+4-18+30-14-20 =0\r\n"),
        (std::vector<Result>{{10, {}}, {8, 1}, {0, {}}}));
    for (const char* faulty :
         {"5.9=45", "45\r\n", "5.9=45 \r\n", "5.9=\r\n", "5.9=045\r\n", "5.9=-45\r\n",
          "5.9=4.5\r\n", "9:2 =4 (1\r\n", "9:2 =4(1)\r\n", "9:2=4 (1)\r\n", "9:2 = (1)\r\n",
          "9:2 =4 ()\r\n", "1=1234567890123456789\r\n"}) {
        EXPECT_THROW(readResults(faulty), std::logic_error) << faulty;
    }
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
        {plain, "61.", "", Mark::Wrong},
        {plain, " ", "", Mark::Unanswered},
        {plain, "61", "3", Mark::Right},  // no remainder field for this result
        {remainder, "8", "3", Mark::Right},
        {remainder, "8", "4", Mark::Wrong},
        {remainder, "8", "", Mark::Wrong},
        {remainder, "", "3", Mark::Wrong},
        {remainder, "", " ", Mark::Unanswered},
        {remainder, "8 (3)", "", Mark::Wrong},
        {plain, "61", nullptr, Mark::Right},
        {plain, "61\r", nullptr, Mark::Right},
        {plain, "", nullptr, Mark::Unanswered},
        {plain, "\r", nullptr, Mark::Unanswered},
        {plain, "61 (0)", nullptr, Mark::Wrong},
        {remainder, "8 (3)", nullptr, Mark::Right},
        {remainder, "8(3)", nullptr, Mark::Right},
        {remainder, " 8 ( 3 ) \r", nullptr, Mark::Right},
        {remainder, "8 zb. 3", nullptr, Mark::Right},
        {remainder, "8 zb.3\r", nullptr, Mark::Right},
        {remainder, "8 Zb. 3", nullptr, Mark::Right},
        {remainder, "8 (4)", nullptr, Mark::Wrong},
        {remainder, "83", nullptr, Mark::Wrong},
        {remainder, "8", nullptr, Mark::Wrong},
        {remainder, "(3)", nullptr, Mark::Wrong},
        {remainder, "zb. 3", nullptr, Mark::Wrong},
        {remainder, "8 zb.", nullptr, Mark::Wrong},
        {remainder, "8 (3", nullptr, Mark::Wrong},
        {remainder, "8 3)", nullptr, Mark::Wrong},
        {remainder, "8 (3) 1", nullptr, Mark::Wrong},
        {remainder, "8 zb 3", nullptr, Mark::Wrong},
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

// Only right answers count as right; a wrong one and one not answered count in the total.
TEST(Answer, SummaryAsEveryFrontEndPrintsIt) {
    const std::vector<Mark> marks{Mark::Right, Mark::Wrong, Mark::Unanswered, Mark::Right};
    EXPECT_EQ(summaryText(marks), "Správně 2 z 4.");
    EXPECT_EQ(summaryText(marks, 1), "Správně 2 z 4. Ukázaná řešení: 1.");
}

}  // namespace
}  // namespace ciferon
