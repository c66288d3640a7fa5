#include "kinds/difference.h"

namespace ciferon {

namespace {

// The term from the base factors goes first only when its value is strictly larger; a tie
// puts the term of the kind's own draws first and gives 0.
Exercise largerFirst(const OperationTerm& ab, const OperationTerm& cd) {
    const OperationTerm& first = ab.value > cd.value ? ab : cd;
    const OperationTerm& second = ab.value > cd.value ? cd : ab;
    const int difference = first.value - second.value;
    return {textOf(first.text, "-", second.text, "="),
            textOf(first.value, "-", second.value, "=", difference),
            {difference, {}}};
}

}  // namespace

Exercise differenceOfProducts(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 2, 10);
    const int d = draw(tools.random, 2, 10);
    return largerFirst(product(factors.a, factors.b), product(c, d));
}

Exercise differenceProductQuotient(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 2, 10);
    const int d = draw(tools.random, 2, 10);
    return largerFirst(product(factors.a, factors.b), quotient(c, d));
}

Exercise differenceOfQuotients(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 2, 10);
    const int d = draw(tools.random, 2, 10);
    return largerFirst(quotient(factors.a, factors.b), quotient(c, d));
}

}  // namespace ciferon
