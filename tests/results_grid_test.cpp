// The class's results on the desktop under Qt's offscreen platform: the grid driven by keys as
// a teacher types, the set file it writes as it goes, the overview's numbers for a known set,
// and the main window's commands for sets through the real file dialogs, the follow-up set's
// among them.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "classset/set_entry.h"
#include "classset/set_file.h"
#include "codes/choice.h"
#include "codes/items.h"
#include "follow_up_dialog.h"
#include "form1.h"
#include "marking/mistakes.h"
#include "modal_dialogs.h"
#include "overview_view.h"
#include "page_type.h"
#include "results_grid.h"
#include "set_document.h"

namespace ciferon {
namespace {

// The modal questions but the file dialogs, which stay real; messages are kept.
class QuietPrompts final : public Prompts {
  public:
    QStringList messages;
    QString askNumber(QWidget* /*parent*/, const QString& /*question*/,
                      const QString& /*defaultAnswer*/) override {
        return {};
    }
    bool confirm(QWidget* /*parent*/, const QString& /*text*/) override { return false; }
    QString askCode(QWidget* /*parent*/, const QString& /*question*/) override { return {}; }
    void inform(QWidget* /*parent*/, const QString& text) override { messages << text; }
    std::optional<ClassSetRequest> askClassSet(QWidget* parent,
                                               const ClassSetRequest& last) override {
        return DialogPrompts().askClassSet(parent, last);
    }
    std::optional<ProjectionRequest> askProjection(QWidget* /*parent*/,
                                                   const ProjectionRequest& /*last*/) override {
        return std::nullopt;
    }
    QString askPdfFile(QWidget* parent, const QString& suggestedName) override {
        return DialogPrompts().askPdfFile(parent, suggestedName);
    }
    std::optional<bool> setUpPrinter(QWidget* /*parent*/, QPrinter& /*printer*/,
                                     bool /*twoSided*/) override {
        return std::nullopt;
    }
};

class FixedSeed final : public RandomSource {
  public:
    void seed() override { inner_.seedWith(2026); }
    float next() override { return inner_.next(); }

  private:
    ClockRandom inner_;
};

constexpr KindChoice divisionAndCarry = (1U << 10U) | (1U << 13U);

SetFile setOf(const std::vector<Sheet>& sheets) {
    SetFile set;
    set.heading = "5. A";
    for (const Sheet& sheet : sheets) {
        set.sheets.push_back({sheet, false, {}, std::nullopt});
    }
    return set;
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

SetFile readBack(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(path));
    }
    const QByteArray bytes = file.readAll();
    SetFileReading reading = readSetFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), "sada");
    if (!reading.set) {
        qFatal("%s", reading.refusal.c_str());
    }
    return *reading.set;
}

// The Czech keyboard's number row without Shift, digit by digit: what a teacher's fingers
// type for a number.
QString numberRow(const QString& digits) {
    const QString row = QStringLiteral("é+ěščřžýáí");
    QString typed;
    for (const QChar c : digits) {
        typed += c.isDigit() ? row[c.digitValue()] : c;
    }
    return typed;
}

double luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double one = luminance(a);
    const double two = luminance(b);
    return (std::max(one, two) + 0.05) / (std::min(one, two) + 0.05);
}

}  // namespace

class ResultsGridTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    SetDocument document_;

    // A grid of the set, opened from its file as the menu opens it.
    ResultsGrid* openGrid(const SetFile& set, const QString& name = QStringLiteral("5A.ciferon")) {
        const QString path = dir_.filePath(name);
        writeFile(path, writeSetFile(set));
        if (const QString refusal = document_.open(path); !refusal.isEmpty()) {
            qFatal("%s", qPrintable(refusal));
        }
        auto* grid = new ResultsGrid(document_);
        grid->setAttribute(Qt::WA_DeleteOnClose, false);
        if (!showWindow(*grid)) {
            qFatal("the grid is not shown");
        }
        return grid;
    }

    static QModelIndex cell(const ResultsGrid& grid, int sheet, int exercise) {
        return grid.table()->model()->index(sheet, ResultsGrid::firstExercise + exercise);
    }
    static Mark markAt(const ResultsGrid& grid, int sheet, int exercise) {
        return static_cast<Mark>(cell(grid, sheet, exercise).data(Qt::UserRole + 1).toInt());
    }
    // Key presses with the text each key types, as the keyboard's layout gives it.
    static void type(const ResultsGrid& grid, const QString& text, Qt::Key then = Qt::Key_Return) {
        for (const QChar c : text) {
            const auto key =
                c.unicode() < 0x80 ? static_cast<Qt::Key>(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, grid.table(), key, QString(c), Qt::NoModifier);
        }
        QTest::keyClick(grid.table(), then);
    }

  private Q_SLOTS:
    // Typed as a teacher types against the key: a right result on the Czech number row, a
    // wrong one whose mistake is named, "-" for none; each marked by sign at once, the mistake
    // under the grid and as the tooltip, and the file holding it all when the cell is left.
    void typedCellsAreMarkedAndWritten() {
        const Sheet first{1111, 8, 4, divisionAndCarry};
        const std::vector<SheetItem> items = sheetItems(first);
        // The first exercise whose wrong answers a mistake names, and one such answer.
        std::size_t named = 0;
        while (named < items.size() && wrongAnswers(items[named]).empty()) {
            ++named;
        }
        QVERIFY(named > 0 && named + 1 < items.size());
        const WrongAnswer wrong = wrongAnswers(items[named])[0];
        const std::unique_ptr<ResultsGrid> grid(
            openGrid(setOf({first, Sheet{2222, 8, 4, divisionAndCarry}})));
        const QString path = document_.path();

        // Nothing typed: the expected result shows and the sheet is not handed in.
        QCOMPARE(cell(*grid, 0, 0).data(Qt::UserRole).toString(),
                 toQString(resultText(items[0].result)));
        QCOMPARE(cell(*grid, 0, 0).data(Qt::UserRole + 1).toInt(), -1);

        type(*grid, numberRow(toQString(resultText(items[0].result))));
        QCOMPARE(cell(*grid, 0, 0).data().toString(), toQString(resultText(items[0].result)));
        QCOMPARE(markAt(*grid, 0, 0), Mark::Right);
        // Handed in by typing: the cells not typed in count as right.
        QCOMPARE(markAt(*grid, 0, 1), Mark::Right);
        QCOMPARE(grid->table()->currentIndex(), cell(*grid, 0, 1));

        for (std::size_t at = 1; at < named; ++at) {
            QTest::keyClick(grid->table(), Qt::Key_Tab);
        }
        type(*grid, toQString(resultText(wrong.answer)), Qt::Key_Tab);
        QCOMPARE(markAt(*grid, 0, static_cast<int>(named)), Mark::Wrong);
        const QString mistake = toQString(mistakeText(wrong.mistake));
        QVERIFY(cell(*grid, 0, static_cast<int>(named))
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(mistake));
        type(*grid, QStringLiteral("-"));
        QCOMPARE(markAt(*grid, 0, static_cast<int>(named) + 1), Mark::Unanswered);

        // Back with the arrow: the line under the grid names the mistake of the current cell.
        QTest::keyClick(grid->table(), Qt::Key_Left);
        QTest::keyClick(grid->table(), Qt::Key_Left);
        QVERIFY2(grid->note().contains(mistake), qPrintable(grid->note()));
        QVERIFY(grid->note().contains(QStringLiteral("✗")));

        const SetFile saved = readBack(path);
        QVERIFY(saved.sheets[0].row.has_value());
        QVERIFY(!saved.sheets[1].row.has_value());
        const SheetRow& row = *saved.sheets[0].row;
        QCOMPARE(row.answers.size(), named + 2);
        QCOMPARE(row.answers[0], resultText(items[0].result));
        QCOMPARE(row.answers[named], resultText(wrong.answer));
        QCOMPARE(row.answers[named + 1], std::string("-"));
        QCOMPARE(row.marks[named].mark, Mark::Wrong);
        QVERIFY((row.marks[named].mistakes & mistakeBit(wrong.mistake)) != 0);
        QCOMPARE(row.marks[named + 1].mark, Mark::Unanswered);
        QCOMPARE(row.marks.back().mark, Mark::Right);
    }

    // "Odevzdáno", "Vymazat řádek" and Ctrl+Z, each from the keyboard or its button, each
    // written to the file; Tab after a sheet's last exercise goes to the next sheet's first.
    void handInClearAndUndo() {
        const std::unique_ptr<ResultsGrid> grid(
            openGrid(setOf({Sheet{31, 5, 5, divisionAndCarry}, Sheet{32, 5, 5, divisionAndCarry},
                            Sheet{33, 3, 3, divisionAndCarry}})));
        const QString path = document_.path();
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(grid->table(), Qt::Key_Right);
        }
        QTest::keyClick(grid->table(), Qt::Key_Tab);
        QCOMPARE(grid->table()->currentIndex(), cell(*grid, 1, 0));

        QTest::keyClick(grid->table(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(grid->table()->currentIndex(), cell(*grid, 2, 0));
        QVERIFY(readBack(path).sheets[1].row.has_value());
        // The overview from the grid counts what was just handed in.
        QString counted;
        onNextModal([&counted](QWidget* modal) {
            counted = child<QLabel>(*modal, "handedIn")->text();
            qobject_cast<QDialog*>(modal)->reject();
        });
        child<QPushButton>(*grid, "overview")->click();
        QVERIFY2(counted.startsWith(QStringLiteral("Odevzdáno 1 z 3 listů.")), qPrintable(counted));
        QCOMPARE(readBack(path).sheets[1].row->marks,
                 std::vector<MarkedAnswer>(5, MarkedAnswer{Mark::Right, 0}));

        type(*grid, QStringLiteral("1"));
        QCOMPARE(readBack(path).sheets[2].row->answers, std::vector<std::string>{"1"});
        QTest::keyClick(grid->table(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!readBack(path).sheets[2].row.has_value());
        QTest::keyClick(grid->table(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!readBack(path).sheets[1].row.has_value());
        QCOMPARE(grid->table()->currentIndex().row(), 1);

        QTest::keyClick(grid->table(), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(grid->table(), Qt::Key_Up);
        child<QPushButton>(*grid, "clearRow")->click();
        QVERIFY(!readBack(path).sheets[1].row.has_value());
        QTest::keyClick(grid->table(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(readBack(path).sheets[1].row.has_value());

        // A shorter sheet has no cells past its exercises.
        QVERIFY(!(cell(*grid, 2, 3).flags() & Qt::ItemIsEnabled));
        QVERIFY(cell(*grid, 1, 3).flags() & Qt::ItemIsEnabled);
    }

    // "Jména…" through the real dialogs: a pasted list names the sheets in the grid and the
    // file; a list longer than the set is refused with its sentence and changes nothing.
    void namesArePastedAsAList() {
        const std::unique_ptr<ResultsGrid> grid(
            openGrid(setOf({Sheet{61, 4, 4, divisionAndCarry}, Sheet{62, 4, 4, divisionAndCarry},
                            Sheet{63, 4, 4, divisionAndCarry}})));
        const auto paste = [&](const QString& names, const std::function<void()>& then) {
            onNextModal([names, then](QWidget* modal) {
                auto* input = qobject_cast<QInputDialog*>(modal);
                QVERIFY(input != nullptr);
                input->setTextValue(names);
                if (then) {
                    onNextModal([then](QWidget* /*message*/) { then(); });
                }
                input->accept();
            });
            child<QPushButton>(*grid, "names")->click();
        };
        paste(QStringLiteral("  Žofie Dvořáková \n\n😀 Ondra\n"), nullptr);
        const auto name = [&](int row) {
            return grid->table()->model()->index(row, 1).data().toString();
        };
        QCOMPARE(name(0), QStringLiteral("Žofie Dvořáková"));
        QCOMPARE(name(1), QString());
        QCOMPARE(name(2), QStringLiteral("😀 Ondra"));
        QCOMPARE(readBack(document_.path()).sheets[2].name, std::string("😀 Ondra"));

        QString refusal;
        paste(QStringLiteral("A\nB\nC\nD"), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            refusal = box->text();
            box->accept();
        });
        QVERIFY2(refusal.startsWith(QStringLiteral("Jmen je víc (4) než listů v sadě (3)")),
                 qPrintable(refusal));
        QCOMPARE(name(0), QStringLiteral("Žofie Dvořáková"));
    }

    // "Kód výsledku…" through the real dialogs: another sheet's code is refused with its sentence
    // and changes nothing; the row's own code fills its marks and mistakes, written to the file,
    // and Ctrl+Z takes it back.
    void aResultCodeFillsTheRow() {
        const Sheet first{71, 6, 3, divisionAndCarry};
        const Sheet second{72, 6, 3, divisionAndCarry};
        const std::unique_ptr<ResultsGrid> grid(openGrid(setOf({first, second})));
        std::vector<MarkedAnswer> marks(6, MarkedAnswer{Mark::Right, 0});
        marks[1] = {Mark::Wrong, mistakeBit(Mistake::CarryForgotten)};
        marks[2] = {Mark::Unanswered, 0};
        marks[4] = {Mark::Unreadable, 0};
        const auto enter = [&](const std::string& code, QString* message) {
            onNextModal([code, message](QWidget* modal) {
                auto* input = qobject_cast<QInputDialog*>(modal);
                QVERIFY(input != nullptr);
                input->setTextValue(QString::fromStdString(code));
                if (message != nullptr) {
                    onNextModal([message](QWidget* box) {
                        *message = qobject_cast<QMessageBox*>(box)->text();
                        qobject_cast<QMessageBox*>(box)->accept();
                    });
                }
                input->accept();
            });
            child<QPushButton>(*grid, "resultCode")->click();
        };
        const std::string others = *resultCode(second, marks);
        QString refusal;
        enter(others, &refusal);
        QCOMPARE(refusal, QStringLiteral("Kód výsledku „%1“ patří k jinému listu.")
                              .arg(QString::fromStdString(others)));
        QVERIFY(!readBack(document_.path()).sheets[0].row.has_value());

        enter(*resultCode(first, marks), nullptr);
        QCOMPARE(markAt(*grid, 0, 1), Mark::Wrong);
        QCOMPARE(markAt(*grid, 0, 4), Mark::Unreadable);
        QVERIFY(cell(*grid, 0, 1)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(toQString(mistakeText(Mistake::CarryForgotten))));
        QCOMPARE(readBack(document_.path()).sheets[0].row, (SheetRow{marks, {}}));
        QTest::keyClick(grid->table(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!readBack(document_.path()).sheets[0].row.has_value());
    }

    // "Ukonči práci" a moment after a key was typed: the program ends without a question, and
    // the answer is in the file.
    void quittingKeepsTheLastKeyTyped() {
        const QString path = dir_.filePath(QStringLiteral("konec.ciferon"));
        writeFile(path, writeSetFile(setOf({Sheet{71, 4, 4, divisionAndCarry}})));
        QuietPrompts prompts;
        FixedSeed random;
        auto form = std::make_unique<Form1>(prompts, random);
        QVERIFY(showWindow(*form));
        QVERIFY(form->setDocument().open(path).isEmpty());
        form->enterResults();
        QTest::sendKeyEvent(QTest::Click, form->resultsGrid()->table(), Qt::Key_7,
                            QStringLiteral("7"), Qt::NoModifier);
        child<QPushButton>(*form, "Command4")->click();
        QVERIFY(!form->isVisible());
        form.reset();
        QCOMPARE(prompts.messages, QStringList());
        QCOMPARE(readBack(path).sheets[0].row->answers, std::vector<std::string>{"7"});
    }

    // A set file that cannot be written: the grid says so, and closing it asks before the
    // answers are lost; "No" keeps it open, "Yes" closes it.
    void closingWithAnswersNotWrittenAsks() {
        const std::unique_ptr<ResultsGrid> grid(openGrid(setOf({Sheet{81, 4, 4, divisionAndCarry}}),
                                                         QStringLiteral("zamceno.ciferon")));
        // Where the file was, a folder: no file can be renamed over it.
        QVERIFY(QFile::remove(document_.path()));
        QVERIFY(QDir().mkdir(document_.path()));
        type(*grid, QStringLiteral("7"));
        QVERIFY(document_.unsaved());
        QVERIFY(!child<QLabel>(*grid, "saving")->text().isEmpty());
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            QString question;
            onNextModal([&question, answer](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                QVERIFY(box != nullptr);
                question = box->text();
                box->button(answer)->click();
            });
            grid->close();
            QVERIFY(question.startsWith(QStringLiteral("Odpovědi se nepodařilo uložit")));
            QCOMPARE(grid->isVisible(), answer == QMessageBox::No);
        }
        QVERIFY(QDir().rmdir(document_.path()));
    }

    // A mark kept in the file shows as it is, unreadable among them, with its word.
    void marksFromTheFileShowAsKept() {
        SetFile set = setOf({Sheet{41, 4, 4, divisionAndCarry}});
        set.sheets[0].row = SheetRow{{{Mark::Unreadable, 0},
                                      {Mark::Unanswered, 0},
                                      {Mark::Right, 0},
                                      {Mark::Wrong, mistakeBit(Mistake::CarryForgotten)}},
                                     {"5x"}};
        const std::unique_ptr<ResultsGrid> grid(openGrid(set));
        QCOMPARE(markAt(*grid, 0, 0), Mark::Unreadable);
        QVERIFY(cell(*grid, 0, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("nečitelné")));
        QVERIFY(cell(*grid, 0, 1)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("bez odpovědi")));
        QVERIFY(cell(*grid, 0, 3)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(toQString(mistakeText(Mistake::CarryForgotten))));
        QCOMPARE(cell(*grid, 0, 0).data().toString(), QStringLiteral("5x"));
    }

    // A class of 30 with 20 exercises each, codes of chosen kinds, fits 1366 pixels without
    // scrolling sideways; the faint expected result and the marks' colours stay readable.
    void aClassOfThirtyFitsTheScreen() {
        std::vector<Sheet> sheets;
        for (std::uint32_t seed = 0; seed < 30; ++seed) {
            sheets.push_back(Sheet{1000 + seed, 20, 5, divisionAndCarry});
        }
        SetFile set = setOf(sheets);
        for (SetSheet& sheet : set.sheets) {
            sheet.name = "Alžběta Nováková";
        }
        const std::unique_ptr<ResultsGrid> grid(openGrid(set));
        QVERIFY(grid->width() <= 1366);
        QCoreApplication::processEvents();
        QCOMPARE(grid->table()->horizontalScrollBar()->maximum(), 0);
        QVERIFY(grid->table()->verticalScrollBar()->maximum() > 0);
        const QColor ground = grid->table()->palette().color(QPalette::Base);
        for (const QColor& colour : {expectedColour, rightColour, wrongColour}) {
            QVERIFY2(contrast(colour, ground) >= 4.5, qPrintable(colour.name()));
        }
        // A wrong answer, a missing one and a sheet all right, for the picture.
        type(*grid, QStringLiteral("5"));
        type(*grid, QStringLiteral("-"));
        QTest::keyClick(grid->table(), Qt::Key_Down);
        QTest::keyClick(grid->table(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(markAt(*grid, 1, 5), Mark::Right);
        screenshot(*grid, QStringLiteral("results-grid.png"));
    }

    // The overview of a known set: per pupil, the scale changed, per kind, per mistake, the
    // exercises most often not right and the sheets not handed in, and its CSV.
    void theOverviewCountsAKnownSet() {
        const KindChoice carry = 1U << 13U;
        SetFile set = setOf({Sheet{51, 10, 5, carry}, Sheet{52, 10, 5, carry},
                             Sheet{53, 10, 5, carry}, Sheet{54, 10, 5, carry}});
        const std::vector<std::string> names{"Adam", "Eva", "=Petr", "Jana"};
        for (std::size_t i = 0; i < names.size(); ++i) {
            set.sheets[i].name = names[i];
        }
        const MarkedAnswer right{Mark::Right, 0};
        const MarkedAnswer carried{Mark::Wrong, mistakeBit(Mistake::CarryForgotten)};
        set.sheets[0].row = SheetRow{std::vector<MarkedAnswer>(10, right), {}};
        set.sheets[1].row = SheetRow{std::vector<MarkedAnswer>(10, right), {}};
        set.sheets[1].row->marks[0] = carried;
        set.sheets[1].row->marks[1] = carried;
        set.sheets[1].row->marks[2] = {Mark::Unanswered, 0};
        set.sheets[2].row = SheetRow{std::vector<MarkedAnswer>(10, right), {}};
        set.sheets[2].row->marks[0] = {Mark::Unreadable, 0};

        OverviewView view(set);
        QVERIFY(showWindow(view));
        const auto* pupils = child<QTableWidget>(view, "pupils");
        const auto row = [pupils](int at) {
            QStringList cells;
            for (int column = 0; column < pupils->columnCount(); ++column) {
                cells << pupils->item(at, column)->text();
            }
            return cells.join(QLatin1Char('|'));
        };
        const QString code2 = toQString(sheetCode(set.sheets[1].sheet));
        QCOMPARE(row(0).section(QLatin1Char('|'), 3), QStringLiteral("10|10|100 %|1"));
        QCOMPARE(row(1), QStringLiteral("2|Eva|%1|7|10|70 %|3").arg(code2));
        QCOMPARE(row(2).section(QLatin1Char('|'), 3), QStringLiteral("9|10|90 %|1"));
        QCOMPARE(row(3).section(QLatin1Char('|'), 3), QStringLiteral("neodevzdáno|||"));
        child<QLineEdit>(view, "scale")->setText(QStringLiteral("90,70,50,30"));
        QCOMPARE(row(1).section(QLatin1Char('|'), 6), QStringLiteral("2"));
        child<QLineEdit>(view, "scale")->setText(QStringLiteral("50,70"));
        QVERIFY(!child<QLabel>(view, "scaleNote")->text().isEmpty());
        QCOMPARE(row(1).section(QLatin1Char('|'), 6), QStringLiteral("2"));

        const auto* bars = view.findChild<KindBars*>(QStringLiteral("kinds"));
        QCOMPARE(bars->lines(),
                 QStringList(QStringLiteral("14. %1: 26 z 30").arg(toQString(kindName(13)))));
        QCOMPARE(child<QLabel>(view, "mistakes")->text(),
                 QStringLiteral("– %1: 2× (listy 2 (Eva))")
                     .arg(toQString(mistakeText(Mistake::CarryForgotten))));
        // Every sheet has exercises of its own: each not right once, in the order met.
        const auto exercise = [&set](std::size_t sheet, std::size_t k) {
            return toQString(sheetItems(set.sheets[sheet].sheet).at(k).exercise);
        };
        QCOMPARE(child<QLabel>(view, "hardest")->text(),
                 QStringLiteral("%1 nesprávně 1 z 1\n%2 nesprávně 1 z 1\n%3 nesprávně 1 z 1\n"
                                "%4 nesprávně 1 z 1")
                     .arg(exercise(1, 0), exercise(1, 1), exercise(1, 2), exercise(2, 0)));
        QVERIFY(child<QLabel>(view, "missing")->text().endsWith(QStringLiteral("listy 4 (Jana)")));
        QVERIFY(child<QLabel>(view, "handedIn")
                    ->text()
                    .contains(QStringLiteral("Nečitelných odpovědí: 1")));
        screenshot(view, QStringLiteral("class-overview.png"));

        const QString csvPath = dir_.filePath(QStringLiteral("prehled.csv"));
        onNextModal([&](QWidget* modal) {
            answerFileDialog(modal, QStringLiteral("prehled-tridy.csv"), csvPath);
        });
        child<QPushButton>(view, "csv")->click();
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QVERIFY(
            lines[0].startsWith(QStringLiteral("List;Jméno;Kód;Správně;Celkem;Procent;Známka;")));
        QVERIFY(lines[2].startsWith(QStringLiteral("2;Eva;%1;7;10;70;2;").arg(code2)));
        QVERIFY(lines[3].startsWith(QStringLiteral("3;'=Petr;")));
        QCOMPARE(lines[4].section(QLatin1Char(';'), 3).remove(QLatin1Char(';')), QString());

        // "Uložit jako PDF…": the core's pages, marked on the scale as it stands.
        const QString pdfPath = dir_.filePath(QStringLiteral("prehled.pdf"));
        onNextModal([&](QWidget* modal) {
            answerFileDialog(modal, QStringLiteral("prehled-tridy.pdf"), pdfPath);
        });
        child<QPushButton>(view, "pdf")->click();
        QProcess pdf;
        pdf.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
        QVERIFY(pdf.waitForFinished());
        const QString printed = QString::fromUtf8(pdf.readAllStandardOutput()).simplified();
        QVERIFY2(printed.contains(QStringLiteral("2 Eva %1 7 10 70 % 2").arg(code2)),
                 qPrintable(printed));
        QVERIFY(printed.contains(QStringLiteral("4 Jana %1 neodevzdáno")
                                     .arg(toQString(sheetCode(set.sheets[3].sheet)))));
    }

    // The main window's commands: a class set made in the real dialog kept with "Uložit sadu
    // jako…", opened again with "Otevřít sadu…", a damaged file refused with its sentence and
    // the open set kept, and "Výsledky třídy…" showing its grid.
    void theMenuSavesOpensAndRefusesSets() {
        QuietPrompts prompts;
        FixedSeed random;
        Form1 form(prompts, random);
        QVERIFY(showWindow(form));
        const QString pdf = dir_.filePath(QStringLiteral("listy.pdf"));
        saveClassSet(form, pdf, [](ClassSetDialog& dialog) {
            child<QSpinBox>(dialog, "sheets")->setValue(3);
            child<QSpinBox>(dialog, "count")->setValue(6);
        });
        const QString path = dir_.filePath(QStringLiteral("trida.ciferon"));
        onNextModal(
            [&](QWidget* modal) { answerFileDialog(modal, QStringLiteral("sada.ciferon"), path); });
        form.saveSetAs();
        const SetFile saved = readBack(path);
        QCOMPARE(saved.sheets.size(), std::size_t{3});
        const QStringList pages = pdfPages(pdf);
        for (std::size_t i = 0; i < saved.sheets.size(); ++i) {
            QVERIFY(pages.at(static_cast<int>(i))
                        .contains(toQString(sheetCode(saved.sheets[i].sheet))));
        }

        const QString damaged = dir_.filePath(QStringLiteral("bad.ciferon"));
        const std::string whole = writeSetFile(saved);
        writeFile(damaged, whole.substr(0, whole.size() / 2));
        onNextModal([&](QWidget* modal) { answerFileDialog(modal, QString(), damaged); });
        form.openSet();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages[0].startsWith(QStringLiteral("Soubor sady „bad.ciferon“")),
                 qPrintable(prompts.messages[0]));
        QCOMPARE(form.setDocument().path(), path);

        onNextModal([&](QWidget* modal) { answerFileDialog(modal, QString(), path); });
        form.openSet();
        QCOMPARE(form.setDocument().set(), saved);
        form.enterResults();
        QVERIFY(form.resultsGrid() != nullptr && form.resultsGrid()->isVisible());
        QCOMPARE(form.resultsGrid()->table()->model()->rowCount(), 3);
    }

    // "Procvičit podle výsledků…": a set without results refused with the core's sentence; with
    // results the real dialog shows each sheet's kinds and the whole class's choice, and the
    // sheets saved as PDF through the real file dialog are those of the new set, saved where
    // the teacher says and open from then on; the kept set's file unchanged.
    void aFollowUpSetPractisesWhatEachPupilGotWrong() {
        QuietPrompts prompts;
        FixedSeed random;
        Form1 form(prompts, random);
        QVERIFY(showWindow(form));
        SetFile set = setOf({Sheet{11, 8, 4, divisionAndCarry}, Sheet{12, 8, 4, divisionAndCarry},
                             Sheet{13, 8, 4, divisionAndCarry}});
        set.sheets[0].name = "Jana";
        set.sheets[1].name = "Petr";
        const QString path = dir_.filePath(QStringLiteral("5A.ciferon"));
        writeFile(path, writeSetFile(set));
        QCOMPARE(form.setDocument().open(path), QString());
        form.followUp();
        QCOMPARE(prompts.messages, QStringList{toQString(followUpNoResults())});

        // Sheet 1 has its divisions wrong, sheet 2 is all right, sheet 3 not handed in.
        for (std::size_t i = 0; i < 2; ++i) {
            SheetRow row;
            for (const SheetItem& item : sheetItems(set.sheets[i].sheet)) {
                const bool wrong = i == 0 && item.kind == 10;
                row.marks.push_back({wrong ? Mark::Wrong : Mark::Right, 0});
            }
            set.sheets[i].row = row;
        }
        writeFile(path, writeSetFile(set));
        QCOMPARE(form.setDocument().open(path), QString());
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray kept = old.readAll();
        old.close();
        const QString pdf = dir_.filePath(QStringLiteral("procvicovani.pdf"));
        const QString next = dir_.filePath(QStringLiteral("5A-procvicovani.ciferon"));
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<FollowUpDialog*>(modal);
            QVERIFY(dialog != nullptr);
            const auto* table = child<QTableWidget>(*dialog, "plan");
            const auto cell = [table](int row, int column) {
                return table->item(row, column)->text();
            };
            QCOMPARE(table->rowCount(), 3);
            QCOMPARE(cell(0, 1), QStringLiteral("Jana"));
            QCOMPARE(cell(0, 2), QStringLiteral("11"));
            QCOMPARE(cell(1, 2), QStringLiteral("11, 14"));
            QCOMPARE(cell(1, 3), QStringLiteral("vše správně"));
            QCOMPARE(cell(2, 2), QStringLiteral("11, 14"));
            QCOMPARE(cell(2, 3), QStringLiteral("neodevzdáno"));
            auto* wholeClass = child<QCheckBox>(*dialog, "wholeClass");
            wholeClass->click();
            QCOMPARE(cell(0, 2), QStringLiteral("11, 14"));
            QCOMPARE(cell(0, 3), QStringLiteral("nejslabší druhy třídy"));
            wholeClass->click();
            QCOMPARE(cell(0, 2), QStringLiteral("11"));
            screenshot(*dialog, QStringLiteral("follow-up.png"));
            onNextModal([&](QWidget* pdfDialog) {
                onNextModal([&](QWidget* setDialog) {
                    answerFileDialog(setDialog, QStringLiteral("5A-procvicovani.ciferon"), next);
                });
                answerFileDialog(pdfDialog, QStringLiteral("procvicovani.pdf"), pdf);
            });
            buttonNamed(*dialog, QStringLiteral("Uložit jako PDF…"))->click();
        });
        form.followUp();
        const SetFile made = readBack(next);
        QCOMPARE(made.sheets.size(), std::size_t{3});
        QCOMPARE(made.sheets[0].sheet.kinds, KindChoice{1U << 10U});
        QCOMPARE(form.setDocument().path(), next);
        const QStringList pages = pdfPages(pdf);
        QVERIFY(pages.size() > 3 && pages[2].contains(toQString(sheetCode(made.sheets[2].sheet))));
        QVERIFY(pages.join(QString()).contains(QStringLiteral("Procvičuje: 11, 14")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), kept);
    }
};

}  // namespace ciferon

QTEST_MAIN(ciferon::ResultsGridTest)
#include "results_grid_test.moc"
