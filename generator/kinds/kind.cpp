#include "kinds/kind.h"

#include "base/number_text.h"

namespace ciferon {

OperationTerm product(int x, int y) {
    return {textOf(x, ".", y), x * y};
}

OperationTerm quotient(int x, int y) {
    return {textOf(x * y, ":", x), y};
}

}  // namespace ciferon
