#include "kinds/chain.h"

namespace ciferon {

namespace {

// From this running value on, the next step must subtract. An addition may end one above.
constexpr int limit = 50;

}  // namespace

Exercise additionChain(const BaseFactors& /*factors*/, KindTools& tools) {
    RandomSource& random = tools.random;
    int value = draw(random, 1, 20);
    std::string exercise = textOf(value);
    const int steps = draw(random, 3, 6);
    for (int step = 0; step < steps; ++step) {
        // The choice takes its random value even when the running value overrides it.
        int subtract = draw(random, 0, 1);
        if (value == 0) {
            subtract = 0;
        }
        if (value >= limit) {
            subtract = 1;
        }
        if (subtract == 0) {
            const int number = draw(random, 1, limit - value + 1);
            appendPiece(exercise, "+");
            appendPiece(exercise, number);
            value += number;
        } else {
            const int number = draw(random, 1, value);
            appendPiece(exercise, "-");
            appendPiece(exercise, number);
            value -= number;
        }
    }
    appendPiece(exercise, " =");
    return {std::move(exercise), textOf(value), {value, {}}};
}

}  // namespace ciferon
