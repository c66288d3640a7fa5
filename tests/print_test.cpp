// Printing as a teacher prints, through a real CUPS scheduler and its queue "PDF", which
// writes every job as a PDF file: tests/print_queue.sh starts both and points CUPS_SERVER at
// them. The real class-set dialog and Qt's print dialog are driven as the window's tests
// drive dialogs; the scheduler's record of each job is read with ipptool and the queue's PDF
// with pdftotext, against what "Uložit jako PDF…" saves of the same sheets.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "classset/set_file.h"
#include "classset_dialog.h"
#include "form1.h"
#include "marking/mistakes.h"
#include "modal_dialogs.h"
#include "overview_view.h"
#include "page_type.h"
#include "run/run.h"
#include "texts/texts.h"

namespace ciferon {
namespace {

const QString failedPrint = QStringLiteral("Tisk se nezdařil; část listů se už možná vytiskla.");

// The real dialogs; the messages the window shows are kept to be read.
class RecordingPrompts final : public DialogPrompts {
  public:
    QStringList messages;
    void inform(QWidget* /*parent*/, const QString& text) override { messages << text; }
};

// The same sheets at every seeding, so that the printed and the saved class set agree.
class FixedSeed final : public RandomSource {
  public:
    void seed() override { inner_.seedWith(2027); }
    float next() override { return inner_.next(); }

  private:
    ClockRandom inner_;
};

// A job as the scheduler records it.
struct Job {
    int id = 0;
    QString state;
    QString sides;
    QString name;
};

// Runs a CUPS tool against the private scheduler (CUPS_SERVER is inherited); its output, or
// nothing when it fails.
std::optional<QString> cupsTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        qWarning("%s %s: %s", qPrintable(program), qPrintable(arguments.join(QLatin1Char(' '))),
                 tool.readAllStandardError().constData());
        return std::nullopt;
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// Every job the scheduler knows, by ipptool's Get-Jobs.
std::optional<QList<Job>> jobs() {
    const auto csv = cupsTool(
        QStringLiteral("ipptool"),
        {QStringLiteral("-c"), QStringLiteral("ipp://%1/").arg(qEnvironmentVariable("CUPS_SERVER")),
         QStringLiteral(CIFERON_PRINT_JOBS_TEST)});
    if (!csv) {
        return std::nullopt;
    }
    QList<Job> found;
    QStringList lines = csv->split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty() || lines.takeFirst() != QStringLiteral("job-id,job-state,sides,job-name")) {
        return std::nullopt;
    }
    for (const QString& line : lines) {
        // The name comes last, since it may hold commas.
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() < 4) {
            return std::nullopt;
        }
        found.append(
            {fields[0].toInt(), fields[1], fields[2], fields.mid(3).join(QLatin1Char(','))});
    }
    return found;
}

// The jobs sent since `before` jobs were known, each waited for until the scheduler is done
// with it.
QList<Job> newJobs(qsizetype before) {
    QList<Job> latest;
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        const auto known = jobs();
        if (!known) {
            return {};
        }
        latest = known->mid(std::min(before, known->size()));
        if (std::all_of(latest.begin(), latest.end(), [](const Job& job) {
                return job.state == QStringLiteral("completed") ||
                       job.state == QStringLiteral("aborted") ||
                       job.state == QStringLiteral("canceled");
            })) {
            return latest;
        }
        QTest::qWait(100);
    }
    qWarning("a job is not done within a minute");
    return latest;
}

qsizetype jobCount() {
    const auto known = jobs();
    return known ? known->size() : -1;
}

// The files the queue has written.
QStringList written() {
    return QDir(qEnvironmentVariable("CIFERON_PRINT_OUTPUT"))
        .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// The PDF the queue wrote for a job: cups-pdf ends its name with the job's number.
QString writtenFor(const Job& job) {
    const QString ending = QStringLiteral("job_%1.pdf").arg(job.id);
    for (const QString& name : written()) {
        if (name.endsWith(ending)) {
            return QDir(qEnvironmentVariable("CIFERON_PRINT_OUTPUT")).filePath(name);
        }
    }
    return {};
}

enum class Sides { Untouched, One, Both };

// What the print dialog showed when it opened, and what was then chosen.
struct PrintDialogSeen {
    QString printer;
    bool presetToBothSides = false;
    bool bothSidesOffered = false;
};

// Answers Qt's print dialog: picks `printer`, chooses the sides unless `Untouched`, runs
// `beforePrinting` and presses "Tisk".
void answerPrintDialog(QWidget* modal, const QString& printer, Sides sides, PrintDialogSeen& seen,
                       const std::function<void()>& beforePrinting = {}) {
    auto* dialog = qobject_cast<QPrintDialog*>(modal);
    QVERIFY(dialog != nullptr);
    auto* printers = child<QComboBox>(*dialog, "printers");
    const int index = printers->findText(printer);
    QVERIFY2(index >= 0, qPrintable(printer));
    printers->setCurrentIndex(index);
    seen.printer = printers->currentText();
    auto* longSide = child<QRadioButton>(*dialog, "duplexLong");
    seen.presetToBothSides = longSide->isChecked();
    seen.bothSidesOffered = longSide->isEnabled();
    if (sides == Sides::Both) {
        longSide->click();
    } else if (sides == Sides::One) {
        child<QRadioButton>(*dialog, "noDuplex")->click();
    }
    if (beforePrinting) {
        beforePrinting();
    }
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// The class set of these tests: two sheets of five with a heading, one page each; laid out
// for both sides, each is followed by a blank back.
void fillClassSet(ClassSetDialog& dialog, bool twoSided) {
    child<QSpinBox>(dialog, "sheets")->setValue(2);
    child<QSpinBox>(dialog, "count")->setValue(5);
    child<QSpinBox>(dialog, "separator")->setValue(5);
    child<QLineEdit>(dialog, "heading")->setText(QStringLiteral("5. A – opakování"));
    child<QCheckBox>(dialog, "duplex")->setChecked(twoSided);
}

// "Tisk…" of the fields through the print dialog to the queue "PDF".
void printFieldsToQueue(Form1& form, PrintDialogSeen& seen) {
    onNextModal([&](QWidget* modal) {
        answerPrintDialog(modal, QStringLiteral("PDF"), Sides::Untouched, seen);
    });
    form.printFields();
}

// "Uložit jako PDF…" of the fields through the real file dialog.
void saveFields(Form1& form, const QString& path) {
    onNextModal(
        [&](QWidget* modal) { answerFileDialog(modal, QStringLiteral("priklady.pdf"), path); });
    form.saveFieldsAsPdf();
}

// The one job sent since `before`, done: the pages of the document the scheduler received,
// and of the PDF the queue printed from it.
struct Printed {
    Job job;
    QStringList received;
    QStringList printed;
};
std::optional<Printed> theNewJob(qsizetype before) {
    const QList<Job> sent = newJobs(before);
    if (sent.size() != 1) {
        qWarning("%d jobs sent, not one", static_cast<int>(sent.size()));
        return std::nullopt;
    }
    const Job& job = sent.constFirst();
    const QString file = writtenFor(job);
    if (file.isEmpty()) {
        qWarning("job %d, %s: no PDF written", job.id, qPrintable(job.state));
        return std::nullopt;
    }
    const QString document =
        QDir(qEnvironmentVariable("CIFERON_PRINT_SPOOL"))
            .filePath(QStringLiteral("d%1-001").arg(job.id, 5, 10, QLatin1Char('0')));
    return Printed{job, pdfPages(document), pdfPages(file)};
}

// Which pages are blank, one letter a page.
QString blanks(const QStringList& pages) {
    QString seen;
    for (const QString& page : pages) {
        seen += page.trimmed().isEmpty() ? QLatin1Char('-') : QLatin1Char('x');
    }
    return seen;
}

// What reached the printer is what "Uložit jako PDF…" saved: the document the scheduler
// received has the same pages with the same text, and the queue printed as many pages,
// blank where the saved ones are. (cups-pdf prints through PostScript and Ghostscript, whose
// PDF keeps the drawing but not a text pdftotext can read back.)
void compareWithSaved(const Printed& job, const QStringList& saved) {
    QCOMPARE(job.received.size(), saved.size());
    for (qsizetype page = 0; page < saved.size(); ++page) {
        QCOMPARE(job.received[page], saved[page]);
    }
    QCOMPARE(blanks(job.printed), blanks(saved));
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

    FixedSeed random_;

  private Q_SLOTS:
    // Without the private scheduler there is nothing to test: say so and fail.
    void initTestCase() {
        QVERIFY2(!qEnvironmentVariable("CUPS_SERVER").isEmpty() &&
                     !qEnvironmentVariable("CIFERON_PRINT_OUTPUT").isEmpty(),
                 "no private print queue: run these tests through tests/print_queue.sh");
        QVERIFY2(jobs().has_value(), "the private CUPS scheduler does not answer");
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")),
                 qPrintable(QPrinterInfo::availablePrinterNames().join(QLatin1Char(' '))));
        QVERIFY(useCzechDialogButtons());
    }

    // "Oboustranný tisk" presets the print dialog; the dialog's final choice is what the job
    // asks of the printer, and the sheets are laid out for it: the queue's PDF has the pages,
    // blank backs included, and the text of "Uložit jako PDF…" laid out alike.
    void aClassSetReachesThePrinterAsSaved_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("sides");
        QTest::newRow("two-sided ticked, dialog untouched")
            << true << int(Sides::Untouched) << QStringLiteral("two-sided-long-edge");
        QTest::newRow("one-sided, dialog untouched")
            << false << int(Sides::Untouched) << QStringLiteral("one-sided");
        QTest::newRow("one-sided, both sides chosen in the dialog")
            << false << int(Sides::Both) << QStringLiteral("two-sided-long-edge");
        QTest::newRow("two-sided ticked, one side chosen in the dialog")
            << true << int(Sides::One) << QStringLiteral("one-sided");
    }
    void aClassSetReachesThePrinterAsSaved() {
        QFETCH(bool, ticked);
        QFETCH(int, chosen);
        QFETCH(QString, sides);
        const bool twoSided = sides != QStringLiteral("one-sided");
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
        RecordingPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        saveClassSet(form, saved, [&](ClassSetDialog& dialog) { fillClassSet(dialog, twoSided); });
        const QStringList expected = pdfPages(saved);
        QCOMPARE(expected.size(), twoSided ? 5 : 3);

        const qsizetype before = jobCount();
        QVERIFY(before >= 0);
        PrintDialogSeen seen;
        throughClassSetDialog(
            form, [&](ClassSetDialog& dialog) { fillClassSet(dialog, ticked); },
            QStringLiteral("Vytisknout…"),
            [&](QWidget* modal) {
                answerPrintDialog(modal, QStringLiteral("PDF"), static_cast<Sides>(chosen), seen);
            });
        QVERIFY(seen.bothSidesOffered);
        QCOMPARE(seen.presetToBothSides, ticked);
        QCOMPARE(prompts.messages, QStringList{});

        const auto printed = theNewJob(before);
        QVERIFY(printed.has_value());
        QCOMPARE(printed->job.state, QStringLiteral("completed"));
        QCOMPARE(printed->job.sides, sides);
        QCOMPARE(printed->job.name, QStringLiteral("Pracovní listy"));
        compareWithSaved(*printed, expected);
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(blanks(printed->printed),
                 twoSided ? QStringLiteral("x-x-x") : QStringLiteral("xxx"));
    }

    // A sheet reopened by the code the queue printed on it prints again as that sheet; once a
    // field is edited, "Tisk…" prints the fields as they stand. Both as "Uložit jako PDF…"
    // saves them.
    void theSheetReopenedByItsCodeAndTheFieldsPrint() {
        QTemporaryDir dir;
        RecordingPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        qsizetype before = jobCount();
        PrintDialogSeen seen;
        throughClassSetDialog(
            form, [](ClassSetDialog& dialog) { fillClassSet(dialog, false); },
            QStringLiteral("Vytisknout…"),
            [&](QWidget* modal) {
                answerPrintDialog(modal, QStringLiteral("PDF"), Sides::Untouched, seen);
            });
        const auto classSet = theNewJob(before);
        QVERIFY(classSet.has_value());
        const QString code = QRegularExpression(QStringLiteral("Kód: (\\S+)"))
                                 .match(classSet->received[0])
                                 .captured(1);
        QVERIFY2(!code.isEmpty(), qPrintable(classSet->received[0]));

        onNextModal([&](QWidget* modal) {
            auto* prompt = qobject_cast<QInputDialog*>(modal);
            QVERIFY(prompt != nullptr);
            QTest::keyClicks(prompt->findChild<QLineEdit*>(), code);
            QTest::keyClick(prompt->findChild<QLineEdit*>(), Qt::Key_Return);
        });
        form.openByCode();
        const QString sheetPdf = dir.filePath(QStringLiteral("sheet.pdf"));
        saveFields(form, sheetPdf);
        before = jobCount();
        printFieldsToQueue(form, seen);
        const auto sheet = theNewJob(before);
        QVERIFY(sheet.has_value());
        QCOMPARE(sheet->job.sides, QStringLiteral("one-sided"));
        QCOMPARE(sheet->job.name, QStringLiteral("Příklady"));
        compareWithSaved(*sheet, pdfPages(sheetPdf));
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY2(sheet->received[0].contains(QStringLiteral("Kód: ") + code),
                 qPrintable(sheet->received[0]));

        child<QPlainTextEdit>(form, "Text1_1")->appendPlainText(QStringLiteral("poznámka"));
        const QString fieldsPdf = dir.filePath(QStringLiteral("fields.pdf"));
        saveFields(form, fieldsPdf);
        before = jobCount();
        printFieldsToQueue(form, seen);
        const auto fields = theNewJob(before);
        QVERIFY(fields.has_value());
        compareWithSaved(*fields, pdfPages(fieldsPdf));
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY(!fields->received[0].contains(QStringLiteral("Kód")));
        QVERIFY(fields->received.constLast().contains(QStringLiteral("poznámka")));
        QCOMPARE(prompts.messages, QStringList{});
    }

    // The class's overview, "Tisk…" from its window: the print dialog's queue gets the pages
    // its "Uložit jako PDF…" saves, named as the overview is headed.
    void theOverviewReachesThePrinterAsSaved() {
        constexpr KindChoice carry = 1U << 13U;
        SetFile set;
        set.heading = "5. A";
        for (const unsigned seed : {61U, 62U, 63U}) {
            set.sheets.push_back({Sheet{seed, 10, 5, carry}, false, {}, std::nullopt});
        }
        set.sheets[0].row = SheetRow{std::vector<MarkedAnswer>(10, {Mark::Right, 0}), {}};
        set.sheets[1].row = set.sheets[0].row;
        set.sheets[1].row->marks[3] = {Mark::Wrong, mistakeBit(Mistake::CarryForgotten)};
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("prehled.pdf"));
        OverviewView view(set);
        QVERIFY(showWindow(view));
        QCOMPARE(view.savePdf(saved), QString());
        const QStringList expected = pdfPages(saved);
        QVERIFY(!expected.isEmpty() && expected[0].contains(QStringLiteral("neodevzdáno")));

        const qsizetype before = jobCount();
        QVERIFY(before >= 0);
        PrintDialogSeen seen;
        onNextModal([&](QWidget* modal) {
            answerPrintDialog(modal, QStringLiteral("PDF"), Sides::Untouched, seen);
        });
        child<QPushButton>(view, "print")->click();
        QCOMPARE(seen.printer, QStringLiteral("PDF"));
        const auto printed = theNewJob(before);
        QVERIFY(printed.has_value());
        QCOMPARE(printed->job.state, QStringLiteral("completed"));
        QCOMPARE(printed->job.name, toQString(overviewHeading(set.heading)));
        compareWithSaved(*printed, expected);
    }

    // A queue that refuses the job, or is gone by the time the job is sent: the window says
    // the print failed, and nothing reached the printer.
    void aFailedJobIsReported_data() {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("a queue that does not accept jobs") << false;
        QTest::newRow("a queue deleted after the dialog opened") << true;
    }
    void aFailedJobIsReported() {
        QFETCH(bool, deleted);
        const QString queue = deleted ? QStringLiteral("Zmizela") : QStringLiteral("Odmita");
        QVERIFY(cupsTool(QStringLiteral("lpadmin"),
                         {QStringLiteral("-p"), queue, QStringLiteral("-v"),
                          QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                          qEnvironmentVariable("CIFERON_PRINT_PPD"), QStringLiteral("-E")}));
        if (!deleted) {
            QVERIFY(cupsTool(QStringLiteral("cupsreject"), {queue}));
        }
        const auto removeQueue = qScopeGuard([&queue] {
            if (QPrinterInfo::availablePrinterNames().contains(queue)) {
                cupsTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
            }
        });
        RecordingPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        const qsizetype before = jobCount();
        const QStringList writtenBefore = written();
        PrintDialogSeen seen;
        throughClassSetDialog(
            form, [](ClassSetDialog& dialog) { fillClassSet(dialog, true); },
            QStringLiteral("Vytisknout…"),
            [&](QWidget* modal) {
                answerPrintDialog(modal, queue, Sides::Untouched, seen, [&] {
                    if (deleted) {
                        QVERIFY(cupsTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue}));
                    }
                });
            });
        QCOMPARE(seen.printer, queue);
        QCOMPARE(prompts.messages, QStringList{failedPrint});
        QCOMPARE(newJobs(before).size(), 0);
        QCOMPARE(written(), writtenBefore);
    }
};

}  // namespace ciferon

QTEST_MAIN(ciferon::PrintTest)
#include "print_test.moc"
