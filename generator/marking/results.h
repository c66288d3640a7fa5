// A sheet's results and a pupil's answers to it: what each exercise comes to, how a typed
// answer is read and how it is marked. Every front-end (the key, the check dialog, the page,
// the command line) reads and marks through these, so that they all agree.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/run.h"

namespace ciferon {

// What an exercise's solution ends with.
struct Result {
    long long value = 0;                 // the whole-number result, or the quotient
    std::optional<long long> remainder;  // set only for division with remainder
    bool operator==(const Result&) const = default;
};

// The result one solution-list line ends with: "...=61", or "... =8 (3)" for division with
// remainder. A line of any other form throws std::logic_error naming the line.
Result resultOfSolution(std::string_view line);

// The results of a solution list as the run writes it: lines ended by CR LF, each the
// exercise followed by its worked solution and "=N", or " =Q (R)" for division with
// remainder; empty lines are skipped. A line of any other form is a fault of the program,
// not of its user: it throws std::logic_error naming the line.
std::vector<Result> readResults(std::string_view solutions);

// "61", or "8 (3)" for division with remainder, as the solution writes it.
std::string resultText(const Result& result);

// Unreadable: an answer that the reader cannot read as a number, which counts as not right.
enum class Mark { Unanswered, Right, Wrong, Unreadable };

// The longest typed answer read; anything longer is not a number.
inline constexpr std::size_t answerMax = 64;

// One typed answer.
struct Answer {
    enum class State { Empty, Number, NotNumber } state = State::Empty;
    long long value = 0;  // for a Number
};

// Reads a pupil's answer: blanks anywhere are ignored (space, tab, the no-break spaces
// U+00A0 and U+202F, the thin space U+2009), then an optional minus sign ("-" or U+2212)
// and decimal digits. Nothing else is a number: «61.», «6,1» and «+5» are NotNumber, and so
// is a text longer than answerMax bytes or with more than 18 digits. Empty, or only blanks:
// Empty. Linear in the length of the text.
Answer readAnswer(std::string_view typed);

// An exercise marked from its answer field(s): `remainder` is the "zb." field, used only for
// a remainder result. Both empty: Unanswered. For a remainder result, one of the two given:
// Wrong.
Mark markAnswer(const Result& result, std::string_view answer, std::string_view remainder = {});

// The two fields that one line of a `--check` file stands for: the answer and, for a
// remainder result, the remainder, read from «8 (3)» or «8 zb. 3» (one CR at the end
// ignored). nullopt for a line whose brackets are malformed, which is wrong whatever it holds.
struct AnswerFields {
    std::string_view answer;
    std::string_view remainder;
};
std::optional<AnswerFields> lineFields(const Result& result, std::string_view line);

// One line of a `--check` file: "61", or for a remainder result the quotient and the
// remainder as «8 (3)» or «8 zb. 3»; an empty line is not answered. One CR at the end (a
// CR LF file) is ignored.
Mark markAnswerLine(const Result& result, std::string_view line);

// How a mark reads: "správně", "chybně", "bez odpovědi", "nečitelné".
std::string_view markWord(Mark mark);

// The summary after marking a sheet's exercises: "Správně 17 z 20." (the right ones of all),
// followed by " Ukázaná řešení: 1." when worked solutions were shown.
std::string summaryText(const std::vector<Mark>& marks, int shown = 0);

}  // namespace ciferon
