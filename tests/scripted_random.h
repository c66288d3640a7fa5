// A random source for tests: replays given values and fails the test when a run takes more
// values than scripted, or leaves some untaken.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "run/run.h"

namespace ciferon::testing {

class ScriptedRandom final : public RandomSource {
  public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;
    ScriptedRandom(ScriptedRandom&&) = delete;
    ScriptedRandom& operator=(ScriptedRandom&&) = delete;
    ~ScriptedRandom() override {
        EXPECT_EQ(taken_, values_.size()) << "scripted random values were left untaken";
    }

    void seed() override { ++seeds_; }
    float next() override {
        if (taken_ >= values_.size()) {
            ADD_FAILURE() << "took more random values than the " << values_.size() << " scripted";
            return 0.0F;
        }
        return values_[taken_++];
    }

    void add(float value) { values_.push_back(value); }
    void add(const std::vector<float>& values) {
        values_.insert(values_.end(), values.begin(), values.end());
    }
    [[nodiscard]] std::size_t taken() const { return taken_; }
    [[nodiscard]] int seeds() const { return seeds_; }

  private:
    std::vector<float> values_;
    std::size_t taken_ = 0;
    int seeds_ = 0;
};

// The random value in the middle of the band that makes draw lo..hi yield k.
inline float valueFor(int lo, int hi, int k) {
    return (static_cast<float>(k - lo) + 0.5F) / static_cast<float>(hi - lo + 1);
}

// The 15 values of a deal that exchanges nothing.
inline std::vector<float> identityDeal() {
    std::vector<float> values;
    for (int m = 0; m <= highestKind; ++m) {
        values.push_back(valueFor(0, highestKind, m));
    }
    return values;
}

}  // namespace ciferon::testing
