// A click on Generuj with 200 exercises, until both fields are filled and painted, under
// Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "form1.h"
#include "run.h"

namespace {

// The real dialogs but for the run's two questions.
class LargestRun final : public ciferon::DialogPrompts {
  public:
    QString askNumber(QWidget* /*parent*/, const QString& question,
                      const QString& /*defaultAnswer*/) override {
        return question.startsWith(QStringLiteral("Kolik")) ? QStringLiteral("200")
                                                            : QStringLiteral("10");
    }
    bool confirm(QWidget* /*parent*/, const QString& /*text*/) override { return true; }
};

void generateClick(benchmark::State& state) {
    LargestRun prompts;
    ciferon::ClockRandom random;
    ciferon::Form1 form(prompts, random);
    form.show();
    QApplication::processEvents();
    auto* generate = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    for (auto _ : state) {
        generate->click();
        form.repaint();
        QApplication::processEvents();
    }
    if (form.fieldText(0).count(QStringLiteral("\r\n")) != 220) {
        state.SkipWithError("the exercise field was not filled");
    }
}
BENCHMARK(generateClick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
