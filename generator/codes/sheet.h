// Worksheets: the two lists of one run, fixed by a seed, and the short code that brings the
// same sheet back on any computer. A code printed once must open the same sheet, byte for
// byte, in every later version and every build: the code format, the seeding and the list
// making below are never to change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/run.h"

namespace ciferon {

inline constexpr int sheetCountMax = 200;
inline constexpr int sheetSeparatorMax = 20;
inline constexpr int classSetMax = 40;
// A class set's defaults, and the longest heading, for every front-end.
inline constexpr int classSetDefault = 25;
inline constexpr int sheetCountDefault = 20;
inline constexpr int sheetSeparatorDefault = 5;
inline constexpr int headingMax = 80;

// Which kinds a sheet practises: KindChoice, bit k set for kind k, and allKinds (run.h).

// A code's payload begins with 35 bits: the seed, the count and the separator count as one
// mixed-radix number. This many seeds fit beside the 200 x 20 choices of count and separator
// count.
inline constexpr std::uint32_t sheetSeeds = 8589934;

struct Sheet {
    std::uint32_t seed = 0;       // below sheetSeeds
    int count = 1;                // 1..sheetCountMax exercises
    int separator = 1;            // an empty line after every separator-th, 1..sheetSeparatorMax
    KindChoice kinds = allKinds;  // non-empty
    bool operator==(const Sheet&) const = default;
};

// Whether the sheet's fields lie in their ranges and at least one kind is chosen.
bool validSheet(const Sheet& sheet);

// The sheet's two lists. With all fifteen kinds: exactly what a run with these answers makes
// when its source is ClockRandom seeded with the sheet's seed. With a subset: the same list
// making, seeded the same, with the chosen kinds taking turns (run.cpp says how they are
// dealt).
Lists sheetLists(const Sheet& sheet);

// A code in Crockford's base 32 (0-9 and the letters without I, L, O and U), in groups of four
// symbols joined by dashes. Only for a valid sheet.
//
// All fifteen kinds: two groups, such as "K7M2-9QX4". Seven symbols of payload, the 35-bit
// number (seed * 200 + count - 1) * 20 + separator - 1 scrambled by a bijection, most
// significant symbol first, and a check symbol that catches every change of one symbol and
// every swap of two neighbouring symbols.
//
// A subset of kinds: three groups, "XXXX-XXXX-XXXX". Ten symbols of payload, the 35-bit
// number above times 2^15 plus the 15-bit choice, scrambled by a bijection of its 50 bits,
// then two Reed-Solomon check symbols over GF(32): every change of one or two symbols, and so
// every swap of two neighbours, is refused. A twelve-symbol code of no kind or of all fifteen
// is refused, so that every sheet has exactly one code.
std::string sheetCode(const Sheet& sheet);

// Reads a code of either length as typed: case, blanks and dashes do not matter, O reads as
// 0, I and L as 1, and the Czech keyboard's number row without Shift (+ ě š č ř ž ý á í é)
// as 1..9 and 0. Eight symbols are a code of all kinds, twelve one of chosen kinds. Refuses
// any text that is not a code of a valid sheet, and malformed UTF-8.
std::optional<Sheet> readSheetCode(std::string_view typed);

namespace detail {
// For tests only: the kind number of every exercise of the sheet, in order. The texts do not
// always tell the kind (kinds 1 and 2 can look alike).
std::vector<int> sheetKinds(const Sheet& sheet);
// For tests only: the twelve-symbol form of the sheet's code whatever its choice, also for
// none and for all fifteen kinds, which the reader refuses.
std::string twelveSymbolCode(const Sheet& sheet);
}  // namespace detail

}  // namespace ciferon
