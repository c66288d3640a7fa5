// What every code the program prints is written in, and how a typed one is read: Crockford's
// base 32 in groups of four joined by dashes, read forgiving of case, blanks, dashes and the
// Czech keyboard's number row; and the arithmetic of GF(32) that the check symbols are made
// with. The sheet code and the pupil's result code share these, so that both are typed alike.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ciferon {

// 0-9 and the letters without I, L, O and U: symbol values 0..31.
inline constexpr std::string_view codeAlphabet{"0123456789ABCDEFGHJKMNPQRSTVWXYZ"};
inline constexpr unsigned codeSymbolBits = 5;

// The symbols as printed: groups of four joined by dashes, "K7M2-9QX4".
std::string groupedCode(std::span<const unsigned> symbols);

// The symbol values of a typed code into `symbols`, and how many there were. Case, blanks and
// dashes do not matter, O reads as 0, I and L as 1, and the Czech keyboard's number row without
// Shift (+ ě š č ř ž ý á í é) as 1..9 and 0. Nothing for malformed UTF-8, a character that
// cannot stand in a code, or more symbols than `symbols` holds.
std::optional<std::size_t> typedSymbols(std::string_view typed, std::span<unsigned> symbols);

// GF(32) with the primitive polynomial x^5 + x^2 + 1; x (the value 2) generates it.
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

constexpr unsigned gfPower(unsigned a, int n) {
    unsigned power = 1;
    for (int i = 0; i < n; ++i) {
        power = gfMultiply(power, a);
    }
    return power;
}

// a^31 = 1 for every non-zero a.
constexpr unsigned gfInverse(unsigned a) {
    return gfPower(a, 30);
}

}  // namespace ciferon
