#include "codes/code_symbols.h"

#include "base/utf8.h"

namespace ciferon {

namespace {

// What a typed character is to a code reader: a symbol value 0..31, a character to skip, or
// one that cannot stand in a code.
constexpr int skipped = -1;
constexpr int foreign = -2;

// The symbol value a typed code point stands for, or one of the two above.
int symbolOf(char32_t c) {
    if (c == U' ' || c == U'\t' || c == U'-' || c == U'\u00A0' || c == U'\u2212' ||
        (c >= U'\u2010' && c <= U'\u2015')) {
        return skipped;
    }
    if (c >= U'a' && c <= U'z') {
        c -= U'a' - U'A';
    }
    switch (c) {
        case U'O':
            return 0;
        case U'I':
        case U'L':
        // The Czech keyboard's number row, 1 to 9 and 0, in both cases.
        case U'+':
            return 1;
        case U'ě':
        case U'Ě':
            return 2;
        case U'š':
        case U'Š':
            return 3;
        case U'č':
        case U'Č':
            return 4;
        case U'ř':
        case U'Ř':
            return 5;
        case U'ž':
        case U'Ž':
            return 6;
        case U'ý':
        case U'Ý':
            return 7;
        case U'á':
        case U'Á':
            return 8;
        case U'í':
        case U'Í':
            return 9;
        case U'é':
        case U'É':
            return 0;
        default:
            break;
    }
    if (c < 0x80) {
        const auto found = codeAlphabet.find(static_cast<char>(c));
        if (found != std::string_view::npos) {
            return static_cast<int>(found);
        }
    }
    return foreign;
}

}  // namespace

std::string groupedCode(std::span<const unsigned> symbols) {
    std::string code;
    code.reserve(symbols.size() + symbols.size() / 4);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (i > 0 && i % 4 == 0) {
            code.push_back('-');
        }
        code.push_back(codeAlphabet[symbols[i]]);
    }
    return code;
}

std::optional<std::size_t> typedSymbols(std::string_view typed, std::span<unsigned> symbols) {
    std::size_t read = 0;
    for (std::size_t at = 0; at < typed.size();) {
        const auto c = nextCodePoint(typed, at);
        if (!c) {
            return std::nullopt;
        }
        const int symbol = symbolOf(*c);
        if (symbol == foreign || (symbol >= 0 && read == symbols.size())) {
            return std::nullopt;
        }
        if (symbol >= 0) {
            symbols[read++] = static_cast<unsigned>(symbol);
        }
    }
    return read;
}

}  // namespace ciferon
