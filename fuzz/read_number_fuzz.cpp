// Any bytes as a typed answer: the reading never fails, never takes more than linear time,
// and gives a number that a plain reading of the same characters confirms.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "run/run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const double value = ciferon::readNumber(answer);
    if (std::isnan(value)) {
        std::abort();
    }
    // An answer without a digit reads as 0.
    if (answer.find_first_of("0123456789") == std::string_view::npos && value != 0.0) {
        std::abort();
    }
    // The accept rules must hold for whatever was read.
    if (ciferon::acceptsCount(value) != (value > 0 && value <= 200)) {
        std::abort();
    }
    const int interval = ciferon::separatorInterval(value);
    if (interval != 0 && (interval < 1 || interval > 20 || std::abs(value - interval) > 0.5)) {
        std::abort();
    }
    return 0;
}
