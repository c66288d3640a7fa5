#include "kinds/addends.h"

#include <utility>

namespace ciferon {

namespace {

// Fills the slots with the two operation terms and two plain addends, shuffles and sums.
Exercise fourAddends(OperationTerm first, OperationTerm second, KindTools& tools) {
    AddendSlots& slots = tools.addends;
    slots.text[0] = std::move(first.text);
    slots.text[1] = std::move(second.text);
    slots.text[2] = textOf(draw(tools.random, 2, 10));
    slots.text[3] = textOf(draw(tools.random, 2, 10));
    slots.value[0] = static_cast<std::int16_t>(first.value);
    slots.value[1] = static_cast<std::int16_t>(second.value);
    // The plain addends' values are read back from their texts.
    slots.value[2] = static_cast<std::int16_t>(readNumber(slots.text[2]));
    slots.value[3] = static_cast<std::int16_t>(readNumber(slots.text[3]));
    shuffleSlots(slots, tools.random);
    return assembleAddends(slots);
}

}  // namespace

void shuffleSlots(AddendSlots& slots, RandomSource& random) {
    for (std::size_t j = 0; j < slots.text.size(); ++j) {
        const auto r = static_cast<std::size_t>(draw(random, 1, 4) - 1);
        if (r != j) {
            std::swap(slots.text[r], slots.text[j]);
            std::swap(slots.value[r], slots.value[j]);
        }
    }
}

Exercise assembleAddends(const AddendSlots& slots) {
    const auto& t = slots.text;
    const auto& v = slots.value;
    // At most 220, so the 16-bit sum cannot overflow.
    const auto sum = static_cast<std::int16_t>(v[0] + v[1] + v[2] + v[3]);
    return {textOf(t[0], "+", t[1], "+", t[2], "+", t[3], "="),
            textOf(v[0], "+", v[1], "+", v[2], "+", v[3], "=", sum),
            {sum, {}}};
}

// Each kind draws c, then d, before it writes its two operation terms.

Exercise addendsTwoProducts(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 2, 10);
    const int d = draw(tools.random, 2, 10);
    return fourAddends(product(factors.a, factors.b), product(c, d), tools);
}

Exercise addendsQuotientProduct(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 2, 10);
    const int d = draw(tools.random, 2, 10);
    return fourAddends(quotient(factors.b, factors.a), product(c, d), tools);
}

Exercise addendsTwoQuotients(const BaseFactors& factors, KindTools& tools) {
    const int c = draw(tools.random, 2, 10);
    const int d = draw(tools.random, 2, 10);
    return fourAddends(quotient(factors.a, factors.b), quotient(c, d), tools);
}

}  // namespace ciferon
