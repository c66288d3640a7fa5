// The likely mistake behind a wrong answer: the well-known slips of these exercises, each
// worked out exactly from the exercise's numbers, so that an answer is named only when it is
// exactly what a slip gives. The pupil's check, `--check` and the teacher's key all name
// mistakes through these, with the same texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codes/items.h"
#include "marking/results.h"

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

// The mistake as the pupil reads it: "asi počítáno zleva doprava (nejdřív se násobí a dělí)".
std::string_view mistakeText(Mistake mistake);

// The mistake's capital letter in the key, or 0 for the two the key leaves out: "one sign the
// wrong way" (up to six numbers a chain) and "remainder missing" (it explains itself).
char keyLetter(Mistake mistake);

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

// The wrong answers that the mistakes give for an exercise of kind 0..14, from the numbers of
// its exercise text («5+2+8.9+5.6=», «46:8 =»). `right` is its result; an answer equal to it
// is never given. A text not of the kind's form, a result not of the kind's form (a remainder
// for kind 10 only), or a kind without mistakes, gives none.
WrongAnswers wrongAnswers(int kind, std::string_view exercise, const Result& right);
WrongAnswers wrongAnswers(const SheetItem& item);

// An answer marked, with the mistakes it is exactly the answer of. Only a wrong answer has
// mistakes; an unreadable one names none.
struct MarkedAnswer {
    Mark mark = Mark::Unanswered;
    MistakeSet mistakes = 0;
    bool operator==(const MarkedAnswer&) const = default;
};

// The mistakes that the wrong answers name for a pupil's answer fields, read as markAnswer
// reads them; an empty remainder reads as 0 here.
MistakeSet mistakesOf(const WrongAnswers& wrong, std::string_view answer,
                      std::string_view remainder = {});

// markAnswer with the mistakes named: the answer field and the "zb." field.
MarkedAnswer markWithMistakes(const SheetItem& item, std::string_view answer,
                              std::string_view remainder = {});
MarkedAnswer markWithMistakes(int kind, std::string_view exercise, const Result& result,
                              std::string_view answer, std::string_view remainder = {});

// markAnswerLine with the mistakes named: one line of a `--check` file.
MarkedAnswer markLineWithMistakes(const SheetItem& item, std::string_view line);
MarkedAnswer markLineWithMistakes(int kind, std::string_view exercise, const Result& result,
                                  std::string_view line);

// What stands beside "✗ chybně": the mistakes' texts joined by "; " in the order of Mistake,
// or empty when none is named.
std::string mistakeNote(MistakeSet mistakes);

// One line of `--check`'s output, without its line break: "7. správně", "8. bez odpovědi",
// "9. chybně", with named mistakes "9. chybně – asi zapomenutý přechod přes desítku", or
// "10. nečitelné – napiš číslo".
std::string checkLine(int number, const MarkedAnswer& marked);

// A mark as the check view shows it, with the mistakes named for it: "✗ chybně – asi
// zapomenutý přechod přes desítku".
std::string markText(const MarkedAnswer& marked);

// The summary's lines for the mistakes named, one a mistake, the most frequent first and ties
// in the order of Mistake: "– asi počítáno zleva doprava (nejdřív se násobí a dělí): 2×". An
// answer with two mistakes counts for both.
std::vector<std::string> mistakeSummaryLines(const std::vector<MarkedAnswer>& marked);

// summaryText's "Správně 17 z 20." (and " Ukázaná řešení: 1."), then the mistakes' lines,
// each after a line feed.
std::string summaryText(const std::vector<MarkedAnswer>& marked, int shown = 0);

// What follows a result under "Výsledky" in a key with mistakes: " [Z 48]",
// " [V 4 (14); P 6 (5)]", " [D 24; J 26]", or empty when no lettered mistake gives an answer.
// Of the quotients too small only the one just below the right one is shown.
std::string keyMistakes(int kind, std::string_view exercise, const Result& result);
std::string keyMistakes(const SheetItem& item);

// The lettered mistakes that keyMistakes() lists for an exercise.
MistakeSet keyMistakeSet(const SheetItem& item);

// The key's legend of the letters of `shown`, under its heading, in the order of Mistake: "Z –
// počítáno zleva doprava, D – přechod přes desítku, J – jednotky obráceně, V – zbytek větší
// než dělitel, P – prohozený podíl a zbytek" for all of them; empty for none.
std::string keyLegend(MistakeSet shown = allMistakes);

}  // namespace ciferon
