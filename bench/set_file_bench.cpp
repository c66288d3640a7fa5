// A class's results: the overview of 40 sheets of 200 answers, and such a set file opened
// from its text, marks and answers included; the overview laid out on pages; a pupil's result
// code made and read.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "classset/set_file.h"
#include "codes/items.h"
#include "codes/result_code.h"
#include "layout/overview_document.h"
#include "marking/overview.h"

namespace {

// 40 sheets of 200 exercises, every one handed in with an answer typed for each exercise:
// right, wrong (a common mistake's where there is one), or none.
ciferon::SetFile fullSet() {
    std::mt19937 engine(40200);
    ciferon::SetFile set;
    set.heading = "5. A – opakování";
    for (int s = 0; s < ciferon::classSetMax; ++s) {
        const ciferon::Sheet sheet{static_cast<std::uint32_t>(engine() % ciferon::sheetSeeds),
                                   ciferon::sheetCountMax, 5, ciferon::allKinds};
        std::string answers;
        for (const ciferon::SheetItem& item : ciferon::sheetItems(sheet)) {
            const ciferon::WrongAnswers wrong = ciferon::wrongAnswers(item);
            switch (engine() % 3) {
                case 0:
                    answers += ciferon::resultText(item.result);
                    break;
                case 1:
                    answers += wrong.empty() ? std::to_string(item.result.value + 1)
                                             : ciferon::resultText(wrong[0].answer);
                    break;
                default:
                    break;
            }
            answers += '\n';
        }
        const ciferon::FileMarks marked =
            ciferon::markAnswerFile(answers, ciferon::sheetItems(sheet));
        set.sheets.push_back({sheet, false, "Žák " + std::to_string(s + 1),
                              ciferon::rowOfAnswerFile(answers, marked)});
    }
    return set;
}

void overviewOfForty(benchmark::State& state) {
    const ciferon::SetFile set = fullSet();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ciferon::overviewOf(set));
    }
}
BENCHMARK(overviewOfForty)->Unit(benchmark::kMillisecond);

void setFileOfFortyOpened(benchmark::State& state) {
    const std::string text = ciferon::writeSetFile(fullSet());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ciferon::readSetFile(text, "5A.ciferon"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(setFileOfFortyOpened)->Unit(benchmark::kMillisecond);

// The overview of those 40 sheets laid out on A4 pages, as its PDF and the page's print are.
void overviewOfFortyLaidOut(benchmark::State& state) {
    const ciferon::SetFile set = fullSet();
    const ciferon::Overview overview = ciferon::overviewOf(set);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ciferon::overviewLayout(set, overview));
    }
}
BENCHMARK(overviewOfFortyLaidOut)->Unit(benchmark::kMillisecond);
// A pupil's result code made from a checked sheet of 30 exercises, the longest that has one,
// with a third of them not right, and read back for its sheet.
void resultCodeMadeAndRead(benchmark::State& state) {
    const ciferon::Sheet sheet{1234567, ciferon::resultCodeExercisesMax, 5};
    std::vector<ciferon::MarkedAnswer> marks(static_cast<std::size_t>(sheet.count),
                                             {ciferon::Mark::Right, 0});
    for (std::size_t i = 0; i < marks.size(); i += 3) {
        marks[i] = {ciferon::Mark::Wrong, ciferon::mistakeBit(ciferon::Mistake::CarryForgotten)};
    }
    for (auto _ : state) {
        const auto code = ciferon::resultCode(sheet, marks);
        benchmark::DoNotOptimize(ciferon::readResultCode(sheet, *code));
    }
}
BENCHMARK(resultCodeMadeAndRead)->Unit(benchmark::kMicrosecond);

}  // namespace
