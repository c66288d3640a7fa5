#include "codes/result_code.h"

#include <array>
#include <bit>
#include <cstdint>

#include "codes/code_symbols.h"

namespace ciferon {

namespace {

// The fields' widths; result_code.h describes the format. They never change for version 1.
constexpr unsigned versionBits = 3;
constexpr unsigned tagBits = 13;
constexpr unsigned countBits = 5;
constexpr unsigned markBits = 4;
constexpr unsigned mistakeSetBits = resultCodeMistakesMax;
static_assert(resultCodeExercisesMax < (1 << countBits));
static_assert(resultCodeVersion < (1 << versionBits));
static_assert(mistakeCount <= resultCodeMistakesMax &&
              sizeof(MistakeSet) * 8 <= resultCodeMistakesMax);

// A mark's four bits.
constexpr unsigned unansweredCode = 0;
constexpr unsigned unreadableCode = 1;
constexpr unsigned noMistakeCode = 2;
constexpr unsigned firstMistakeCode = 3;  // + the mistake's number
constexpr unsigned mistakesCode = 15;     // the set of two or more follows
static_assert(firstMistakeCode + resultCodeMistakesMax == mistakesCode);

// The longest code: every exercise of the longest sheet wrong with several mistakes, and the
// check symbol; a typed code with more symbols is none.
constexpr unsigned bitsMax =
    versionBits + tagBits + countBits + 28 + resultCodeExercisesMax * (markBits + mistakeSetBits);
constexpr std::size_t symbolsMax = 128;
static_assert(bitsMax / codeSymbolBits + 2 <= symbolsMax);
using Symbols = std::array<unsigned, symbolsMax>;

// C(n, k) for n, k up to the longest sheet.
using Binomials =
    std::array<std::array<std::uint32_t, resultCodeExercisesMax + 1>, resultCodeExercisesMax + 1>;
constexpr Binomials binomials = [] {
    Binomials c{};
    for (std::size_t n = 0; n < c.size(); ++n) {
        c.at(n).at(0) = 1;
        for (std::size_t k = 1; k <= n; ++k) {
            c.at(n).at(k) = c.at(n - 1).at(k - 1) + c.at(n - 1).at(k);
        }
    }
    return c;
}();
static_assert(binomials[30][15] == 155117520 && std::bit_width(binomials[20][5] - 1U) == 14);

std::uint32_t choose(int n, int k) {
    return binomials.at(static_cast<std::size_t>(n)).at(static_cast<std::size_t>(k));
}

// The bits that the rank of k places among n takes.
unsigned rankBits(int n, int k) {
    return static_cast<unsigned>(std::bit_width(choose(n, k) - 1U));
}

// The sheet's tag: its printed code hashed, so that a result code of another sheet of the
// class set, which differs from this one only in its seed, is told apart.
unsigned sheetTag(const Sheet& sheet) {
    std::uint64_t hash = 14695981039346656037U;
    for (const char c : sheetCode(sheet)) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211U;
    }
    return static_cast<unsigned>((hash ^ (hash >> 32U)) & ((1U << tagBits) - 1U));
}

// The weight of the symbol at `at`: x^(at + 1), non-zero, and never its neighbour's.
unsigned weight(std::size_t at) {
    return gfPower(2, static_cast<int>((at + 1) % 31));
}

unsigned weightedSum(const Symbols& symbols, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum ^= gfMultiply(symbols.at(i), weight(i));
    }
    return sum;
}

class BitWriter {
  public:
    void put(std::uint64_t value, unsigned bits) {
        for (unsigned b = bits; b-- > 0;) {
            symbols_.at(written_ / codeSymbolBits) |=
                static_cast<unsigned>((value >> b) & 1U)
                << (codeSymbolBits - 1 - written_ % codeSymbolBits);
            ++written_;
        }
    }
    // The payload's symbols, zero bits up to a whole symbol, and the check symbol.
    std::string code() {
        const std::size_t payload = (written_ + codeSymbolBits - 1) / codeSymbolBits;
        symbols_.at(payload) =
            gfMultiply(weightedSum(symbols_, payload), gfInverse(weight(payload)));
        return groupedCode(std::span(symbols_).first(payload + 1));
    }

  private:
    Symbols symbols_{};
    std::size_t written_ = 0;
};

class BitReader {
  public:
    BitReader(const Symbols& symbols, std::size_t payload)
        : symbols_(symbols), bits_(payload * codeSymbolBits) {}
    std::optional<unsigned> take(unsigned bits) {
        if (bits > bits_ - read_) {
            return std::nullopt;
        }
        unsigned value = 0;
        for (unsigned b = 0; b < bits; ++b, ++read_) {
            value = (value << 1U) | ((symbols_.at(read_ / codeSymbolBits) >>
                                      (codeSymbolBits - 1 - read_ % codeSymbolBits)) &
                                     1U);
        }
        return value;
    }
    // Whether only the zero bits of the last symbol are left: a code has no symbol more than
    // it needs, so that every marks have one code.
    bool atEnd() {
        const std::size_t left = bits_ - read_;
        return left < codeSymbolBits && take(static_cast<unsigned>(left)) == 0U;
    }

  private:
    const Symbols& symbols_;
    std::size_t bits_;
    std::size_t read_ = 0;
};

void putMark(BitWriter& bits, const MarkedAnswer& marked) {
    switch (marked.mark) {
        case Mark::Unanswered:
        case Mark::Right:
            bits.put(unansweredCode, markBits);
            return;
        case Mark::Unreadable:
            bits.put(unreadableCode, markBits);
            return;
        case Mark::Wrong:
            break;
    }
    const int named = std::popcount(marked.mistakes);
    if (named == 0) {
        bits.put(noMistakeCode, markBits);
    } else if (named == 1) {
        bits.put(firstMistakeCode + static_cast<unsigned>(std::countr_zero(marked.mistakes)),
                 markBits);
    } else {
        bits.put(mistakesCode, markBits);
        bits.put(marked.mistakes, mistakeSetBits);
    }
}

// A mark as its bits give it; nothing for a mistake this program does not know, or a set of
// fewer than two (which has its own bits).
std::optional<MarkedAnswer> takeMark(BitReader& bits) {
    const auto code = bits.take(markBits);
    if (!code) {
        return std::nullopt;
    }
    constexpr unsigned known = (1U << mistakeCount) - 1U;
    switch (*code) {
        case unansweredCode:
            return MarkedAnswer{Mark::Unanswered, 0};
        case unreadableCode:
            return MarkedAnswer{Mark::Unreadable, 0};
        case noMistakeCode:
            return MarkedAnswer{Mark::Wrong, 0};
        case mistakesCode: {
            const auto set = bits.take(mistakeSetBits);
            if (!set || (*set & ~known) != 0 || std::popcount(*set) < 2) {
                return std::nullopt;
            }
            return MarkedAnswer{Mark::Wrong, static_cast<MistakeSet>(*set)};
        }
        default: {
            const unsigned mistake = *code - firstMistakeCode;
            if (mistake >= static_cast<unsigned>(mistakeCount)) {
                return std::nullopt;
            }
            return MarkedAnswer{Mark::Wrong, static_cast<MistakeSet>(1U << mistake)};
        }
    }
}

ResultCodeReading notValid() {
    return {{}, ResultCodeFault::NotValid};
}

// The marks that the payload's bits give for a sheet of n exercises with this tag, or why not.
ResultCodeReading readPayload(BitReader& bits, unsigned tag, int n) {
    if (bits.take(versionBits) != static_cast<unsigned>(resultCodeVersion)) {
        return notValid();
    }
    const auto codeTag = bits.take(tagBits);
    if (!codeTag) {
        return notValid();
    }
    if (*codeTag != tag) {
        return {{}, ResultCodeFault::OtherSheet};
    }
    const auto k = bits.take(countBits);
    if (!k || static_cast<int>(*k) > n) {
        return notValid();
    }
    const auto rank = bits.take(rankBits(n, static_cast<int>(*k)));
    if (!rank || *rank >= choose(n, static_cast<int>(*k))) {
        return notValid();
    }
    // The places from the rank, the highest first: each the highest p with C(p, i) <= what is
    // left of the rank.
    std::array<int, resultCodeExercisesMax> places{};
    std::uint32_t left = *rank;
    int below = n;
    for (int i = static_cast<int>(*k); i >= 1; --i) {
        int p = below - 1;
        while (choose(p, i) > left) {
            --p;
        }
        left -= choose(p, i);
        places.at(static_cast<std::size_t>(i - 1)) = p;
        below = p;
    }
    ResultCodeReading reading{
        std::vector<MarkedAnswer>(static_cast<std::size_t>(n), MarkedAnswer{Mark::Right, 0}),
        ResultCodeFault::None};
    for (std::size_t i = 0; i < *k; ++i) {
        const auto marked = takeMark(bits);
        if (!marked) {
            return notValid();
        }
        reading.marks.at(static_cast<std::size_t>(places.at(i))) = *marked;
    }
    if (!bits.atEnd()) {
        return notValid();
    }
    return reading;
}

}  // namespace

std::optional<std::string> resultCode(const Sheet& sheet, std::span<const MarkedAnswer> marks) {
    const int n = sheet.count;
    if (n > resultCodeExercisesMax) {
        return std::nullopt;
    }
    std::array<MarkedAnswer, resultCodeExercisesMax> notRight{};
    int k = 0;
    std::uint32_t rank = 0;
    for (int at = 0; at < n; ++at) {
        const auto i = static_cast<std::size_t>(at);
        const MarkedAnswer marked = i < marks.size() ? marks[i] : MarkedAnswer{};
        if (marked.mark != Mark::Right) {
            notRight.at(static_cast<std::size_t>(k)) = marked;
            ++k;
            rank += choose(at, k);
        }
    }
    BitWriter bits;
    bits.put(resultCodeVersion, versionBits);
    bits.put(sheetTag(sheet), tagBits);
    bits.put(static_cast<unsigned>(k), countBits);
    bits.put(rank, rankBits(n, k));
    for (int i = 0; i < k; ++i) {
        putMark(bits, notRight.at(static_cast<std::size_t>(i)));
    }
    return bits.code();
}

ResultCodeReading readResultCode(const Sheet& sheet, std::string_view typed) {
    if (sheet.count > resultCodeExercisesMax) {
        return {{}, ResultCodeFault::NoCode};
    }
    Symbols symbols{};
    const auto read = typedSymbols(typed, symbols);
    if (!read || *read < 2 || weightedSum(symbols, *read) != 0) {
        return notValid();
    }
    BitReader bits(symbols, *read - 1);
    return readPayload(bits, sheetTag(sheet), sheet.count);
}

}  // namespace ciferon
