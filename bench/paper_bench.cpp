// A class set of 30 sheets of 20 exercises with its key (the results table and the worked
// solutions), drawn and written to a PDF file in process, under Qt's offscreen platform: of
// every kind, of a teacher's choice of the costliest kinds, the four addends (4, 6, 9), and of
// every kind with five sheets adapted (larger type, one exercise a line, pages of their own),
// and of every kind with the common mistakes' answers in the key.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "classset/classset.h"
#include "codes/choice.h"
#include "codes/sheet.h"
#include "paper.h"

namespace {

void classSetToPdf(benchmark::State& state, ciferon::KindChoice kinds, const char* adapted,
                   bool mistakes) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("listy.pdf"));
    ciferon::ClockRandom random;
    ciferon::ClassSetSettings settings;
    settings.sheets = 30;
    settings.count = 20;
    settings.separator = 5;
    settings.kinds = kinds;
    settings.adapted = adapted;
    settings.heading = "5. A";
    for (auto _ : state) {
        random.seed();
        const ciferon::ClassSet set = ciferon::makeClassSet(settings, {false, mistakes}, random);
        const QString fault = ciferon::writePdf(
            path, QStringLiteral("Pracovní listy"),
            [&set](QPagedPaintDevice& device) { return ciferon::printClassSet(device, set); });
        if (!fault.isEmpty()) {
            state.SkipWithError(fault.toStdString().c_str());
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK_CAPTURE(classSetToPdf, allKinds, ciferon::allKinds, "", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(classSetToPdf, fourAddends, *ciferon::readKindList("4,6,9"), "", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(classSetToPdf, fiveAdapted, ciferon::allKinds, "3, 9, 14, 22-23", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(classSetToPdf, withMistakes, ciferon::allKinds, "", true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
