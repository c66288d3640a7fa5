#include "sheet.h"

#include <array>
#include <set>

namespace ciferon {

namespace {

constexpr std::string_view alphabet{"0123456789ABCDEFGHJKMNPQRSTVWXYZ"};
constexpr int payloadSymbols = 7;
constexpr int codeSymbols = payloadSymbols + 1;
constexpr int payloadBits = 5 * payloadSymbols;
constexpr std::uint64_t payloadMask = (std::uint64_t{1} << payloadBits) - 1;
constexpr std::uint64_t choices =
    static_cast<std::uint64_t>(sheetCountMax) * static_cast<std::uint64_t>(sheetSeparatorMax);
static_assert(sheetSeeds * choices <= payloadMask + 1 &&
              (sheetSeeds + 1) * choices > payloadMask + 1);

// The payload is scrambled by a bijection of its 35 bits, so that the codes of one class set,
// which share their count and separator count, do not share their last symbols.
constexpr std::uint64_t scramble = 0x5DEECE66DU;  // odd, so invertible modulo 2^35
// Meant to keep 0000-0000 from being a code, but the sheet of seed 259010 with 176 exercises in
// groups of 4 has that code. Codes are printed, so the constant stays as it is.
constexpr std::uint64_t offset = 0x2B5A96C3DU;
constexpr std::uint64_t inverseOf(std::uint64_t odd) {
    // Newton's iteration doubles the number of correct low bits at every step.
    std::uint64_t inverse = odd;
    for (int i = 0; i < 6; ++i) {
        inverse *= 2 - odd * inverse;
    }
    return inverse;
}
constexpr std::uint64_t unscramble = inverseOf(scramble) & payloadMask;
static_assert(((scramble * unscramble) & payloadMask) == 1);
// x ^= x >> shift undoes itself when the shift is at least half the width.
constexpr unsigned foldShift = 18;

// GF(32) with the primitive polynomial x^5 + x^2 + 1.
constexpr unsigned gfMultiply(unsigned a, unsigned b) {
    unsigned product = 0;
    for (int bit = 0; bit < 5; ++bit) {
        if ((b & 1U) != 0) {
            product ^= a;
        }
        b >>= 1U;
        a <<= 1U;
        if ((a & 0x20U) != 0) {
            a ^= 0x25U;
        }
    }
    return product;
}

// The check symbol makes sum(w[i] * s[i]) over all eight symbols zero, with the weights
// x^1..x^7 for the payload and 1 for the check itself: all weights non-zero (one changed
// symbol changes the sum) and neighbours' weights distinct (a swap changes it too).
unsigned checkSymbol(const std::array<unsigned, codeSymbols>& symbols) {
    unsigned sum = 0;
    unsigned weight = 1;
    for (int i = 0; i < payloadSymbols; ++i) {
        weight = gfMultiply(weight, 2);
        sum ^= gfMultiply(weight, symbols.at(static_cast<std::size_t>(i)));
    }
    return sum;
}

// What a typed character is to the code reader: a symbol value 0..31, a character to skip, or
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
        const auto found = alphabet.find(static_cast<char>(c));
        if (found != std::string_view::npos) {
            return static_cast<int>(found);
        }
    }
    return foreign;
}

// The next code point of UTF-8 text, or an empty result for a malformed sequence: a stray
// continuation byte, a truncated sequence, an overlong form (C0 80 for U+0000, E0 80 80 ...),
// a surrogate (U+D800..U+DFFF). Four-byte sequences hold nothing a code may contain.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    int more = 0;
    char32_t value = 0;
    char32_t least = 0;  // the smallest code point this length may carry
    if ((lead & 0xE0U) == 0xC0U) {
        more = 1;
        value = lead & 0x1FU;
        least = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        more = 2;
        value = lead & 0x0FU;
        least = 0x800;
    } else {
        return std::nullopt;
    }
    for (; more > 0; --more) {
        if (at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0U) != 0x80U) {
            return std::nullopt;
        }
        value = (value << 6U) | (static_cast<unsigned char>(text[at++]) & 0x3FU);
    }
    if (value < least || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

bool validSheet(const Sheet& sheet) {
    return sheet.seed < sheetSeeds && sheet.count >= 1 && sheet.count <= sheetCountMax &&
           sheet.separator >= 1 && sheet.separator <= sheetSeparatorMax;
}

Lists sheetLists(const Sheet& sheet) {
    ClockRandom random;
    random.seedWith(sheet.seed);
    return makeLists(sheet.count, sheet.separator, random);
}

std::string sheetCode(const Sheet& sheet) {
    std::uint64_t payload =
        (std::uint64_t{sheet.seed} * sheetCountMax + static_cast<std::uint64_t>(sheet.count - 1)) *
            sheetSeparatorMax +
        static_cast<std::uint64_t>(sheet.separator - 1);
    payload = (payload * scramble + offset) & payloadMask;
    payload ^= payload >> foldShift;

    std::array<unsigned, codeSymbols> symbols{};
    for (int i = payloadSymbols - 1; i >= 0; --i) {
        symbols.at(static_cast<std::size_t>(i)) = static_cast<unsigned>(payload & 0x1FU);
        payload >>= 5U;
    }
    symbols.back() = checkSymbol(symbols);

    std::string code;
    for (int i = 0; i < codeSymbols; ++i) {
        if (i == codeSymbols / 2) {
            code.push_back('-');
        }
        code.push_back(alphabet[symbols.at(static_cast<std::size_t>(i))]);
    }
    return code;
}

std::optional<Sheet> readSheetCode(std::string_view typed) {
    std::array<unsigned, codeSymbols> symbols{};
    int read = 0;
    for (std::size_t at = 0; at < typed.size();) {
        const auto c = nextCodePoint(typed, at);
        if (!c) {
            return std::nullopt;
        }
        const int symbol = symbolOf(*c);
        if (symbol == foreign || (symbol >= 0 && read == codeSymbols)) {
            return std::nullopt;
        }
        if (symbol >= 0) {
            symbols.at(static_cast<std::size_t>(read++)) = static_cast<unsigned>(symbol);
        }
    }
    if (read != codeSymbols || checkSymbol(symbols) != symbols.back()) {
        return std::nullopt;
    }

    std::uint64_t payload = 0;
    for (int i = 0; i < payloadSymbols; ++i) {
        payload = (payload << 5U) | symbols.at(static_cast<std::size_t>(i));
    }
    payload ^= payload >> foldShift;
    payload = ((payload - offset) * unscramble) & payloadMask;
    if (payload >= sheetSeeds * choices) {
        return std::nullopt;
    }
    Sheet sheet;
    sheet.separator = static_cast<int>(payload % sheetSeparatorMax) + 1;
    payload /= sheetSeparatorMax;
    sheet.count = static_cast<int>(payload % sheetCountMax) + 1;
    sheet.seed = static_cast<std::uint32_t>(payload / sheetCountMax);
    return sheet;
}

std::vector<Sheet> classSet(int sheets, int count, int separator, RandomSource& random) {
    std::vector<Sheet> set;
    std::set<std::string> exerciseLists;
    while (static_cast<int>(set.size()) < sheets) {
        Sheet sheet;
        sheet.seed = static_cast<std::uint32_t>(draw(random, 0, static_cast<int>(sheetSeeds) - 1));
        sheet.count = count;
        sheet.separator = separator;
        // A repeated seed repeats the list; short sheets may also meet by chance.
        if (exerciseLists.insert(sheetLists(sheet).exercises).second) {
            set.push_back(sheet);
        }
    }
    return set;
}

}  // namespace ciferon
