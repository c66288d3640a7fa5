// A class set of 30 sheets of 20 exercises with its key (the results table and the worked
// solutions), drawn and written to a PDF file in process, under Qt's offscreen platform: of
// every kind, of a teacher's choice of the costliest kinds, the four addends (4, 6, 9), and of
// every kind with five sheets adapted (larger type, one exercise a line, pages of their own),
// and of every kind with the common mistakes' answers in the key; and a follow-up set of 40
// sheets of 20 exercises made from a class's results.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "classset/classset.h"
#include "classset/follow_up.h"
#include "classset/set_file.h"
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

// A follow-up set of 40 sheets of 20 exercises from a set with every sheet handed in, each
// with a few answers not right: its kinds chosen, its sheets made and written to a PDF file.
void followUpToPdf(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("procvicovani.pdf"));
    ciferon::ClockRandom random;
    random.seedWith(40);
    ciferon::ClassSetSettings settings;
    settings.sheets = 40;
    settings.count = 20;
    settings.heading = "5. A";
    ciferon::SetFile kept = ciferon::setFileOf(ciferon::makeClassSet(settings, {}, random));
    int next = 0;
    for (ciferon::SetSheet& sheet : kept.sheets) {
        sheet.row = ciferon::SheetRow{};
        for (int k = 0; k < sheet.sheet.count; ++k) {
            const bool right = ++next % 7 != 0;
            sheet.row->marks.push_back({right ? ciferon::Mark::Right : ciferon::Mark::Wrong, 0});
        }
    }
    for (auto _ : state) {
        random.seed();
        const ciferon::FollowUpPlan plan =
            ciferon::followUpPlan(kept, ciferon::FollowUpMode::OwnResults);
        const ciferon::ClassSet set = ciferon::classSetOf(ciferon::followUpSet(kept, plan, random));
        const QString fault = ciferon::writePdf(
            path, QStringLiteral("Procvičování"),
            [&set](QPagedPaintDevice& device) { return ciferon::printClassSet(device, set); });
        if (!fault.isEmpty()) {
            state.SkipWithError(fault.toStdString().c_str());
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(followUpToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
