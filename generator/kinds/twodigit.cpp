#include "kinds/twodigit.h"

#include <utility>

namespace ciferon {

Exercise twoDigitSum(const BaseFactors& /*factors*/, KindTools& tools) {
    const int x = draw(tools.random, 10, 90);
    const int y = draw(tools.random, 10, 100 - x);
    return {textOf(x, "+", y, " ="), textOf(x + y), {x + y, {}}};
}

Exercise twoDigitDifference(const BaseFactors& /*factors*/, KindTools& tools) {
    int x = draw(tools.random, 10, 99);
    int y = draw(tools.random, 10, 99);
    if (x < y) {
        std::swap(x, y);
    }
    return {textOf(x, "-", y, " ="), textOf(x - y), {x - y, {}}};
}

}  // namespace ciferon
