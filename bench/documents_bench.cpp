// A class set of 30 sheets of 20 exercises with its key and the mistakes in it, as DOCX and as
// ODT in process, from the class set to the file's bytes: the editable documents' budget is
// the PDF's, 50 ms.
#include <benchmark/benchmark.h>

#include "classset/classset.h"
#include "documents/documents.h"

namespace {

ciferon::ClassSet thirtySheets() {
    ciferon::ClassSetSettings settings;
    settings.sheets = 30;
    settings.count = 20;
    settings.adapted = "3, 7";
    ciferon::ClockRandom random;
    random.seedWith(3020);
    return ciferon::makeClassSet(settings, {false, true}, random);
}

void classSetDocument(benchmark::State& state) {
    const ciferon::ClassSet set = thirtySheets();
    const auto format = static_cast<ciferon::DocumentFormat>(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string document = ciferon::classSetDocument(set, format);
        bytes = document.size();
        benchmark::DoNotOptimize(document.data());
    }
    state.SetLabel(std::string(ciferon::documentExtension(format)));
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(classSetDocument)
    ->Arg(static_cast<int>(ciferon::DocumentFormat::Docx))
    ->Arg(static_cast<int>(ciferon::DocumentFormat::Odt))
    ->Unit(benchmark::kMillisecond);

}  // namespace
