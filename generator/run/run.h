// The generation run: one press of "Generuj". It asks for the exercise count and the
// separator count, deals the fifteen exercise kinds into a shuffled order and builds the
// exercise list and the solution list.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kinds/kinds.h"

namespace ciferon {

// Ends every line of both lists.
inline constexpr std::string_view crlf{"\r\n"};

inline constexpr std::string_view countQuestion{"Kolik příkladů? (max.200)"};
inline constexpr int countDefault = 100;
inline constexpr double countMax = 200;
inline constexpr std::string_view separatorQuestion{"Po kolika oddělovat? (max. 20)"};
inline constexpr int separatorDefault = 10;
inline constexpr double separatorMax = 20;

// Exercise i reads slot (i mod slotsRead) of the kind order.
inline constexpr int slotsRead = 10;

// Kind order: which kind each of the 15 slots deals out.
using KindOrder = std::array<std::int16_t, kindCount>;

// The deal: for M from 0 to the last slot, exchanges slot M with slot draw 0..last slot, so
// it always takes as many random values as it has slots. The run deals all 15 slots of its
// kind order; a sheet of chosen kinds deals only as many slots as it has kinds.
void deal(std::span<std::int16_t> poradi, RandomSource& random);

// The accepted separator count as the whole number that the empty-line test uses (nearest,
// halves to even), or 0 when the answer is refused. Refused: at most 0.5 (it would round to
// 0, and no exercise number is a multiple of 0) or above the maximum.
int separatorInterval(double k);

bool acceptsCount(double n);

struct Lists {
    std::string exercises;
    std::string solutions;
};

// Builds both lists for an accepted count n and separator interval from a freshly seeded
// source: makes exercises 1 up to n with the kinds of the table. All fifteen kinds are dealt
// as the run deals them: the kind order filled with 0..14 and dealt, exercise i read from
// slot (i mod 10), a new deal after every 14th exercise. A subset takes turns as run.cpp
// describes. `kindsMade`, when given, receives the kind number of every exercise (for tests).
// Throws std::invalid_argument for an empty choice or one beyond the fifteen kinds.
Lists makeLists(double n, int interval, RandomSource& random, KindChoice dealt,
                const KindTable& kinds = exerciseKinds, std::vector<int>* kindsMade = nullptr);

// One exercise as the list making makes it: its kind, its two texts, and whether a group
// ends after it (an empty line follows it in both lists).
struct MadeExercise {
    int kind = 0;
    Exercise texts;
    bool groupEnd = false;
};

// The exercises that makeLists writes into its two lists, one by one, from the same draws.
std::vector<MadeExercise> makeExercises(double n, int interval, RandomSource& random,
                                        KindChoice dealt, const KindTable& kinds = exerciseKinds);

// The run's own list making: all fifteen kinds dealt.
Lists makeLists(double n, int interval, RandomSource& random,
                const KindTable& kinds = exerciseKinds);

// The run's caller: the window, a test or a benchmark.
class RunHost {
  public:
    virtual ~RunHost() = default;
    // Asks the question with the default answer shown; returns the confirmed text, or the
    // empty text when the prompt is cancelled.
    virtual std::string askNumber(std::string_view question, int defaultAnswer) = 0;
    // Called only for an accepted run.
    virtual void showResults(const std::string& exercises, const std::string& solutions) = 0;
};

// One generation run. Returns false when an answer was refused: then the second question
// was not asked after a refused first one, nothing was shown and no random value was taken.
bool run(RunHost& host, RandomSource& random);

}  // namespace ciferon
