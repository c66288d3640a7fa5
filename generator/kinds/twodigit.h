// Exercise kinds 13 and 14: plain sums and differences of two two-digit numbers.
#pragma once

#include "kinds/kind.h"

namespace ciferon {

// Kind 13: «45+28 =» with «73»; the sum is at most 100.
Exercise twoDigitSum(const BaseFactors& factors, KindTools& tools);
// Kind 14: «63-17 =» with «46»; the larger number stands first.
Exercise twoDigitDifference(const BaseFactors& factors, KindTools& tools);

}  // namespace ciferon
