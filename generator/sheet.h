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

#include "run.h"

namespace ciferon {

inline constexpr int sheetCountMax = 200;
inline constexpr int sheetSeparatorMax = 20;
inline constexpr int classSetMax = 40;
// A class set's defaults, and the longest heading, for every front-end.
inline constexpr int classSetDefault = 25;
inline constexpr int sheetCountDefault = 20;
inline constexpr int sheetSeparatorDefault = 5;
inline constexpr int headingMax = 80;

// A code holds 35 bits: the seed, the count and the separator count as one mixed-radix
// number. This many seeds fit beside the 200 x 20 choices of count and separator count.
inline constexpr std::uint32_t sheetSeeds = 8589934;

struct Sheet {
    std::uint32_t seed = 0;  // below sheetSeeds
    int count = 1;           // 1..sheetCountMax exercises
    int separator = 1;       // an empty line after every separator-th, 1..sheetSeparatorMax
    bool operator==(const Sheet&) const = default;
};

// Whether the sheet's fields lie in their ranges.
bool validSheet(const Sheet& sheet);

// The sheet's two lists: exactly what a run with these answers makes when its source is
// ClockRandom seeded with the sheet's seed.
Lists sheetLists(const Sheet& sheet);

// Two groups of four symbols of Crockford's base 32 joined by a dash, such as "K7M2-9QX4":
// seven symbols of payload and a check symbol. Only for a valid sheet.
std::string sheetCode(const Sheet& sheet);

// Reads a code as typed: case, blanks and dashes do not matter, O reads as 0, I and L as 1,
// and the Czech keyboard's number row without Shift (+ ě š č ř ž ý á í é) as 1..9 and 0.
// Refuses any text that is not a code of a valid sheet; the check symbol catches every
// change of one symbol and every swap of two neighbouring symbols.
std::optional<Sheet> readSheetCode(std::string_view typed);

// A class set: `sheets` sheets of `count` exercises with seeds from the source, no two with
// the same exercise list. The arguments must lie in their ranges.
std::vector<Sheet> classSet(int sheets, int count, int separator, RandomSource& random);

}  // namespace ciferon
