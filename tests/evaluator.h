// An independent reader of the generated lists: it parses every exercise and every worked
// step of its solution as a pupil would, and checks the arithmetic, the number ranges of the
// exercise's kind and the layout of both lists. It knows the kinds only by the shape of
// their texts, not by the generator's code.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ciferon::testing {

// Kinds 1 and 2 can look alike: «(8-5):(20-17)=» may be either. Such a line counts here.
inline constexpr int eitherBracketQuotient = 15;

struct Verdict {
    int kind = -1;      // 0..14, eitherBracketQuotient, or -1 when not recognised
    std::string fault;  // empty when the exercise is sound
};

// One exercise: its exercise text and the solution-list line (exercise text and solution).
Verdict checkExercise(std::string_view exercise, std::string_view solutionLine);

// What an exercise text («4.10-12 =», «19:6 =») comes to, worked out from the text alone:
// the whole number, or for division with remainder the quotient and the remainder. nullopt
// for a text that is not a sound exercise.
struct ExerciseValue {
    int value = 0;
    std::optional<int> remainder;
};
std::optional<ExerciseValue> exerciseValue(std::string_view exercise);

struct ListsVerdict {
    std::array<int, eitherBracketQuotient + 1> kindsSeen{};  // how many of each
    std::string fault;                                       // the first fault found
};

// Both lists of a run of `count` exercises with an empty line after every interval-th.
ListsVerdict checkLists(std::string_view exercises, std::string_view solutions, int count,
                        int interval);

}  // namespace ciferon::testing
