#include "codes/sheet.h"

#include <array>
#include <set>
#include <utility>

#include "codes/code_symbols.h"

namespace ciferon {

namespace {

constexpr unsigned symbolBits = codeSymbolBits;
constexpr unsigned symbolMask = 0x1FU;

// The symbols of a code of either length, most significant payload symbol first.
constexpr std::size_t longestCode = 12;
using Symbols = std::array<unsigned, longestCode>;

// The 35-bit number that both lengths carry: seed, count and separator count.
constexpr unsigned sheetBits = 35;
constexpr std::uint64_t choices =
    static_cast<std::uint64_t>(sheetCountMax) * static_cast<std::uint64_t>(sheetSeparatorMax);
static_assert(sheetSeeds * choices <= (std::uint64_t{1} << sheetBits) &&
              (sheetSeeds + 1) * choices > (std::uint64_t{1} << sheetBits));

constexpr std::uint64_t inverseOf(std::uint64_t odd) {
    // Newton's iteration doubles the number of correct low bits at every step.
    std::uint64_t inverse = odd;
    for (int i = 0; i < 6; ++i) {
        inverse *= 2 - odd * inverse;
    }
    return inverse;
}

// A bijection of the numbers below 2^bits: an odd multiplier and an offset modulo 2^bits, then
// the high half folded onto the low half (x ^= x >> shift undoes itself when the shift is at
// least half the width). It keeps the codes of one class set, which share everything but the
// seed, from sharing symbols.
struct Scrambler {
    unsigned bits;
    std::uint64_t multiplier;  // odd, so invertible modulo 2^bits
    std::uint64_t offset;
    unsigned foldShift;

    [[nodiscard]] constexpr std::uint64_t mask() const { return (std::uint64_t{1} << bits) - 1; }
    [[nodiscard]] constexpr std::uint64_t scramble(std::uint64_t value) const {
        value = (value * multiplier + offset) & mask();
        return value ^ (value >> foldShift);
    }
    [[nodiscard]] constexpr std::uint64_t unscramble(std::uint64_t value) const {
        value ^= value >> foldShift;
        return ((value - offset) * inverseOf(multiplier)) & mask();
    }
};

// The code of all kinds: 7 payload symbols and a check symbol. The offset was meant to keep
// 0000-0000 from being a code, but the sheet of seed 259010 with 176 exercises in groups of 4
// has that code. Codes are printed, so the constants stay as they are.
constexpr std::size_t shortPayload = 7;
constexpr std::size_t shortCode = shortPayload + 1;
constexpr Scrambler shortScrambler{sheetBits, 0x5DEECE66DU, 0x2B5A96C3DU, 18};
static_assert(shortPayload * symbolBits == sheetBits);

// The code of chosen kinds: 10 payload symbols, the 35-bit number and the 15-bit choice, and
// two Reed-Solomon check symbols.
constexpr unsigned choiceBits = 15;
constexpr std::size_t longPayload = 10;
constexpr std::size_t longCode = longPayload + 2;
constexpr Scrambler longScrambler{sheetBits + choiceBits, 0x2C9F1B7E35A6BU, 0x1D3E8A4F60297U, 25};
static_assert(longPayload * symbolBits == sheetBits + choiceBits && longCode == longestCode);
static_assert(allKinds == (1U << choiceBits) - 1);
static_assert(longScrambler.unscramble(longScrambler.scramble(0x3FFFFFFFFFFFFU)) ==
                  0x3FFFFFFFFFFFFU &&
              shortScrambler.unscramble(shortScrambler.scramble(12345)) == 12345);

// The short code's check symbol makes sum(w[i] * s[i]) over all eight symbols zero, with the
// weights x^1..x^7 for the payload and 1 for the check itself: all weights non-zero (one
// changed symbol changes the sum) and neighbours' weights distinct (a swap changes it too).
unsigned checkSymbol(const Symbols& symbols) {
    unsigned sum = 0;
    unsigned weight = 1;
    for (std::size_t i = 0; i < shortPayload; ++i) {
        weight = gfMultiply(weight, 2);
        sum ^= gfMultiply(weight, symbols.at(i));
    }
    return sum;
}

// The long code is a Reed-Solomon code word: with the locator X_j = x^j of position j, the two
// sums of s[j] * X_j and of s[j] * X_j^2 over the first `positions` symbols. A code word has
// both zero over all twelve. Any one or two columns (X_j, X_j^2) are independent, so no
// change of one or two symbols turns a code word into another.
std::pair<unsigned, unsigned> syndromes(const Symbols& symbols, std::size_t positions) {
    unsigned first = 0;
    unsigned second = 0;
    unsigned locator = 1;
    for (std::size_t j = 0; j < positions; ++j) {
        first ^= gfMultiply(symbols.at(j), locator);
        second ^= gfMultiply(symbols.at(j), gfMultiply(locator, locator));
        locator = gfMultiply(locator, 2);
    }
    return {first, second};
}

// The two check symbols c, d at positions 10 and 11 that zero both sums: with the payload's
// sums t1, t2 and the locators u = X_10, v = X_11, c*u + d*v = t1 and c*u^2 + d*v^2 = t2
// (Cramer's rule; addition and subtraction are both xor).
void setCheckSymbols(Symbols& symbols) {
    const auto [t1, t2] = syndromes(symbols, longPayload);
    const unsigned u = gfPower(2, static_cast<int>(longPayload));
    const unsigned v = gfMultiply(u, 2);
    const unsigned uu = gfMultiply(u, u);
    const unsigned vv = gfMultiply(v, v);
    const unsigned inverseDeterminant = gfInverse(gfMultiply(u, vv) ^ gfMultiply(v, uu));
    symbols.at(longPayload) =
        gfMultiply(gfMultiply(t1, vv) ^ gfMultiply(t2, v), inverseDeterminant);
    symbols.at(longPayload + 1) =
        gfMultiply(gfMultiply(t2, u) ^ gfMultiply(t1, uu), inverseDeterminant);
}

std::uint64_t sheetNumber(const Sheet& sheet) {
    return (std::uint64_t{sheet.seed} * sheetCountMax +
            static_cast<std::uint64_t>(sheet.count - 1)) *
               sheetSeparatorMax +
           static_cast<std::uint64_t>(sheet.separator - 1);
}

std::optional<Sheet> sheetOfNumber(std::uint64_t number) {
    if (number >= sheetSeeds * choices) {
        return std::nullopt;
    }
    Sheet sheet;
    sheet.separator = static_cast<int>(number % sheetSeparatorMax) + 1;
    number /= sheetSeparatorMax;
    sheet.count = static_cast<int>(number % sheetCountMax) + 1;
    sheet.seed = static_cast<std::uint32_t>(number / sheetCountMax);
    return sheet;
}

void putPayload(Symbols& symbols, std::size_t length, std::uint64_t payload) {
    for (std::size_t i = length; i-- > 0;) {
        symbols.at(i) = static_cast<unsigned>(payload & symbolMask);
        payload >>= symbolBits;
    }
}

std::uint64_t takePayload(const Symbols& symbols, std::size_t length) {
    std::uint64_t payload = 0;
    for (std::size_t i = 0; i < length; ++i) {
        payload = (payload << symbolBits) | symbols.at(i);
    }
    return payload;
}

// Groups of four symbols joined by dashes.
std::string codeText(const Symbols& symbols, std::size_t length) {
    return groupedCode(std::span(symbols).first(length));
}

std::optional<Sheet> readShortCode(const Symbols& symbols) {
    if (checkSymbol(symbols) != symbols.at(shortPayload)) {
        return std::nullopt;
    }
    return sheetOfNumber(shortScrambler.unscramble(takePayload(symbols, shortPayload)));
}

std::optional<Sheet> readLongCode(const Symbols& symbols) {
    if (syndromes(symbols, longCode) != std::pair{0U, 0U}) {
        return std::nullopt;
    }
    const std::uint64_t payload = longScrambler.unscramble(takePayload(symbols, longPayload));
    const auto kinds = static_cast<KindChoice>(payload & allKinds);
    auto sheet = sheetOfNumber(payload >> choiceBits);
    if (!sheet || kinds == 0 || kinds == allKinds) {
        return std::nullopt;
    }
    sheet->kinds = kinds;
    return sheet;
}

// The sheet's lists, and the kind of every exercise when asked.
Lists listsOf(const Sheet& sheet, std::vector<int>* kinds) {
    ClockRandom random;
    random.seedWith(sheet.seed);
    return makeLists(sheet.count, sheet.separator, random, sheet.kinds, exerciseKinds, kinds);
}

}  // namespace

bool validSheet(const Sheet& sheet) {
    return sheet.seed < sheetSeeds && sheet.count >= 1 && sheet.count <= sheetCountMax &&
           sheet.separator >= 1 && sheet.separator <= sheetSeparatorMax && sheet.kinds != 0 &&
           (sheet.kinds & ~allKinds) == 0;
}

Lists sheetLists(const Sheet& sheet) {
    return listsOf(sheet, nullptr);
}

std::vector<int> detail::sheetKinds(const Sheet& sheet) {
    std::vector<int> kinds;
    listsOf(sheet, &kinds);
    return kinds;
}

std::string detail::twelveSymbolCode(const Sheet& sheet) {
    Symbols symbols{};
    putPayload(symbols, longPayload,
               longScrambler.scramble((sheetNumber(sheet) << choiceBits) | sheet.kinds));
    setCheckSymbols(symbols);
    return codeText(symbols, longCode);
}

std::string sheetCode(const Sheet& sheet) {
    if (sheet.kinds != allKinds) {
        return detail::twelveSymbolCode(sheet);
    }
    Symbols symbols{};
    putPayload(symbols, shortPayload, shortScrambler.scramble(sheetNumber(sheet)));
    symbols.at(shortPayload) = checkSymbol(symbols);
    return codeText(symbols, shortCode);
}

std::optional<Sheet> readSheetCode(std::string_view typed) {
    Symbols symbols{};
    const auto read = typedSymbols(typed, symbols);
    if (read == shortCode) {
        return readShortCode(symbols);
    }
    if (read == longCode) {
        return readLongCode(symbols);
    }
    return std::nullopt;
}

}  // namespace ciferon
