// Exercise kinds 3, 5 and 8: a sum of four terms, two operation terms and two plain numbers
// in shuffled order, worked out term by term: «3.4+5.2+9+7=» with «12+10+9+7=38».
#pragma once

#include "kinds/kind.h"

namespace ciferon {

// Kind 3: two products.
Exercise addendsTwoProducts(const BaseFactors& factors, KindTools& tools);
// Kind 5: a quotient and a product.
Exercise addendsQuotientProduct(const BaseFactors& factors, KindTools& tools);
// Kind 8: two quotients.
Exercise addendsTwoQuotients(const BaseFactors& factors, KindTools& tools);

// For j = 1 to 4, exchanges slot j with slot draw 1..4 (text and value together): always
// four random values, each partner drawn from all four slots.
void shuffleSlots(AddendSlots& slots, RandomSource& random);

// The four text slots joined by "+" and closed by "=", and the solution: the four values
// joined by "+", "=", and their sum.
Exercise assembleAddends(const AddendSlots& slots);

}  // namespace ciferon
