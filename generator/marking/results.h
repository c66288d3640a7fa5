// A sheet's results and a pupil's answers to it: what each exercise comes to, how a typed
// answer is read and how it is marked. Every front-end (the key, the check dialog, the page,
// the command line) reads and marks through these, so that they all agree.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kinds/kind.h"

namespace ciferon {

// Result, what an exercise comes to, is its kind's (kinds/kind.h): each kind works it out.

// "61", or "8 (3)" for division with remainder, as the solution writes it.
std::string resultText(const Result& result);

// Unreadable: an answer that is no number at all («abc», «5 1»), which the pupil is asked to
// mend; it counts as not right, as a wrong one does, but names no mistake.
enum class Mark { Unanswered, Right, Wrong, Unreadable };

// The longest typed answer read; anything longer is not a number.
inline constexpr std::size_t answerMax = 64;

// One typed answer.
struct Answer {
    enum class State { Empty, Number, NotNumber } state = State::Empty;
    long long value = 0;  // for a Number
};

// Reads a pupil's answer: an optional minus sign ("-" or U+2212) and decimal digits, with
// blanks (space, tab, the no-break spaces U+00A0 and U+202F, the thin space U+2009) around
// them and between the sign and the digits. Between digits a blank only separates thousands:
// «1 035» and «12 345 678» are numbers, «5 1» and «1035 7» are not. Nothing else is a
// number: «61.», «6,1» and «+5» are NotNumber, and so is a text longer than answerMax bytes or
// with more than 18 digits. Empty, or only blanks: Empty. Linear in the length of the text.
Answer readAnswer(std::string_view typed);

// An exercise marked from its answer field(s): `remainder` is the "zb." field, used only for
// a remainder result. Both empty: Unanswered. A field used that holds no number: Unreadable.
// For a remainder result, one of the two given: Wrong.
Mark markAnswer(const Result& result, std::string_view answer, std::string_view remainder = {});

// The two fields that one line of a `--check` file stands for: the answer and, for a
// remainder result, the remainder, in every common way of writing it: in brackets («8 (3)»,
// «8(3)», «8 (zb. 3)») or after the word «zb.» or «zbytek», with or without the dot and the
// blanks («8 zb. 3», «8 zb 3», «8zb3», «8 zbytek 3»), in any case («8 ZB. 3»). One CR at the
// end is ignored. nullopt for a line whose brackets are malformed, which cannot be read.
struct AnswerFields {
    std::string_view answer;
    std::string_view remainder;
};
std::optional<AnswerFields> lineFields(const Result& result, std::string_view line);

// One line of a `--check` file: "61", or for a remainder result the quotient and the
// remainder as lineFields reads them; an empty line is not answered, and a line that
// lineFields cannot split is Unreadable. One CR at the end (a CR LF file) is ignored.
Mark markAnswerLine(const Result& result, std::string_view line);

// How a mark reads: "správně", "chybně", "nečitelné", "bez odpovědi".
std::string_view markWord(Mark mark);

// The summary after marking a sheet's exercises: "Správně 17 z 20." (the right ones of all),
// followed by " Nečitelné odpovědi: 1." when answers could not be read and " Ukázaná
// řešení: 1." when worked solutions were shown.
std::string summaryText(const std::vector<Mark>& marks, int shown = 0);

}  // namespace ciferon
