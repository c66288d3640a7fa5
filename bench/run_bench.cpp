// One whole generation run of 200 exercises, the largest a teacher can ask for, with the
// production random source seeded from the clock; and a pupil's check of a sheet of 200.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "results.h"
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

// The largest sheet, as a check opens it.
const ciferon::Sheet largestSheet{4242, ciferon::sheetCountMax, 7};

// A sheet's results, taken once when the check opens it.
void sheetResults(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ciferon::sheetResults(largestSheet));
    }
}
BENCHMARK(sheetResults);

// "Vyhodnotit" on 200 answered fields: every answer read and marked, every fourth one wrong
// and written with blanks, as a pupil may type it.
void markTwoHundredAnswers(benchmark::State& state) {
    const std::vector<ciferon::Result> results = ciferon::sheetResults(largestSheet);
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const long long value = results[i].value + (i % 4 == 0 ? 1 : 0);
        std::string answer = std::to_string(value);
        if (i % 4 == 0) {
            answer.insert(answer.size() / 2, "\u00A0");
        }
        fields.emplace_back(answer, std::to_string(results[i].remainder.value_or(0)));
    }
    for (auto _ : state) {
        int right = 0;
        for (std::size_t i = 0; i < results.size(); ++i) {
            right += ciferon::markAnswer(results[i], fields[i].first, fields[i].second) ==
                     ciferon::Mark::Right;
        }
        benchmark::DoNotOptimize(right);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(results.size()));
}
BENCHMARK(markTwoHundredAnswers);

}  // namespace
