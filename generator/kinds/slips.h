// The well-known slips of the exercises, each worked out exactly from an exercise's numbers:
// the wrong answers they give. Every kind names its detector in the catalogue of kinds
// (kinds/kinds.h); marking/mistakes.h names the mistakes in words and marks answers by them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kinds/kind.h"

namespace ciferon {

// The mistakes, in the order in which they are named, counted and lettered.
enum class Mistake : std::uint8_t {
    LeftToRight,     // "." or ":" beside "+" or "-": every step from the left (kinds 3-8, 11, 12)
    CarryForgotten,  // the ten carried or borrowed forgotten (kinds 13, 14)
    UnitsReversed,   // the smaller units digit taken from the larger (kind 14)
    RemainderTooLarge,  // a quotient too small, its remainder not below the divisor (kind 10)
    RemainderMissing,   // the right quotient, the remainder empty or 0 (kind 10)
    Swapped,            // the quotient and the remainder swapped (kind 10)
    OneSign,            // one "+" of a chain taken as "-", or one "-" as "+" (kind 9)
};
inline constexpr int mistakeCount = 7;

// Some mistakes: bit m set for Mistake m. Read in the order of Mistake.
using MistakeSet = std::uint8_t;
constexpr MistakeSet mistakeBit(Mistake mistake) {
    return static_cast<MistakeSet>(1U << static_cast<unsigned>(mistake));
}
inline constexpr MistakeSet allMistakes = (1U << mistakeCount) - 1;

// One wrong answer that a mistake gives. RemainderMissing's remainder is 0, which an empty
// remainder also matches.
struct WrongAnswer {
    Mistake mistake = Mistake::LeftToRight;
    Result answer;
};

// The wrong answers of one exercise, in the order of Mistake, no two alike for one mistake
// and none equal to the right result. A fixed number of places, so that naming mistakes
// allocates nothing: more than any exercise of the kinds needs.
class WrongAnswers {
  public:
    static constexpr std::size_t capacity = 16;
    const WrongAnswer* begin() const { return answers_.data(); }
    const WrongAnswer* end() const { return answers_.data() + size_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const WrongAnswer& operator[](std::size_t i) const { return answers_[i]; }
    // Adds one unless it is the right result, is there already, or there is no room left.
    void add(Mistake mistake, const Result& answer, const Result& right);

  private:
    std::array<WrongAnswer, capacity> answers_{};
    std::size_t size_ = 0;
};

// An exercise text as numbers and signs, in a fixed number of places: more than any kind's
// exercise has.
struct ExerciseToken {
    char sign = 0;  // one of ( ) + - . : or 0 for a number
    long long number = 0;
};
struct ExerciseTokens {
    std::array<ExerciseToken, 32> at{};
    std::size_t size = 0;
};

// Splits an exercise text, its closing "=" or " =" left out, into numbers and signs; false
// for anything else, or too many pieces.
bool tokensOf(std::string_view exercise, ExerciseTokens& tokens);

// A kind's detector: adds the wrong answers that its slips give for an exercise of the kind,
// `right` being its result. An exercise not of the detector's form gives none.
using MistakeDetector = void (*)(const ExerciseTokens& tokens, const Result& right,
                                 WrongAnswers& wrong);

// "." or ":" beside "+" or "-" worked strictly from the left (kinds 3-8, 11, 12).
void leftToRightSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong);
// The ten carried forgotten in a two-digit sum (kind 13).
void carrySlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong);
// The ten borrowed forgotten, or the units taken the wrong way round, in a two-digit
// difference (kind 14).
void borrowSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong);
// A quotient too small, the remainder missing, or quotient and remainder swapped (kind 10).
void remainderSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong);
// One sign of a chain of additions and subtractions the other way round (kind 9).
void oneSignSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong);

}  // namespace ciferon
