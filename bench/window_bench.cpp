// A click on Generuj with 200 exercises, until both fields are filled and painted, a click on
// "Vyhodnotit" with 200 answers, until every mark is set, a key press in the projection view,
// until the next exercise is painted, and a key typed into the results grid of 40 sheets of
// 200 exercises, until the cell is marked and drawn (and Enter, until the set is written),
// under Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>

#include "check_dialog.h"
#include "classset/set_entry.h"
#include "codes/items.h"
#include "codes/sheet.h"
#include "form1.h"
#include "marking/results.h"
#include "projection_view.h"
#include "results_grid.h"
#include "run/run.h"
#include "set_document.h"

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

// The results grid of 40 sheets of 200 exercises, every sheet handed in: a digit typed into a
// cell, until the core has marked it and the grid has drawn it. With `enter`, Enter after it:
// the cell left, the whole set written to its file and renamed over the old one.
void gridKey(benchmark::State& state, bool enter) {
    QTemporaryDir dir;
    ciferon::SetFile set;
    for (std::uint32_t seed = 0; seed < ciferon::classSetMax; ++seed) {
        ciferon::SetSheet sheet{ciferon::Sheet{500 + seed, ciferon::sheetCountMax, 10}, false,
                                "Alžběta Nováková", std::nullopt};
        ciferon::handIn(sheet);
        set.sheets.push_back(sheet);
    }
    ciferon::SetDocument document;
    document.adopt(set);
    if (!document.saveAs(dir.filePath(QStringLiteral("trida.ciferon"))).isEmpty()) {
        state.SkipWithError("the set could not be written");
        return;
    }
    ciferon::ResultsGrid grid(document);
    grid.setAttribute(Qt::WA_DeleteOnClose, false);
    grid.show();
    QApplication::processEvents();
    QTableView* table = grid.table();
    for (auto _ : state) {
        // A cell of "5" typed again and again: each press replaces what the last one typed.
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
        QApplication::sendEvent(table, &erase);
        QApplication::sendEvent(table, &press);
        if (enter) {
            QKeyEvent next(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(table, &next);
        }
        QApplication::processEvents();  // the cell drawn again, as the next frame draws it
    }
    if (!document.set().sheets[0].row || document.set().sheets[0].row->answers.empty()) {
        state.SkipWithError("nothing was typed");
    }
}
BENCHMARK_CAPTURE(gridKey, typed, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(gridKey, typedThenEnter, true)->Unit(benchmark::kMicrosecond);

}  // namespace
