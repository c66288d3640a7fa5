#include "kinds/mixed.h"

namespace ciferon {

namespace {

// An operation term combined with the number c in one of three forms: 0 c last, 1 c first,
// 2 a difference with the larger side first (c on a tie). The solution shows the
// operation's value in its place, then the result.
Exercise withTerm(const OperationTerm& operation, int c, int form) {
    const std::string& text = operation.text;
    const int value = operation.value;
    switch (form) {
        case 0:
            return {textOf(text, "+", c, " ="),
                    textOf(value, "+", c, " =", value + c),
                    {value + c, {}}};
        case 1:
            return {textOf(c, "+", text, " ="),
                    textOf(c, "+", value, " =", value + c),
                    {value + c, {}}};
        default:
            if (c >= value) {
                return {textOf(c, "-", text, " ="),
                        textOf(c, "-", value, " =", c - value),
                        {c - value, {}}};
            }
            return {textOf(text, "-", c, " ="),
                    textOf(value, "-", c, " =", value - c),
                    {value - c, {}}};
    }
}

}  // namespace

Exercise divisionWithRemainder(const BaseFactors& /*factors*/, KindTools& tools) {
    const int divisor = draw(tools.random, 2, 10);
    const int remainder = draw(tools.random, 1, divisor - 1);
    const int result = draw(tools.random, 2, 10);
    return {textOf(divisor * result + remainder, ":", divisor, " ="),
            textOf(result, " (", remainder, ")"),
            {result, remainder}};
}

Exercise productWithTerm(const BaseFactors& /*factors*/, KindTools& tools) {
    const int x = draw(tools.random, 2, 10);
    const int y = draw(tools.random, 2, 10);
    const int c = draw(tools.random, 2, 12);
    const OperationTerm term = draw(tools.random, 0, 1) == 0 ? product(x, y) : product(y, x);
    const int form = draw(tools.random, 0, 2);
    return withTerm(term, c, form);
}

Exercise quotientWithTerm(const BaseFactors& /*factors*/, KindTools& tools) {
    const int x = draw(tools.random, 2, 10);
    const int y = draw(tools.random, 2, 10);
    const int c = draw(tools.random, 2, 12);
    const int form = draw(tools.random, 0, 2);
    // (x * y):y, worth x.
    const OperationTerm term = quotient(y, x);
    return withTerm(term, c, form);
}

}  // namespace ciferon
