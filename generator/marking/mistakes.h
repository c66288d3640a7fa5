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
#include "kinds/slips.h"
#include "marking/results.h"

namespace ciferon {

// The mistake as the pupil reads it: "asi počítáno zleva doprava (nejdřív se násobí a dělí)".
std::string_view mistakeText(Mistake mistake);

// The mistake's capital letter in the key, or 0 for the two the key leaves out: "one sign the
// wrong way" (up to six numbers a chain) and "remainder missing" (it explains itself).
char keyLetter(Mistake mistake);

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
