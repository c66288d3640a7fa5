// One whole generation run of 200 exercises, the largest a teacher can ask for, with the
// production random source seeded from the clock.
#include <benchmark/benchmark.h>

#include "run.h"

namespace {

class Answers final : public ciferon::RunHost {
  public:
    std::string askNumber(std::string_view question, int /*defaultAnswer*/) override {
        return question == ciferon::countQuestion ? "200" : "10";
    }
    void showResults(const std::string& exercises, const std::string& solutions) override {
        benchmark::DoNotOptimize(exercises.data());
        benchmark::DoNotOptimize(solutions.data());
        bytes += exercises.size() + solutions.size();
    }
    std::size_t bytes = 0;
};

void wholeRun(benchmark::State& state) {
    Answers answers;
    ciferon::ClockRandom random;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ciferon::run(answers, random));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(answers.bytes));
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(wholeRun);

}  // namespace
