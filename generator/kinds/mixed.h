// Exercise kinds 10, 11 and 12: division with remainder, and a product or an exact quotient
// combined with a sum or a difference.
#pragma once

#include "kinds/kind.h"

namespace ciferon {

// Kind 10: «59:7 =» with «8 (3)»; the remainder is never 0.
Exercise divisionWithRemainder(const BaseFactors& factors, KindTools& tools);
// Kind 11: «7.8+5 =» with «56+5 =61».
Exercise productWithTerm(const BaseFactors& factors, KindTools& tools);
// Kind 12: «28:4+5 =» with «7+5 =12».
Exercise quotientWithTerm(const BaseFactors& factors, KindTools& tools);

}  // namespace ciferon
