// The projection view on the desktop: the real dialog from the menu, the keys and clicks
// with a test clock, the fit of every kind's exercises at classroom screen sizes, and how
// soon a key press is drawn.
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "codes/sheet.h"
#include "form1.h"
#include "marking/results.h"
#include "modal_dialogs.h"
#include "projection_view.h"

namespace ciferon {
namespace {

QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

// AFKB-MJZY: three exercises whose solutions take two, two and one step.
const Sheet threeExercises{1234567, 3, 2};

// What the view shows, as a test reads it: "exercise/steps", P paused, B blanked, E ended.
QString shown(const ProjectionView& view) {
    const Projection& model = view.model();
    QString text = QStringLiteral("%1/%2").arg(model.current()).arg(model.stepsShown());
    text += model.paused() ? QStringLiteral(" P") : QString();
    text += model.blanked() ? QStringLiteral(" B") : QString();
    text += model.finished() ? QStringLiteral(" E") : QString();
    return text;
}

}  // namespace

class ProjectionViewTest : public QObject {
    Q_OBJECT

    ClockRandom random_;

  private Q_SLOTS:
    // From the menu: the real dialog, one topic and four exercises; then the same set again
    // by the code the view shows, and a code refused in the dialog itself.
    void theDialogProjectsANewSetOrOneByItsCode() {
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        form.show();
        QString seenCode;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<ProjectionDialog*>(modal);
            QVERIFY(dialog != nullptr);
            auto* count = dialog->findChild<QSpinBox*>(QStringLiteral("count"));
            auto* seconds = dialog->findChild<QSpinBox*>(QStringLiteral("seconds"));
            QCOMPARE(count->value(), 10);
            QCOMPARE(count->maximum(), 30);
            QCOMPARE(seconds->value(), 0);
            QCOMPARE(seconds->maximum(), 600);
            for (const char* topic : {"topic0", "topic1", "topic2"}) {
                dialog->findChild<QCheckBox*>(QString::fromLatin1(topic))->click();
            }
            count->setValue(4);
            buttonNamed(*dialog, QStringLiteral("Promítat"))->click();
        });
        form.project();
        QPointer<ProjectionView> view = form.findChild<ProjectionView*>();
        QVERIFY(view != nullptr);
        QVERIFY(view->isVisible());
        const auto sheet = readSheetCode(view->model().code());
        QVERIFY(sheet.has_value());
        QCOMPARE(sheet->count, 4);
        QCOMPARE(sheet->separator, sheetSeparatorDefault);
        QCOMPARE(sheet->kinds, KindChoice(1U << 10U));
        QVERIFY(view->model().items() == sheetItems(*sheet));
        seenCode = toQString(view->model().code());
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(view.isNull());

        QString refusal;
        QString longRefusal;
        bool refusedDisables = false;
        bool buttonStayed = false;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<ProjectionDialog*>(modal);
            QVERIFY(dialog != nullptr);
            auto* code = dialog->findChild<QLineEdit*>(QStringLiteral("code"));
            // Where "Promítat" stands once the dialog is laid out again.
            const auto buttonAt = [dialog] {
                QCoreApplication::sendPostedEvents();
                dialog->layout()->activate();
                return buttonNamed(*dialog, QStringLiteral("Promítat"))->mapTo(dialog, QPoint());
            };
            const QPoint at = buttonAt();
            code->setText(QStringLiteral("AFKB-MJZZ"));
            buttonStayed = buttonAt() == at;
            refusal = dialog->findChild<QLabel*>(QStringLiteral("problem"))->text();
            refusedDisables = !buttonNamed(*dialog, QStringLiteral("Promítat"))->isEnabled();
            // A valid code of more exercises than a projection takes.
            code->setText(QStringLiteral("56H4-PQ3V"));
            longRefusal = dialog->findChild<QLabel*>(QStringLiteral("problem"))->text();
            refusedDisables =
                refusedDisables && !buttonNamed(*dialog, QStringLiteral("Promítat"))->isEnabled();
            code->setText(seenCode.toLower());
            buttonNamed(*dialog, QStringLiteral("Promítat"))->click();
        });
        form.project();
        QCOMPARE(refusal, QStringLiteral("Kód listu „AFKB-MJZZ“ není platný."));
        QCOMPARE(longRefusal, QStringLiteral("List kódu „56H4-PQ3V“ má 200 příkladů. Počet "
                                             "příkladů musí být celé číslo od 1 do 30."));
        QVERIFY(refusedDisables);
        // The problem line had its room: the button did not move when it appeared.
        QVERIFY(buttonStayed);
        view = form.findChild<ProjectionView*>();
        QVERIFY(view != nullptr);
        QCOMPARE(toQString(view->model().code()), seenCode);
        view->close();
    }

    // Every key and both halves of the screen, with a clock the test ticks; the end screen
    // names every result of the set its code opens.
    void keysClicksAndTheClockDriveTheView() {
        auto* clock = new ProjectionClock;
        ProjectionView view(threeExercises, 5, clock);
        view.resize(1024, 768);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        struct Move {
            Qt::Key key;  // Qt::Key_unknown: the clock, `ms`; Key_F1 / Key_F2: a click left / right
            int ms;
            const char* after;
        };
        const std::vector<Move> moves{
            {Qt::Key_Right, 0, "1/0"},
            {Qt::Key_Return, 0, "1/1"},
            {Qt::Key_Down, 0, "1/2"},
            {Qt::Key_Enter, 0, "1/2"},
            {Qt::Key_Up, 0, "1/1"},
            {Qt::Key_Left, 0, "0/0"},
            {Qt::Key_PageDown, 0, "1/0"},
            {Qt::Key_PageUp, 0, "0/0"},
            {Qt::Key_unknown, 4999, "0/0"},
            {Qt::Key_unknown, 1, "1/0"},
            {Qt::Key_P, 0, "1/0 P"},
            {Qt::Key_unknown, 9000, "1/0 P"},
            {Qt::Key_P, 0, "1/0"},
            {Qt::Key_B, 0, "1/0 B"},
            {Qt::Key_unknown, 9000, "1/0 B"},
            {Qt::Key_Space, 0, "1/0"},
            {Qt::Key_F2, 0, "2/0"},
            {Qt::Key_F1, 0, "1/0"},
            {Qt::Key_Space, 0, "2/0"},
            {Qt::Key_unknown, 5000, "3/0"},
        };
        for (const Move& move : moves) {
            if (move.key == Qt::Key_unknown) {
                clock->advance(move.ms);
            } else if (move.key == Qt::Key_F1 || move.key == Qt::Key_F2) {
                QTest::mouseClick(&view, Qt::LeftButton, {},
                                  QPoint(move.key == Qt::Key_F1 ? 100 : 900, 400));
            } else {
                QTest::keyClick(&view, move.key);
            }
            QCOMPARE(shown(view), QString::fromLatin1(move.after));
            if (view.model().blanked()) {
                // Blanked: not a pixel of the exercise is left.
                const QImage picture = view.grab().toImage();
                QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 3),
                         QColor(Qt::black));
                QCOMPARE(view.accessibleName(), QStringLiteral("Obrazovka je zatemněná"));
            }
            if (move.key == Qt::Key_Up) {
                QCOMPARE(view.accessibleName(),
                         QStringLiteral("Příklad 2 z 3: (77-72).(18-10)= 5.8="));
            }
        }
        // The end screen: the results of the sheet that the view's code opens, numbered.
        const auto sheet = readSheetCode(view.model().code());
        QVERIFY(sheet.has_value());
        QString results = QStringLiteral("Výsledky, Kód %1:").arg(toQString(view.model().code()));
        for (const SheetItem& item : sheetItems(*sheet)) {
            results +=
                QStringLiteral(" %1. %2").arg(item.number).arg(toQString(resultText(item.result)));
        }
        QCOMPARE(view.accessibleName(), results);
        QCOMPARE(results, QStringLiteral("Výsledky, Kód AFKB-MJZY: 1. 69 2. 40 3. 28"));
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(shown(view), QStringLiteral("3/0 E"));
        QVERIFY(!view.isVisible());
    }

    // Every exercise of every kind, and the longest chain, fits in 90 % of the width at a
    // size of at least a twelfth of the height, at 1024 x 768 and 1920 x 1080.
    void everyKindFitsTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }
    void everyKindFitsTheScreen() {
        QFETCH(QSize, screen);
        int smallest = screen.height();
        QString smallestAt;
        for (int kind = 0; kind < kindCount; ++kind) {
            const Sheet sheet{4242U + static_cast<unsigned>(kind), sheetCountMax, 5,
                              static_cast<KindChoice>(1U << static_cast<unsigned>(kind))};
            ProjectionView view(sheet, 0, new ProjectionClock);
            view.resize(screen);
            for (const SheetItem& item : view.model().items()) {
                const int size = view.exerciseSize();
                const QFontMetricsF metrics(view.face(size));
                for (const std::string& text : {item.exercise, item.working}) {
                    QVERIFY2(metrics.horizontalAdvance(toQString(text)) <= screen.width() * 0.9,
                             text.c_str());
                }
                if (size < smallest) {
                    smallest = size;
                    smallestAt = toQString(item.exercise);
                }
                QTest::keyClick(&view, Qt::Key_Right);
            }
        }
        // The six-step chain, written out, as long as a chain comes.
        const QString chain = QStringLiteral("20+31-40+40-30+30-50 =");
        ProjectionView view(threeExercises, 0, new ProjectionClock);
        view.resize(screen);
        const int size = exerciseTypeSize(
            screen.width(), screen.height(),
            QFontMetricsF(view.face(projectionReferenceSize)).horizontalAdvance(chain));
        QVERIFY(QFontMetricsF(view.face(size)).horizontalAdvance(chain) <= screen.width() * 0.9);
        QVERIFY2(std::min(size, smallest) * 12 >= screen.height(), qPrintable(smallestAt));
        qInfo("%dx%d: smallest size %d px (%s), the chain %d px, an eighth %d px", screen.width(),
              screen.height(), smallest, qPrintable(smallestAt), size, screen.height() / 8);
    }

    // Each key press paints the next exercise at 1920 x 1080: the frame after the key differs
    // from the one before it, and the view has moved on by one, over a whole set. (How long it
    // takes is measured by bench/window_bench.)
    void aKeyPressPaintsTheNextExercise() {
        ProjectionView view(Sheet{77, 30, 5}, 0, new ProjectionClock);
        view.resize(1920, 1080);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QImage before = view.grab().toImage();
        for (int press = 1; press < 30; ++press) {
            QTest::keyClick(&view, Qt::Key_Right);
            QCOMPARE(view.model().current(), press);
            const QImage after = view.grab().toImage();
            QVERIFY2(after != before, qPrintable(QString::number(press)));
            before = after;
        }
    }

    // The README's pictures at 1024 x 768: an exercise with its first step, timed, and the
    // end screen of its set.
    void picturesTheView() {
        const QString folder = qEnvironmentVariable("CIFERON_SCREENSHOTS");
        if (folder.isEmpty()) {
            QSKIP("CIFERON_SCREENSHOTS names no folder");
        }
        auto* clock = new ProjectionClock;
        ProjectionView view(Sheet{1234567, 10, 5}, 30, clock);
        view.resize(1024, 768);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::keyClick(&view, Qt::Key_Right);
        QTest::keyClick(&view, Qt::Key_Return);
        clock->advance(12000);
        QVERIFY(view.grab().save(QDir(folder).filePath(QStringLiteral("projection.png"))));
        for (int press = 0; press < 9; ++press) {
            QTest::keyClick(&view, Qt::Key_Space);
        }
        QVERIFY(view.model().onEndScreen());
        QVERIFY(view.grab().save(QDir(folder).filePath(QStringLiteral("projection-end.png"))));
    }
};

}  // namespace ciferon

QTEST_MAIN(ciferon::ProjectionViewTest)
#include "projection_view_test.moc"
