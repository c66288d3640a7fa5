#include "kinds/bracket.h"

#include "kinds/terms.h"

namespace ciferon {

namespace {

// Brackets hold bare numbers: no variable name.
std::string bracket(int leading, int following) {
    return zavorka(leading, following, "");
}

// Every kind's second bracket: u minus (u - b), worth the divisor or second factor b.
std::string divisorBracket(int u, const BaseFactors& factors) {
    return bracket(u, factors.b - u);
}

// Kinds 1 and 2 share the division: the first bracket is worth p.
Exercise bracketQuotient(const std::string& dividend, int u, const BaseFactors& factors) {
    return {textOf(dividend, ":", divisorBracket(u, factors), "="),
            textOf(factors.p, ":", factors.b, "=", factors.a),
            {factors.a, {}}};
}

}  // namespace

Exercise bracketProduct(const BaseFactors& factors, KindTools& tools) {
    const int x = draw(tools.random, 10, 99);
    const int u = draw(tools.random, 10, 99);
    return {textOf(bracket(x, factors.a - x), ".", divisorBracket(u, factors), "="),
            textOf(factors.a, ".", factors.b, "=", factors.p),
            {factors.p, {}}};
}

Exercise bracketSumQuotient(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 1, 10);
    const int u = draw(tools.random, 10, 99);
    return bracketQuotient(bracket(c, factors.p - c), u, factors);
}

Exercise bracketDifferenceQuotient(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 1, 10);
    const int u = draw(tools.random, 10, 99);
    return bracketQuotient(bracket(factors.p + c, -c), u, factors);
}

}  // namespace ciferon
