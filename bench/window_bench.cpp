// A click on Generuj with 200 exercises, until both fields are filled and painted, a click on
// "Vyhodnotit" with 200 answers, until every mark is set, and a key press in the projection
// view, until the next exercise is painted, under Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "check_dialog.h"
#include "codes/items.h"
#include "codes/sheet.h"
#include "form1.h"
#include "marking/results.h"
#include "projection_view.h"
#include "run/run.h"

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

// "Vyhodnotit" on a sheet of 200 exercises, every one answered, from the click until every mark
// is set; Qt's layout and painting after it are left out. The answers swap between all right
// and all wrong before each click, so that every mark changes.
void evaluateClick(benchmark::State& state) {
    const ciferon::Sheet sheet{4242, ciferon::sheetCountMax, 10};
    const std::vector<ciferon::Result> results = ciferon::sheetResults(sheet);
    ciferon::CheckDialog dialog(sheet);
    dialog.show();
    QApplication::processEvents();
    std::vector<std::pair<QLineEdit*, long long>> fields;  // each field and its right value
    for (std::size_t index = 0; index < results.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        fields.emplace_back(dialog.findChild<QLineEdit*>(QStringLiteral("answer%1").arg(number)),
                            results[index].value);
        if (results[index].remainder) {
            fields.emplace_back(
                dialog.findChild<QLineEdit*>(QStringLiteral("remainder%1").arg(number)),
                *results[index].remainder);
        }
    }
    auto* evaluate = dialog.findChild<QPushButton*>(QStringLiteral("evaluate"));
    long long wrong = 0;
    for (auto _ : state) {
        state.PauseTiming();
        wrong = 1 - wrong;
        for (const auto& [field, value] : fields) {
            field->setText(QString::number(value + wrong));
        }
        QApplication::processEvents();  // the layout the last marks asked for, not timed
        state.ResumeTiming();
        evaluate->click();
    }
    const auto* summary = dialog.findChild<QLabel*>(QStringLiteral("summary"));
    const QString expected =
        wrong == 0 ? QStringLiteral("Správně 200 z 200.") : QStringLiteral("Správně 0 z 200.");
    if (summary->text() != expected) {
        state.SkipWithError("the marks were not set");
    }
}
BENCHMARK(evaluateClick)->Unit(benchmark::kMicrosecond);

// A key press in the projection view at 1920 x 1080, from the key event until the next
// exercise is painted, as the next frame paints it. A set of 30 is projected again once it has
// been gone through.
void projectionKeyPress(benchmark::State& state) {
    const ciferon::Sheet sheet{77, 30, 5};
    std::unique_ptr<ciferon::ProjectionView> view;
    int pressed = 0;
    for (auto _ : state) {
        if (!view || view->model().current() == sheet.count - 1) {
            state.PauseTiming();
            view =
                std::make_unique<ciferon::ProjectionView>(sheet, 0, new ciferon::ProjectionClock);
            view->resize(1920, 1080);
            view->show();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &press);
        QApplication::sendEvent(view.get(), &release);
        view->repaint();
        ++pressed;
    }
    if (pressed > 0 && view->model().current() == 0) {
        state.SkipWithError("no key press moved the view on");
    }
}
BENCHMARK(projectionKeyPress)->Unit(benchmark::kMicrosecond);

}  // namespace
