#include "base/number_text.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace ciferon {

void appendPiece(std::string& out, int number) {
    std::array<char, std::numeric_limits<int>::digits10 + 3> digits{};
    const auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    out.append(digits.data(), end);
}

void appendPiece(std::string& out, std::string_view piece) {
    out.append(piece);
}

double readNumber(std::string_view answer) {
    // The number's digits, blanks and point left out, and how many of them follow the point.
    // Handed over as digits and an exponent ("12.7" as "127e-1"), the number is read the same
    // under every locale: the C library's decimal point varies with it (a comma in Czech), its
    // exponent does not. strtod rounds correctly, like reading "12.7" itself would.
    std::string digits;
    std::size_t fractionDigits = 0;
    bool negative = false;
    bool signSeen = false;
    bool pointSeen = false;
    bool wholePartNonZero = false;
    for (const char c : answer) {
        if (c == ' ' || c == '\t' || c == '\n') {
            continue;
        }
        if ((c == '+' || c == '-') && !signSeen) {
            negative = c == '-';
        } else if (c >= '0' && c <= '9') {
            digits.push_back(c);
            fractionDigits += pointSeen ? 1 : 0;
            wholePartNonZero = wholePartNonZero || (!pointSeen && c != '0');
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
        signSeen = true;  // a sign may only stand first
    }
    if (digits.empty()) {
        return 0.0;
    }
    digits.append("e-").append(std::to_string(fractionDigits));
    errno = 0;
    double value = std::strtod(digits.c_str(), nullptr);
    if (errno == ERANGE) {
        // Too large for a double, or too small to be told from 0.
        value = wholePartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace ciferon
