// The seed of a new sheet: among seeds, one whose sheet repeats no exercise, where the chosen
// kinds allow it. A printed code keeps its seed; only sheets made now are chosen this way.
#pragma once

#include <cstdint>

#include "base/random.h"
#include "codes/sheet.h"

namespace ciferon {

// How many seeds a new sheet tries at most before it takes the one with the fewest repeats.
inline constexpr int seedTriesMax = 64;

// The exercises of the sheet that repeat an earlier one on it, word for word.
int repeatedExercises(const Sheet& sheet);

// A seed from the source for a sheet of this count, separator and choice: the first drawn
// whose sheet repeats no exercise, or, when none of seedTriesMax does, the first of those
// with the fewest repeats. The sheet's own seed is ignored.
std::uint32_t newSheetSeed(Sheet sheet, RandomSource& random);

}  // namespace ciferon
