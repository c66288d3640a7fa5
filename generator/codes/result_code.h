// A pupil's result code ("Kód výsledku"): the marks of a checked sheet, as the check counted
// them, in a short code that the pupil writes on the sheet or sends to the teacher, who enters
// it in place of the answers. It belongs to its sheet: entered for another, it is refused. Like
// a sheet code it is a promise: every later version reads every code made before, and the list
// of mistakes it can name only grows.
//
// The code is Crockford's base 32 in groups of four (code_symbols.h). Its symbols carry, most
// significant bit first:
//   3 bits   the format's version, 1;
//   13 bits  the sheet's tag: the FNV-1a hash (64 bits) of the sheet's code as printed, its
//            high half xor its low half, the lowest 13 bits of that;
//   5 bits   k, how many exercises are not right (the sheet, which the reader knows, has
//            n <= 30 of them);
//   w bits   which ones: the rank of their places p1 < ... < pk (from 0) in the combinatorial
//            number system, C(p1, 1) + ... + C(pk, k), with w the fewest bits that hold
//            C(n, k) - 1 (none when k is 0 or n);
//   4 bits   for each of them in order, its mark: 0 not answered, 1 unreadable, 2 wrong with
//            no mistake named, 3 + m wrong with the one mistake m (m < 12), 15 wrong with two
//            or more mistakes, the 12-bit set of them following (bit m for mistake m);
// then zero bits up to a whole symbol, and one check symbol c. With the symbols s_0 .. s_L
// (c = s_L) and the weights x^(i+1) of GF(32), the sum of s_i * x^(i+1) is zero: every weight is
// non-zero and neighbours' weights differ, so every change of one symbol and every swap of two
// neighbours is refused.
//
// A sheet of 20 exercises with five not right, each with at most one mistake, takes
// 3 + 13 + 5 + 14 + 5 * 4 = 55 bits: eleven symbols and the check. All right: six symbols.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codes/sheet.h"
#include "marking/mistakes.h"

namespace ciferon {

inline constexpr int resultCodeVersion = 1;
// The longest sheet that has a result code: the projection's limit. A longer one has none.
inline constexpr int resultCodeExercisesMax = 30;
// The mistakes that this format can name, however many the program knows.
inline constexpr int resultCodeMistakesMax = 12;

// The result code of a sheet's marks, one per exercise as the check counts them (missing ones
// are not answered, extra ones ignored; only a wrong mark keeps its mistakes): "XXXX-XXXX-XXXX".
// Nothing for a sheet of more than resultCodeExercisesMax exercises.
std::optional<std::string> resultCode(const Sheet& sheet, std::span<const MarkedAnswer> marks);

// Why a typed result code is refused.
enum class ResultCodeFault {
    None,
    NotValid,    // not a result code: mistyped, a symbol changed, neighbours swapped
    OtherSheet,  // a result code, of another sheet
    NoCode,      // the sheet has more than resultCodeExercisesMax exercises
};

// A typed result code read for its sheet, as sheet codes are typed: the marks, one per exercise
// of the sheet, or why it is refused (and no marks).
struct ResultCodeReading {
    std::vector<MarkedAnswer> marks;
    ResultCodeFault fault = ResultCodeFault::None;
};
ResultCodeReading readResultCode(const Sheet& sheet, std::string_view typed);

}  // namespace ciferon
