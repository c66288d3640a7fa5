// What every exercise kind shares: the base factors that the run hands it, the tools it may
// use, the two texts it returns, and the choice of kinds that a sheet practises.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/number_text.h"
#include "base/random.h"

namespace ciferon {

// The highest kind number; also the highest slot of the kind order and the number of
// exercises that one deal of the kind order serves.
inline constexpr int highestKind = 14;
inline constexpr int kindCount = highestKind + 1;
// An operation term: a product «3.4» or an exact quotient «35:7», with its value.
struct OperationTerm {
    std::string text;
    int value;
};

// x.y, worth x * y.
OperationTerm product(int x, int y);
// (x * y):x, worth y: the division always comes out whole.
OperationTerm quotient(int x, int y);

// What the run hands to every exercise kind.
struct BaseFactors {
    int a;  // 1..10
    int b;  // 2..10
    int p;  // a * b
};

// What an exercise comes to, as its kind worked it out.
struct Result {
    long long value = 0;                 // the whole-number result, or the quotient
    std::optional<long long> remainder;  // set only for division with remainder
    bool operator==(const Result&) const = default;
};

// What a kind returns: the exercise, its working (the worked solution without the exercise,
// ending with the result) and the result itself. The solution list receives the exercise and
// the working joined.
struct Exercise {
    std::string exercise;
    std::string working;
    Result result;
    bool operator==(const Exercise&) const = default;
};

// The four term slots that the four-addend kinds fill, shuffle and sum. A run owns one set
// for its whole duration; every exercise writes all four slots before reading any.
struct AddendSlots {
    std::array<std::string, 4> text;
    std::array<std::int16_t, 4> value{};
};

// Everything a kind may use besides the base factors.
struct KindTools {
    RandomSource& random;
    AddendSlots& addends;
};

using ExerciseKind = Exercise (*)(const BaseFactors&, KindTools&);

using KindTable = std::array<ExerciseKind, kindCount>;

// Which of the fifteen exercise kinds a sheet practises: bit k set for kind k (0..14).
using KindChoice = std::uint16_t;
inline constexpr KindChoice allKinds = 0x7FFF;

}  // namespace ciferon
