// The generation run: one press of "Generuj". It asks for the exercise count and the
// separator count, deals the fifteen exercise kinds into a shuffled order and builds the
// exercise list and the solution list. Also home to what every kind shares: the random
// source and its draws, number text and the reading of typed answers.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ciferon {

// Ends every line of both lists.
inline constexpr std::string_view crlf{"\r\n"};

inline constexpr std::string_view countQuestion{"Kolik příkladů? (max.200)"};
inline constexpr int countDefault = 100;
inline constexpr double countMax = 200;
inline constexpr std::string_view separatorQuestion{"Po kolika oddělovat? (max. 20)"};
inline constexpr int separatorDefault = 10;
inline constexpr double separatorMax = 20;

// The highest kind number; also the highest slot of the kind order and the number of
// exercises that one deal of the kind order serves.
inline constexpr int highestKind = 14;
inline constexpr int kindCount = highestKind + 1;
// Exercise i reads slot (i mod slotsRead) of the kind order.
inline constexpr int slotsRead = 10;

// A pseudo-random source of single-precision values in [0, 1). One source serves a whole
// run; the order in which values are taken is part of every exercise kind.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Starts a fresh sequence; called once per run, after both answers are accepted.
    virtual void seed() = 0;
    // The next value, uniform in [0, 1) and never 1.
    virtual float next() = 0;
};

// The production source: PCG32 (O'Neill's permuted congruential generator, the
// XSH-RR variant), seeded from the wall and steady clocks. Its seeding is two steps, where a
// Mersenne twister's seeding alone costs more than a whole run of 200 exercises.
class ClockRandom final : public RandomSource {
  public:
    void seed() override;
    float next() override;
    // A reproducible sequence, for tests and benchmarks.
    void seedWith(std::uint64_t value);

  private:
    std::uint32_t step();

    std::uint64_t state_ = 0;
    static constexpr std::uint64_t multiplier = 6364136223846793005U;
    static constexpr std::uint64_t increment = 1442695040888963407U;
};

// lo + floor(r * (hi - lo + 1)) for the next value r; takes exactly one value. The product
// is formed in double precision, so even the largest float below 1 stays below hi + 1.
int draw(RandomSource& random, int lo, int hi);

// Number text: decimal digits with a leading "-" when negative.
void appendPiece(std::string& out, int number);
void appendPiece(std::string& out, std::string_view piece);

// Joins numbers (as number text) and string pieces with nothing between them.
template <typename... Pieces>
std::string textOf(const Pieces&... pieces) {
    std::string out;
    (appendPiece(out, pieces), ...);
    return out;
}

// Reads a typed answer as a decimal number, whatever the user's locale: blanks, tabs and
// line feeds are ignored wherever they stand; then an optional sign, digits and an optional
// "." with more digits. Reading stops at the first character that cannot continue the
// number (a comma among them); an answer that does not begin with a number reads as 0.
// Runs in time linear in the length of the answer.
double readNumber(std::string_view answer);

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

// The two texts that a kind returns; the solution list receives them joined.
struct Exercise {
    std::string exercise;
    std::string solution;
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

// The exercise kinds by number, 0 to 14.
extern const KindTable exerciseKinds;

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

// Which of the fifteen exercise kinds a sheet practises: bit k set for kind k (0..14).
using KindChoice = std::uint16_t;
inline constexpr KindChoice allKinds = 0x7FFF;

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
