// A class set of 30 sheets of 20 exercises with its key (the results table and the worked
// solutions), drawn and written to a PDF file in process, under Qt's offscreen platform: of
// every kind, and of a teacher's choice of the costliest kinds, the four addends (4, 6, 9).
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "choice.h"
#include "paper.h"
#include "sheet.h"

namespace {

void classSetToPdf(benchmark::State& state, ciferon::KindChoice kinds) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("listy.pdf"));
    ciferon::ClockRandom random;
    for (auto _ : state) {
        random.seed();
        const auto sheets = ciferon::paperSheets(ciferon::classSet(30, 20, 5, random, kinds));
        const QString fault = ciferon::writePdf(
            path, QStringLiteral("Pracovní listy"), [&](QPagedPaintDevice& device) {
                return ciferon::printSheets(device, sheets, {QStringLiteral("5. A"), false});
            });
        if (!fault.isEmpty()) {
            state.SkipWithError(fault.toStdString().c_str());
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK_CAPTURE(classSetToPdf, allKinds, ciferon::allKinds)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(classSetToPdf, fourAddends, *ciferon::readKindList("4,6,9"))
    ->Unit(benchmark::kMillisecond);

}  // namespace
