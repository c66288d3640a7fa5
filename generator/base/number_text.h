// Number text as the lists write it, and the reading of a number typed at the run's prompts.
#pragma once

#include <string>
#include <string_view>

namespace ciferon {

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

}  // namespace ciferon
