// One whole generation run of 200 exercises, the largest a teacher can ask for, with the
// production random source seeded from the clock; a sheet of 200 exercises of chosen kinds
// against the run's own list making with a kind table of only those kinds; a class set of
// chosen kinds; a pupil's check of a sheet of 200, also with mistakes named; and a class
// set's key texts with mistakes.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "classset/classset.h"
#include "codes/items.h"
#include "codes/sheet.h"
#include "marking/mistakes.h"
#include "marking/results.h"
#include "run/run.h"

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

// "Vyhodnotit" with mistakes named, at its dearest: all 200 answers wrong, every other one the
// wrong answer of a mistake where the exercise has one, then the summary with its lines.
void markTwoHundredWithMistakes(benchmark::State& state) {
    const std::vector<ciferon::SheetItem> items = ciferon::sheetItems(largestSheet);
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ciferon::WrongAnswers wrong = ciferon::wrongAnswers(items[i]);
        ciferon::Result answer = items[i].result;
        answer.value += 1;
        if (i % 2 == 0 && !wrong.empty()) {
            answer = wrong[0].answer;
        }
        fields.emplace_back(std::to_string(answer.value),
                            answer.remainder ? std::to_string(*answer.remainder) : "");
    }
    std::vector<ciferon::MarkedAnswer> marked(items.size());
    std::size_t named = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            marked[i] = ciferon::markWithMistakes(items[i], fields[i].first, fields[i].second);
        }
        benchmark::DoNotOptimize(ciferon::summaryText(marked));
    }
    for (const ciferon::MarkedAnswer& answer : marked) {
        named += answer.mistakes != 0 ? 1 : 0;
    }
    state.counters["named"] = static_cast<double>(named);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items.size()));
}
BENCHMARK(markTwoHundredWithMistakes)->Unit(benchmark::kMicrosecond);

// The texts of a class set's results table of 30 sheets of 20 with mistakes, as the key lays
// it out: every sheet's items, each result's text and the bracket of its wrong answers.
void classSetKeyWithMistakes(benchmark::State& state) {
    ciferon::ClockRandom random;
    random.seedWith(30);
    const std::vector<ciferon::Sheet> sheets = ciferon::classSet(30, 20, 5, random);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const ciferon::Sheet& sheet : sheets) {
            for (const ciferon::SheetItem& item : ciferon::sheetItems(sheet)) {
                bytes += (ciferon::resultText(item.result) + ciferon::keyMistakes(item)).size();
            }
        }
        bytes += ciferon::keyLegend().size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(classSetKeyWithMistakes)->Unit(benchmark::kMicrosecond);

// The choices measured: each topic, and the four-addend kinds, which cost the most.
void choices(benchmark::internal::Benchmark* benchmark) {
    for (const int choice : {0x0007, 0x19F8, 0x6200, 0x0400, 0x0128}) {
        benchmark->Arg(choice);
    }
}

auto chosenKinds(const benchmark::State& state) {
    return static_cast<ciferon::KindChoice>(state.range(0));
}

// A sheet of 200 exercises of the chosen kinds, from its seed to both lists.
void chosenSheet(benchmark::State& state) {
    ciferon::Sheet sheet{0, 200, 10, chosenKinds(state)};
    for (auto _ : state) {
        sheet.seed = (sheet.seed + 1) % ciferon::sheetSeeds;
        benchmark::DoNotOptimize(ciferon::sheetLists(sheet));
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(chosenSheet)->Apply(choices);

// The run's list making of 200 exercises with a table whose fifteen entries are the chosen
// kinds in turn: what the same kinds cost without the choice's dealing.
void runOfTheseKinds(benchmark::State& state) {
    std::vector<int> chosen;
    for (int kind = 0; kind <= ciferon::highestKind; ++kind) {
        if ((chosenKinds(state) >> kind & 1U) != 0) {
            chosen.push_back(kind);
        }
    }
    ciferon::KindTable table{};
    for (std::size_t entry = 0; entry < table.size(); ++entry) {
        table.at(entry) =
            ciferon::exerciseKinds.at(static_cast<std::size_t>(chosen.at(entry % chosen.size())));
    }
    ciferon::ClockRandom random;
    std::uint64_t seed = 0;
    for (auto _ : state) {
        random.seedWith(++seed % ciferon::sheetSeeds);
        benchmark::DoNotOptimize(ciferon::makeLists(200, 10, random, table));
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(runOfTheseKinds)->Apply(choices);

// A class set of 30 sheets of 20 exercises of chosen kinds (the lists made to keep them
// distinct), without paper.
void chosenClassSet(benchmark::State& state) {
    ciferon::ClockRandom random;
    random.seedWith(30);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ciferon::classSet(30, 20, 5, random, chosenKinds(state)));
    }
}
BENCHMARK(chosenClassSet)->Apply(choices)->Unit(benchmark::kMillisecond);

// The longest choice of seeds: 40 sheets of 200 divisions with remainder, of which no sheet
// can avoid repeats (about 400 different exercises), so every sheet tries all its seeds.
void classSetOfUnavoidableRepeats(benchmark::State& state) {
    ciferon::ClockRandom random;
    random.seedWith(40);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ciferon::classSet(40, 200, 10, random, 1U << 10U));
    }
}
BENCHMARK(classSetOfUnavoidableRepeats)->Unit(benchmark::kMillisecond);

}  // namespace
