#include "kinds/kinds.h"

#include "kinds/addends.h"
#include "kinds/bracket.h"
#include "kinds/chain.h"
#include "kinds/difference.h"
#include "kinds/mixed.h"
#include "kinds/twodigit.h"

namespace ciferon {

const KindTable exerciseKinds{
    bracketProduct,             // 0
    bracketSumQuotient,         // 1
    bracketDifferenceQuotient,  // 2
    addendsTwoProducts,         // 3
    differenceOfProducts,       // 4
    addendsQuotientProduct,     // 5
    differenceProductQuotient,  // 6
    differenceOfQuotients,      // 7
    addendsTwoQuotients,        // 8
    additionChain,              // 9
    divisionWithRemainder,      // 10
    productWithTerm,            // 11
    quotientWithTerm,           // 12
    twoDigitSum,                // 13
    twoDigitDifference,         // 14
};

}  // namespace ciferon
