#include "base/random.h"

#include <bit>
#include <chrono>

namespace ciferon {

void ClockRandom::seed() {
    // The wall clock tells runs on different days apart; the steady clock adds the finest
    // resolution the platform has. In a browser the wall clock counts whole milliseconds and
    // the steady clock starts with the page, so either alone repeats more often.
    using std::chrono::steady_clock;
    using std::chrono::system_clock;
    const auto wall = static_cast<std::uint64_t>(system_clock::now().time_since_epoch().count());
    const auto fine = static_cast<std::uint64_t>(steady_clock::now().time_since_epoch().count());
    seedWith(wall * 0x9E3779B97F4A7C15U + fine);
}

void ClockRandom::seedWith(std::uint64_t value) {
    state_ = 0;
    step();
    state_ += value;
    step();
}

std::uint32_t ClockRandom::step() {
    const std::uint64_t old = state_;
    state_ = old * multiplier + increment;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<unsigned>(old >> 59U);
    return std::rotr(xorShifted, static_cast<int>(rotation));
}

float ClockRandom::next() {
    // The top 24 bits fill a float's mantissa exactly: the largest value is 1 - 2^-24.
    constexpr float scale = 1.0F / 16777216.0F;
    return static_cast<float>(step() >> 8U) * scale;
}

int draw(RandomSource& random, int lo, int hi) {
    const double r = random.next();
    // The product is never negative, so truncation is the floor.
    return lo + static_cast<int>(r * (hi - lo + 1));
}

}  // namespace ciferon
