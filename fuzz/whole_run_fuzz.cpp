// A whole generation run whose two answers and random values all come from the fuzzer:
// no crash, no undefined behaviour; an accepted run's lists pass the independent evaluator,
// and a refused run shows nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "evaluator.h"
#include "run/run.h"

namespace {

// Random values from the fuzzer's bytes, three to a value; 0 once the bytes run out.
class BytesRandom final : public ciferon::RandomSource {
  public:
    explicit BytesRandom(FuzzedDataProvider& data) : data_(data) {}
    void seed() override { ++seeds; }
    float next() override {
        const auto bits = data_.ConsumeIntegralInRange<std::uint32_t>(0, (1U << 24) - 1);
        return static_cast<float>(bits) / 16777216.0F;
    }
    int seeds = 0;

  private:
    FuzzedDataProvider& data_;
};

class Host final : public ciferon::RunHost {
  public:
    Host(std::string count, std::string separator)
        : answers_{std::move(count), std::move(separator)} {}
    std::string askNumber(std::string_view /*question*/, int /*defaultAnswer*/) override {
        if (asked_ >= 2) {
            std::abort();  // a run asks two questions at most
        }
        return answers_[asked_++];
    }
    void showResults(const std::string& exercises, const std::string& solutions) override {
        ++shown;
        lists = {exercises, solutions};
    }
    int shown = 0;
    ciferon::Lists lists;

  private:
    std::string answers_[2];
    int asked_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    std::string count = provider.ConsumeRandomLengthString(64);
    std::string separator = provider.ConsumeRandomLengthString(64);
    BytesRandom random(provider);
    Host host(count, separator);

    const bool accepted = ciferon::run(host, random);
    const double n = ciferon::readNumber(count);
    const int interval = ciferon::separatorInterval(ciferon::readNumber(separator));
    if (!accepted) {
        if (host.shown != 0 || random.seeds != 0 || (ciferon::acceptsCount(n) && interval != 0)) {
            std::abort();
        }
        return 0;
    }
    if (host.shown != 1 || random.seeds != 1 || !ciferon::acceptsCount(n) || interval == 0) {
        std::abort();
    }
    const auto verdict = ciferon::testing::checkLists(host.lists.exercises, host.lists.solutions,
                                                      static_cast<int>(n), interval);
    if (!verdict.fault.empty()) {
        std::cerr << verdict.fault << '\n';
        std::abort();
    }
    return 0;
}
