// Exercise kinds 0, 1 and 2: a multiplication or division whose operands are hidden in
// brackets, each bracket worth a base factor or their product.
#pragma once

#include "kinds/kind.h"

namespace ciferon {

// Kind 0: «(31-27).(58-52)=» worked out as «4.6=24».
Exercise bracketProduct(const BaseFactors& factors, KindTools& tools);
// Kind 1: the dividend bracket is a sum, «(7+17):(58-52)=» worked out as «24:6=4».
Exercise bracketSumQuotient(const BaseFactors& factors, KindTools& tools);
// Kind 2: the dividend bracket is a difference, «(31-7):(58-52)=» worked out as «24:6=4».
Exercise bracketDifferenceQuotient(const BaseFactors& factors, KindTools& tools);

}  // namespace ciferon
