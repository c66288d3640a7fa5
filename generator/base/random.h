// The random source that every kind and every run draws from, and its one draw of a whole
// number. The order in which values are taken is part of every printed code.
#pragma once

#include <cstdint>

namespace ciferon {

// A pseudo-random source of single-precision values in [0, 1). One source serves a whole
// run; the order in which values are taken is part of every exercise kind.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Starts a fresh sequence; called once per run, after both answers are accepted.
    virtual void seed() = 0;
    // The next value, uniform in [0, 1) and never 1.
    virtual float next() = 0;
};

// The production source: PCG32 (O'Neill's permuted congruential generator, the
// XSH-RR variant), seeded from the wall and steady clocks. Its seeding is two steps, where a
// Mersenne twister's seeding alone costs more than a whole run of 200 exercises.
class ClockRandom final : public RandomSource {
  public:
    void seed() override;
    float next() override;
    // A reproducible sequence, for tests and benchmarks.
    void seedWith(std::uint64_t value);

  private:
    std::uint32_t step();

    std::uint64_t state_ = 0;
    static constexpr std::uint64_t multiplier = 6364136223846793005U;
    static constexpr std::uint64_t increment = 1442695040888963407U;
};

// lo + floor(r * (hi - lo + 1)) for the next value r; takes exactly one value. The product
// is formed in double precision, so even the largest float below 1 stays below hi + 1.
int draw(RandomSource& random, int lo, int hi);

}  // namespace ciferon
