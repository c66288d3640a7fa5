// Exercise kinds 4, 6 and 7: the difference of two operation terms, the larger first, so
// the result is never negative: «3.4-5.2=» with «12-10=2».
#pragma once

#include "kinds/kind.h"

namespace ciferon {

// Kind 4: product minus product.
Exercise differenceOfProducts(const BaseFactors& factors, KindTools& tools);
// Kind 6: a product and a quotient, compared by their values.
Exercise differenceProductQuotient(const BaseFactors& factors, KindTools& tools);
// Kind 7: quotient minus quotient.
Exercise differenceOfQuotients(const BaseFactors& factors, KindTools& tools);

}  // namespace ciferon
