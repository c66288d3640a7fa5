// The main window under Qt's offscreen platform: the four commands through a scripted
// prompt, the real dialogs driven as a user would, the clipboard, layout and keyboard.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "check_dialog.h"
#include "classset_dialog.h"
#include "codes/items.h"
#include "codes/sheet.h"
#include "form1.h"
#include "marking/results.h"
#include "modal_dialogs.h"
#include "page_type.h"
#include "run/run.h"
#include "texts/texts.h"

namespace ciferon {
namespace {

// Answers the prompts from a list and counts the confirmations.
class ScriptedPrompts final : public Prompts {
  public:
    QStringList answers;
    QStringList questions;
    QStringList defaults;
    bool confirmAnswer = false;
    QStringList confirmations;

    QString askNumber(QWidget* /*parent*/, const QString& question,
                      const QString& defaultAnswer) override {
        questions << question;
        defaults << defaultAnswer;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    bool confirm(QWidget* /*parent*/, const QString& text) override {
        confirmations << text;
        return confirmAnswer;
    }

    QString code;
    QStringList messages;
    std::optional<ClassSetRequest> classSet;
    QString pdfPath;  // the file chosen for a PDF, and what the printer prints into
    bool duplex = false;

    QString askCode(QWidget* /*parent*/, const QString& question) override {
        questions << question;
        return code;
    }
    void inform(QWidget* /*parent*/, const QString& text) override { messages << text; }
    std::optional<ClassSetRequest> askClassSet(QWidget* /*parent*/,
                                               const ClassSetRequest& /*last*/) override {
        return classSet;
    }
    std::optional<ProjectionRequest> projection;
    std::optional<ProjectionRequest> askProjection(QWidget* /*parent*/,
                                                   const ProjectionRequest& /*last*/) override {
        return projection;
    }
    QString askPdfFile(QWidget* /*parent*/, const QString& suggestedName) override {
        defaults << suggestedName;
        return pdfPath;
    }
    QList<bool> presets;  // whether each print dialog was preset to both sides
    std::optional<bool> setUpPrinter(QWidget* /*parent*/, QPrinter& printer,
                                     bool twoSided) override {
        presets << twoSided;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return duplex;
    }
};

// The same reproducible sequence at every run's seeding.
class FixedSeed final : public RandomSource {
  public:
    void seed() override {
        inner_.seedWith(2026);
        ++seeds;
    }
    float next() override { return inner_.next(); }
    int seeds = 0;

  private:
    ClockRandom inner_;
};

Lists expectedLists(double count, int interval) {
    FixedSeed random;
    random.seed();
    return makeLists(count, interval, random);
}

}  // namespace

// A sheet of two kinds: "Dělení se zbytkem" and "Čtyři sčítanci, z toho dva součiny".
constexpr Sheet topicSheet{1234567, 12, 4, (1U << 10U) | (1U << 3U)};

class Form1Test : public QObject {
    Q_OBJECT

    FixedSeed random_;

  private Q_SLOTS:
    void initTestCase() { QVERIFY(useCzechDialogButtons()); }
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("earlier")); }

    void showsCaptionAndEmptyFields() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QCOMPARE(form.windowTitle(), QStringLiteral("Ciferon pro pátou třídu"));
        QCOMPARE(child<QPushButton>(form, "Command1")->text(), QStringLiteral("Generuj"));
        QCOMPARE(child<QPushButton>(form, "Command2")->text(),
                 QStringLiteral("Kopíruj obě pole do schránky"));
        QCOMPARE(child<QPushButton>(form, "Command3")->text(),
                 QStringLiteral("Smaž obsah obou polí"));
        QCOMPARE(child<QPushButton>(form, "Command4")->text(), QStringLiteral("Ukonči práci"));
        QCOMPARE(form.fieldText(0), QString());
        QCOMPARE(form.fieldText(1), QString());
        QCOMPARE(form.crlf, QStringLiteral("\r\n"));
    }

    void generatesAndReplacesBothFields() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        child<QPlainTextEdit>(form, "Text1_0")->setPlainText(QStringLiteral("old exercises"));
        child<QPlainTextEdit>(form, "Text1_1")->setPlainText(QStringLiteral("old solutions"));
        prompts.answers = {QStringLiteral("20"), QStringLiteral("10")};
        child<QPushButton>(form, "Command1")->click();

        const Lists expected = expectedLists(20, 10);
        QCOMPARE(form.fieldText(0), QString::fromStdString(expected.exercises));
        QCOMPARE(form.fieldText(1), QString::fromStdString(expected.solutions));
        QCOMPARE(prompts.questions,
                 QStringList({QStringLiteral("Kolik příkladů? (max.200)"),
                              QStringLiteral("Po kolika oddělovat? (max. 20)")}));
        QCOMPARE(prompts.defaults, QStringList({QStringLiteral("100"), QStringLiteral("10")}));
    }

    void refusedAnswersKeepTheFields_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("questionsAsked");
        QTest::newRow("cancelled first") << QStringList{} << 1;
        QTest::newRow("empty first") << QStringList{QString()} << 1;
        QTest::newRow("letters") << QStringList{QStringLiteral("abc")} << 1;
        QTest::newRow("too many") << QStringList{QStringLiteral("200.5")} << 1;
        QTest::newRow("separator too large")
            << QStringList{QStringLiteral("20"), QStringLiteral("21")} << 2;
        QTest::newRow("separator half")
            << QStringList{QStringLiteral("20"), QStringLiteral("0.5")} << 2;
    }
    void refusedAnswersKeepTheFields() {
        QFETCH(QStringList, answers);
        QFETCH(int, questionsAsked);
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        child<QPlainTextEdit>(form, "Text1_0")->setPlainText(QStringLiteral("kept\nas typed"));
        child<QPlainTextEdit>(form, "Text1_1")->setPlainText(QStringLiteral("also kept"));
        prompts.answers = answers;
        form.generate();
        QCOMPARE(form.fieldText(0), QStringLiteral("kept\r\nas typed"));
        QCOMPARE(form.fieldText(1), QStringLiteral("also kept"));
        QCOMPARE(prompts.questions.size(), questionsAsked);
    }

    void copiesBothListsWithCrLf_data() {
        QTest::addColumn<QString>("exercises");
        QTest::addColumn<QString>("solutions");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("both empty") << QString() << QString() << QStringLiteral("earlier");
        QTest::newRow("only solutions")
            << QString() << QStringLiteral("typed") << QStringLiteral("earlier");
        QTest::newRow("only exercises")
            << QStringLiteral("1+1 =\n") << QString() << QStringLiteral("1+1 =\r\n\r\n");
        QTest::newRow("edited, Czech")
            << QStringLiteral("Příklady\n45+28 =\n") << QStringLiteral("45+28 =73\n\nžluťoučký kůň")
            << QStringLiteral("Příklady\r\n45+28 =\r\n\r\n45+28 =73\r\n\r\nžluťoučký kůň");
    }
    void copiesBothListsWithCrLf() {
        QFETCH(QString, exercises);
        QFETCH(QString, solutions);
        QFETCH(QString, clipboard);
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        child<QPlainTextEdit>(form, "Text1_0")->setPlainText(exercises);
        child<QPlainTextEdit>(form, "Text1_1")->setPlainText(solutions);
        child<QPushButton>(form, "Command2")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QCOMPARE(form.stagedText(), exercises.isEmpty() ? QString() : clipboard);
    }

    void copiesAGeneratedRunByteForByte() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        prompts.answers = {QStringLiteral("200"), QStringLiteral("7")};
        form.generate();
        form.copyToClipboard();
        const Lists expected = expectedLists(200, 7);
        const QByteArray bytes = QGuiApplication::clipboard()->text().toUtf8();
        QCOMPARE(bytes,
                 QByteArray::fromStdString(expected.exercises + "\r\n" + expected.solutions));
    }

    void clearsOnlyAfterConfirmation() {
        for (const bool ok : {false, true}) {
            ScriptedPrompts prompts;
            Form1 form(prompts, random_);
            prompts.answers = {QStringLiteral("5"), QStringLiteral("2")};
            form.generate();
            const QString before = form.fieldText(1);
            prompts.confirmAnswer = ok;
            child<QPushButton>(form, "Command3")->click();
            QCOMPARE(prompts.confirmations,
                     QStringList{QStringLiteral("Přejete si opravdu odsah pole odstranit")});
            QCOMPARE(form.fieldText(0).isEmpty(), ok);
            QCOMPARE(form.fieldText(1), ok ? QString() : before);
        }
    }

    void quitClosesTheWindow() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        prompts.answers = {QStringLiteral("5"), QStringLiteral("2")};
        form.generate();
        child<QPushButton>(form, "Command4")->click();
        QVERIFY(!form.isVisible());
        QVERIFY(prompts.confirmations.isEmpty());
    }

    // The real input prompts, answered by keyboard: typed digits replace the default answer.
    void realPromptsAskAndAnswer() {
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        QStringList seen;
        onNextModal([&seen](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog != nullptr);
            seen << dialog->windowTitle() << dialog->labelText() << dialog->textValue();
            onNextModal([&seen](QWidget* second) {
                auto* dialog2 = qobject_cast<QInputDialog*>(second);
                QVERIFY(dialog2 != nullptr);
                seen << dialog2->labelText() << dialog2->textValue();
                QTest::keyClick(dialog2->findChild<QLineEdit*>(), Qt::Key_Return);
            });
            auto* edit = dialog->findChild<QLineEdit*>();
            QTest::keyClicks(edit, QStringLiteral("12"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        child<QPushButton>(form, "Command1")->click();
        QCOMPARE(seen, QStringList(
                           {QStringLiteral("Ciferon"), QStringLiteral("Kolik příkladů? (max.200)"),
                            QStringLiteral("100"), QStringLiteral("Po kolika oddělovat? (max. 20)"),
                            QStringLiteral("10")}));
        QCOMPARE(form.fieldText(0), QString::fromStdString(expectedLists(12, 10).exercises));
    }

    void realPromptCancelledRefusesTheRun() {
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        int dialogs = 0;
        onNextModal([&dialogs](QWidget* modal) {
            ++dialogs;
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        form.generate();
        QCOMPARE(dialogs, 1);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(form.fieldText(0), QString());
    }

    void realConfirmationAnswersOkAndCancel_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("Enter is OK") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape is Cancel") << int(Qt::Key_Escape) << false;
    }
    void realConfirmationAnswersOkAndCancel() {
        QFETCH(int, key);
        QFETCH(bool, cleared);
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        child<QPlainTextEdit>(form, "Text1_0")->setPlainText(QStringLiteral("x"));
        QString text;
        QString buttons;
        bool question = false;
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            text = box->text();
            question = box->icon() == QMessageBox::Question &&
                       box->button(QMessageBox::Ok) != nullptr &&
                       box->button(QMessageBox::Cancel) != nullptr &&
                       box->windowTitle() == applicationTitle;
            if (question) {
                buttons = box->button(QMessageBox::Ok)->text() + QLatin1Char('|') +
                          box->button(QMessageBox::Cancel)->text();
            }
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        });
        form.clearFields();
        QCOMPARE(text, QStringLiteral("Přejete si opravdu odsah pole odstranit"));
        QVERIFY(question);
        QCOMPARE(buttons.remove(QLatin1Char('&')), QStringLiteral("OK|Zrušit"));
        QCOMPARE(form.fieldText(0).isEmpty(), cleared);
    }

    void standsWhereTheLayoutPutsIt() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        // The menu bar stands above the client area, which keeps its size.
        QCOMPARE(form.centralWidget()->size(), QSize(685, 248));
        QCOMPARE(form.centralWidget()->y(), form.menuBar()->height());
        QCOMPARE(form.height(), 248 + form.menuBar()->height());
        const QList<QPair<const char*, QRect>> places{
            {"Text1_0", QRect(8, 8, 305, 201)},     {"Text1_1", QRect(320, 8, 353, 201)},
            {"Command1", QRect(8, 216, 129, 25)},   {"Command2", QRect(144, 216, 169, 25)},
            {"Command3", QRect(328, 216, 169, 25)}, {"Command4", QRect(552, 216, 121, 25)},
        };
        for (const auto& [name, rect] : places) {
            QCOMPARE(child<QWidget>(form, name)->geometry(), rect);
        }
    }

    void everyCaptionFits() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        form.show();
        for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
            auto* button = child<QPushButton>(form, name);
            QVERIFY2(button->sizeHint().width() <= button->width(), name);
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                     name);
        }
        const QFontInfo font(child<QPlainTextEdit>(form, "Text1_0")->font());
        QCOMPARE(font.pointSize(), 12);
        QVERIFY2(
            QStringList({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")})
                .contains(font.family()),
            qPrintable(font.family()));
    }

    void growsItsFieldsWhenResized() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        form.show();
        form.resize(1200, 700 + form.menuBar()->height());
        const QRect left = child<QWidget>(form, "Text1_0")->geometry();
        const QRect right = child<QWidget>(form, "Text1_1")->geometry();
        QVERIFY(left.width() > 305 && left.height() > 201);
        QVERIFY(right.width() > left.width());
        QVERIFY(left.right() < right.left());
        QCOMPARE(right.right(), 1200 - 12 - 1);
        int x = -1;
        for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
            const QRect button = child<QWidget>(form, name)->geometry();
            QCOMPARE(button.top(), left.bottom() + 8);
            QVERIFY2(button.left() > x, name);
            QVERIFY(button.right() < 1200);
            x = button.right();
        }
        form.resize(300, 100);
        QCOMPARE(form.centralWidget()->size(), QSize(685, 248));
    }

    void tabFollowsTheOrderAndLeavesTheFields() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form, Focus::Active));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, QStringList({QStringLiteral("Text1_0"), QStringLiteral("Command2"),
                                     QStringLiteral("Command3"), QStringLiteral("Command4"),
                                     QStringLiteral("Text1_1"), QStringLiteral("Command1")}));
    }

    // Generuj, copy, clear and quit from the keyboard alone: Tab to each, Space or Enter.
    void everyCommandWorksFromTheKeyboard() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form, Focus::Active));
        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };

        prompts.answers = {QStringLiteral("3"), QStringLiteral("1")};
        press(Qt::Key_Space);  // Generuj has the focus
        QCOMPARE(form.fieldText(0), QString::fromStdString(expectedLists(3, 1).exercises));

        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Return);  // copy
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 form.fieldText(0) + form.crlf + form.fieldText(1));

        prompts.confirmAnswer = true;
        press(Qt::Key_Tab);
        press(Qt::Key_Space);  // clear
        QCOMPARE(prompts.confirmations.size(), 1);
        QCOMPARE(form.fieldText(0), QString());

        press(Qt::Key_Tab);
        press(Qt::Key_Return);  // quit
        QVERIFY(!form.isVisible());
    }

    void accessibleNamesDescribeEveryControl() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        for (const char* name :
             {"Text1_0", "Text1_1", "Command1", "Command2", "Command3", "Command4"}) {
            auto* widget = child<QWidget>(form, name);
            QVERIFY2(!widget->accessibleName().isEmpty(), name);
            QVERIFY2(!widget->accessibleDescription().isEmpty(), name);
        }
        QVERIFY(child<QWidget>(form, "Text1_0")->accessibleName() !=
                child<QWidget>(form, "Text1_1")->accessibleName());
    }
    void menusOfferPaperAndSheets() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QStringList texts;
        for (QAction* menu : form.menuBar()->actions()) {
            texts << menu->text();
            for (QAction* item : menu->menu()->actions()) {
                texts << item->text() + QLatin1Char(' ') + item->shortcut().toString();
            }
        }
        QCOMPARE(texts.join(QLatin1Char('|')).remove(QLatin1Char('&')),
                 QStringLiteral(
                     "Soubor|Tisk… Ctrl+P|Uložit jako PDF… |Uložit jako dokument… |Upravený "
                     "list |Pracovní listy pro třídu… |Otevřít list podle kódu… "
                     "|Zkontrolovat list podle kódu… |Promítat… "
                     "| |Otevřít sadu… Ctrl+O|Uložit sadu Ctrl+S|Uložit sadu jako… |"
                     "Výsledky třídy… |Přehled třídy… |Procvičit podle výsledků… | |Konec Ctrl+Q|"
                     "Nápověda|"
                     "Nápověda F1|O programu Ciferon "));
    }

    void opensASheetByItsCodeOrRefusesIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("kinds");
        QTest::newRow("as typed on a Czech keyboard")
            << QStringLiteral("čxy+ zkrx") << true << int(allKinds);
        QTest::newRow("one symbol wrong") << QStringLiteral("4XY1-ZKRY") << false << 0;
        const QString twelve =
            QString::fromStdString(sheetCode(topicSheet)).toLower().replace(QLatin1Char('-'), ' ');
        QTest::newRow("twelve symbols, of two kinds") << twelve << true << int(topicSheet.kinds);
    }
    void opensASheetByItsCodeOrRefusesIt() {
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        QFETCH(int, kinds);
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        child<QPlainTextEdit>(form, "Text1_0")->setPlainText(QStringLiteral("kept"));
        prompts.code = typed;
        prompts.confirmAnswer = true;
        form.openByCode();
        QCOMPARE(prompts.questions, QStringList{QStringLiteral("Kód listu:")});
        // The typed text is asked about before a valid code replaces it.
        QCOMPARE(prompts.confirmations.size(), valid ? 1 : 0);
        const Lists lists = sheetLists(kinds == allKinds ? Sheet{8589933, 4, 20} : topicSheet);
        QCOMPARE(form.fieldText(0),
                 valid ? QString::fromStdString(lists.exercises) : QStringLiteral("kept"));
        QCOMPARE(prompts.messages,
                 valid ? QStringList{}
                       : QStringList{QStringLiteral("Kód listu „4XY1-ZKRY“ není platný.")});
    }

    // "Otevřít list podle kódu…" asks its own question before it replaces what the teacher
    // typed or changed, and only then; Cancel keeps the fields. Generuj still asks nothing.
    void asksBeforeReplacingEditedFields_data() {
        QTest::addColumn<QString>("before");  // generated, opened, cleared or edited
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("a run's lists") << QStringLiteral("generated") << false << false << true;
        QTest::newRow("a sheet opened") << QStringLiteral("opened") << false << false << true;
        QTest::newRow("cleared") << QStringLiteral("cleared") << false << false << true;
        QTest::newRow("edited, Cancel") << QStringLiteral("edited") << false << true << false;
        QTest::newRow("edited, OK") << QStringLiteral("edited") << true << true << true;
        QTest::newRow("an opened sheet edited, Cancel")
            << QStringLiteral("opened edited") << false << true << false;
    }
    void asksBeforeReplacingEditedFields() {
        QFETCH(QString, before);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, replaced);
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        prompts.answers = QStringList{QStringLiteral("12"), QStringLiteral("4")};
        form.generate();
        if (before.startsWith(QStringLiteral("opened"))) {
            form.openSheet(topicSheet);
        }
        if (before == QStringLiteral("cleared")) {
            prompts.confirmAnswer = true;
            form.clearFields();
            prompts.confirmations.clear();
        }
        if (before.endsWith(QStringLiteral("edited"))) {
            child<QPlainTextEdit>(form, "Text1_1")->appendPlainText(QStringLiteral("poznámka"));
        }
        const QString kept = form.fieldText(1);
        prompts.code = QStringLiteral("4XY1-ZKRX");
        prompts.confirmAnswer = answer;
        form.openByCode();
        QCOMPARE(prompts.confirmations,
                 asked ? QStringList{QStringLiteral("V polích je text, který jste upravili. "
                                                    "Přejete si ho opravdu nahradit listem "
                                                    "podle kódu?")}
                       : QStringList{});
        const Lists lists = sheetLists({8589933, 4, 20});
        QCOMPARE(form.fieldText(1), replaced ? QString::fromStdString(lists.solutions) : kept);
        // Generuj replaces edited fields without asking, as ever.
        child<QPlainTextEdit>(form, "Text1_0")->appendPlainText(QStringLiteral("poznámka"));
        prompts.confirmations.clear();
        prompts.answers = QStringList{QStringLiteral("5"), QStringLiteral("5")};
        form.generate();
        QVERIFY(prompts.confirmations.isEmpty());
        QCOMPARE(form.fieldText(0), QString::fromStdString(expectedLists(5, 5).exercises));
    }

    // "Nápověda": the core's help, every section's title and words.
    void helpShowsTheCoresSections() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QString title;
        QString text;
        onNextModal([&](QWidget* modal) {
            title = modal->windowTitle();
            text = qobject_cast<QMessageBox*>(modal)->text();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        form.help();
        QCOMPARE(title, QStringLiteral("Nápověda"));
        QVERIFY(!helpSections().empty());
        for (const HelpSection& section : helpSections()) {
            QVERIFY2(
                text.contains(toQString(section.title)) && text.contains(toQString(section.text)),
                qPrintable(toQString(section.title)));
        }
    }

    // An opened sheet prints as that sheet with its code and key, until a field is edited.
    void printsAnOpenedSheetAsItselfUntilEdited() {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        prompts.pdfPath = dir.filePath(QStringLiteral("sheet.pdf"));
        form.openSheet({8589933, 4, 20});
        form.saveFieldsAsPdf();
        QStringList pages = pdfPages(prompts.pdfPath);
        QCOMPARE(pages.size(), 2);
        QVERIFY2(pages[0].contains(QStringLiteral("Kód: 4XY1-ZKRX")), qPrintable(pages[0]));
        QVERIFY(pages[0].contains(QStringLiteral("3. 19-1+4-18+30-14-20 =")));
        // The key: a solution with a step before its result; none that is its result alone.
        QVERIFY(pages[1].contains(QStringLiteral("4. 28:4-30:10=7-3=4")));
        QVERIFY(!pages[1].contains(QStringLiteral("3. 19-1+4-18+30-14-20 =0")));
        QCOMPARE(prompts.defaults.constLast(), QStringLiteral("priklady.pdf"));

        child<QPlainTextEdit>(form, "Text1_1")->appendPlainText(QStringLiteral("poznámka"));
        form.printFields();
        pages = pdfPages(prompts.pdfPath);
        QCOMPARE(pages.size(), 2);
        QVERIFY(!pages[0].contains(QStringLiteral("Kód")));
        QVERIFY(pages[0].contains(QStringLiteral("19-1+4-18+30-14-20 =\n")));
        QVERIFY(pages[1].contains(QStringLiteral("poznámka")));

        form.openSheet(topicSheet);
        form.saveFieldsAsPdf();
        pages = pdfPages(prompts.pdfPath);
        const QString code = QString::fromStdString(sheetCode(topicSheet));
        QCOMPARE(code.size(), 14);
        QVERIFY2(pages[0].contains(QStringLiteral("Kód: ") + code), qPrintable(pages[0]));
    }

    // Adapted sheets: a class set's listed ones, with their own count, and a sheet opened by its
    // code while "Upravený list" is ticked; the key names them " – upravený list".
    void adaptedSheetsAreNamedSoInTheKey() {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        prompts.pdfPath = dir.filePath(QStringLiteral("set.pdf"));
        ClassSetRequest request;
        request.settings.sheets = 3;
        request.settings.count = 12;
        request.settings.separator = 4;
        request.settings.adapted = "2";
        request.settings.adaptedCount = 6;
        request.output = ClassSetRequest::Output::Pdf;
        prompts.classSet = request;
        form.printClassSet();
        const QString set = pdfPages(prompts.pdfPath).join(QLatin1Char('\f'));
        const QRegularExpression adaptedTitle(
            QStringLiteral("^List (\\d) z 3, kód (\\S+) – upravený list$"),
            QRegularExpression::MultilineOption);
        QSet<QString> named;
        for (auto match = adaptedTitle.globalMatch(set); match.hasNext();) {
            const auto found = match.next();
            QCOMPARE(found.captured(1), QStringLiteral("2"));
            QCOMPARE(readSheetCode(found.captured(2).toStdString())->count, 6);
            named << found.captured(2);
        }
        QCOMPARE(named.size(), 1);
        QVERIFY2(set.contains(QStringLiteral("Kód: ") + *named.begin()), qPrintable(set));

        auto* adapted = form.findChild<QAction*>(QStringLiteral("adaptedPrint"));
        QVERIFY(adapted->isCheckable() && !adapted->isChecked());
        QCOMPARE(adapted->text().remove(QLatin1Char('&')), QStringLiteral("Upravený list"));
        form.openSheet({8589933, 4, 20});
        for (const bool checked : {false, true}) {
            adapted->setChecked(checked);
            form.saveFieldsAsPdf();
            const QStringList pages = pdfPages(prompts.pdfPath);
            QVERIFY(pages[0].contains(QStringLiteral("Kód: 4XY1-ZKRX")));
            QCOMPARE(pages.constLast().contains(QStringLiteral("Kód 4XY1-ZKRX – upravený list")),
                     checked);
        }
    }

    // "Oboustranný tisk" only presets the print dialog; the dialog's final setting decides
    // the layout: on both sides, every sheet and the key start on a front page.
    void theClassSetPrintsAsThePrintDialogDecides_data() {
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<int>("pageCount");
        QTest::newRow("two-sided, kept") << true << true << 5;
        QTest::newRow("two-sided, changed in the print dialog") << true << false << 3;
        QTest::newRow("one-sided, changed in the print dialog") << false << true << 5;
    }
    void theClassSetPrintsAsThePrintDialogDecides() {
        QFETCH(bool, asked);
        QFETCH(bool, printed);
        QFETCH(int, pageCount);
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        prompts.pdfPath = dir.filePath(QStringLiteral("set.pdf"));
        prompts.duplex = printed;
        ClassSetRequest request;
        request.settings.sheets = 2;
        request.settings.count = 5;
        request.settings.separator = 5;
        request.settings.heading = "5. A – opakování";
        request.print.duplex = asked;
        prompts.classSet = request;
        form.printClassSet();
        QCOMPARE(prompts.presets, QList<bool>{asked});
        const QStringList pages = pdfPages(prompts.pdfPath);
        QCOMPARE(pages.size(), pageCount);
        QVERIFY(pages[0].contains(QStringLiteral("List 1 z 2")));
        QCOMPARE(pages[1].trimmed().isEmpty(), printed);
        QVERIFY(pages[printed ? 2 : 1].contains(QStringLiteral("5. A – opakování")));
        QVERIFY(pages.constLast().contains(QStringLiteral("Řešení")));
        QVERIFY(prompts.messages.isEmpty());
    }

    // A job Qt cannot carry out is reported, whichever printout it was.
    void aFailedPrintIsReported() {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        prompts.pdfPath = dir.filePath(QStringLiteral("no such folder/set.pdf"));
        prompts.classSet.emplace().settings.count = 5;
        form.printClassSet();
        prompts.answers = {QStringLiteral("5"), QStringLiteral("5")};
        form.generate();
        form.printFields();
        const QString failed = QStringLiteral("Tisk se nezdařil; část listů se už možná vytiskla.");
        QCOMPARE(prompts.messages, QStringList({failed, failed}));
        QVERIFY(!QFile::exists(prompts.pdfPath));
    }

    // The real class-set dialog, its defaults, then the real file dialog.
    void realClassSetDialogSavesAPdf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("listy.pdf"));
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        QList<int> defaults;
        bool duplex = true;
        bool mistakes = true;
        saveClassSet(form, path, [&](ClassSetDialog& dialog) {
            for (const char* name : {"sheets", "count", "separator"}) {
                defaults << child<QSpinBox>(dialog, name)->value();
            }
            duplex = child<QCheckBox>(dialog, "duplex")->isChecked();
            mistakes = child<QCheckBox>(dialog, "mistakes")->isChecked();
            child<QSpinBox>(dialog, "sheets")->setValue(3);
            child<QSpinBox>(dialog, "count")->setValue(6);
            QTest::keyClick(child<QCheckBox>(dialog, "mistakes"), Qt::Key_Space);
        });
        QCOMPARE(defaults, QList<int>({classSetDefault, sheetCountDefault, sheetSeparatorDefault}));
        QVERIFY(!duplex && !mistakes);
        const QStringList pages = pdfPages(path);
        QCOMPARE(pages.size(), 4);
        QVERIFY(pages[2].contains(QStringLiteral("List 3 z 3")));
        // "V klíči uvést časté chyby": the legend of the mistakes' letters under the results.
        QVERIFY(pages[3].contains(QStringLiteral("Z – počítáno zleva doprava")));
    }

    // "Oboustranný tisk" lays the saved PDF out for both sides: sheets of several pages each,
    // and every sheet and the key begin on an odd page, the front of a new paper.
    void aTwoSidedPdfStartsEverySheetOnAFrontPage() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("oboustranne.pdf"));
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        saveClassSet(form, path, [](ClassSetDialog& dialog) {
            child<QSpinBox>(dialog, "sheets")->setValue(3);
            child<QSpinBox>(dialog, "count")->setValue(120);
            child<QSpinBox>(dialog, "separator")->setValue(20);
            QTest::keyClick(child<QCheckBox>(dialog, "duplex"), Qt::Key_Space);
        });
        // One letter a page: a sheet's first page, its continuation, blank, the key (which
        // begins with the results table).
        QString layout;
        for (const QString& page : pdfPages(path)) {
            layout += page.trimmed().isEmpty()                         ? QLatin1Char('-')
                      : page.contains(QStringLiteral("Datum:"))        ? QLatin1Char('S')
                      : page.contains(QStringLiteral("Výsledky"))      ? QLatin1Char('K')
                      : page.contains(QStringLiteral("(pokračování)")) ? QLatin1Char('c')
                                                                       : QLatin1Char('k');
        }
        const auto odd = [&layout](QChar kind) {
            for (qsizetype page = layout.indexOf(kind); page >= 0;
                 page = layout.indexOf(kind, page + 1)) {
                if (page % 2 != 0) {  // counted from 0: an even page
                    return false;
                }
            }
            return true;
        };
        QVERIFY2(layout.count(QLatin1Char('S')) == 3 && layout.count(QLatin1Char('K')) == 1 &&
                     layout.count(QLatin1Char('c')) >= 3 && layout.contains(QLatin1Char('-')),
                 qPrintable(layout));
        QVERIFY2(odd(QLatin1Char('S')) && odd(QLatin1Char('K')), qPrintable(layout));
        QVERIFY2(layout.indexOf(QLatin1Char('K')) > layout.lastIndexOf(QLatin1Char('S')),
                 qPrintable(layout));
    }

    // A class set of one topic from the real dialog: twelve-symbol codes that open the very
    // lists printed above them, of that topic's kind only. The dialog opens again as it was
    // left, after the PDF and after a preview that printed nothing.
    void aClassSetOfOneTopicFromTheDialog() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("deleni.pdf"));
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        const auto values = [](const ClassSetDialog& dialog) {
            QStringList seen;
            for (const char* name : {"sheets", "count", "separator"}) {
                seen << child<QSpinBox>(dialog, name)->text();
            }
            seen << child<QLineEdit>(dialog, "heading")->text();
            for (auto* box : dialog.findChildren<QCheckBox*>()) {
                seen << box->objectName() + QLatin1Char('=') + QString::number(box->checkState());
            }
            return seen;
        };
        QStringList chosen;
        saveClassSet(form, path, [&](ClassSetDialog& dialog) {
            child<QSpinBox>(dialog, "sheets")->setValue(2);
            child<QSpinBox>(dialog, "count")->setValue(7);
            child<QSpinBox>(dialog, "separator")->setValue(3);
            child<QLineEdit>(dialog, "heading")
                ->setText(QStringLiteral("5. A – dělení se zbytkem"));
            for (const char* topic : {"topic0", "topic1", "topic2"}) {
                child<QCheckBox>(dialog, topic)->click();  // all ticked: clears them
            }
            chosen = values(dialog);
            screenshot(dialog, QStringLiteral("classset-dialog.png"));
        });

        const QStringList pages = pdfPages(path);
        const QRegularExpression codeLine(QStringLiteral("Kód: (\\S+)"));
        int sheets = 0;
        for (const QString& page : pages) {
            if (!page.contains(QStringLiteral("Datum:"))) {
                continue;
            }
            ++sheets;
            const QString code = codeLine.match(page).captured(1);
            QCOMPARE(code.size(), 14);
            const auto sheet = readSheetCode(code.toStdString());
            QVERIFY(sheet.has_value());
            QCOMPARE(sheet->kinds, KindChoice(1U << 10U));
            QCOMPARE(sheet->count, 7);
            int number = 0;
            for (const QString& line : QString::fromStdString(sheetLists(*sheet).exercises)
                                           .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                const QString printed = QStringLiteral("%1. %2").arg(++number).arg(line);
                QVERIFY2(page.contains(printed), qPrintable(printed + QLatin1Char('|') + page));
            }
            QCOMPARE(number, 7);
        }
        QCOMPARE(sheets, 2);

        // Again: a preview of as many pages, closed, and the dialog as it was; a second
        // preview of the same request shows the same sheets, made once.
        const int seeds = random_.seeds;
        int previewed = 0;
        QStringList reopened;
        QStringList afterPreview;
        throughClassSetDialog(
            form, [&](ClassSetDialog& dialog) { reopened = values(dialog); },
            QStringLiteral("Náhled tisku…"),
            [&](QWidget* second) {
                QVERIFY(qobject_cast<QPrintPreviewDialog*>(second) != nullptr);
                previewed = second->findChild<QPrintPreviewWidget*>()->pageCount();
                onNextModal([&](QWidget* third) {
                    afterPreview = values(*qobject_cast<ClassSetDialog*>(third));
                    onNextModal([](QWidget* again) {
                        onNextModal([](QWidget* last) { QTest::keyClick(last, Qt::Key_Escape); });
                        qobject_cast<QDialog*>(again)->reject();
                    });
                    buttonNamed(*qobject_cast<ClassSetDialog*>(third),
                                QStringLiteral("Náhled tisku…"))
                        ->click();
                });
                qobject_cast<QDialog*>(second)->reject();
            });
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(reopened, chosen);
        QCOMPARE(afterPreview, chosen);
        QCOMPARE(previewed, pages.size());
        QCOMPARE(random_.seeds, seeds + 1);
    }

    // A topic's box ticks or clears its kinds and shows whether some are ticked; with none
    // ticked nothing can be printed, and the dialog says why.
    void theTopicsTickTheirKinds() {
        ClassSetDialog dialog{ClassSetRequest{}};
        QVERIFY(showWindow(dialog));
        const auto topics = [&dialog] {
            QString states;
            for (const char* name : {"topic0", "topic1", "topic2", "topic3"}) {
                states += QString::number(child<QCheckBox>(dialog, name)->checkState());
            }
            return states;
        };
        const auto commandsEnabled = [&dialog] {
            return buttonNamed(dialog, QStringLiteral("Vytisknout…"))->isEnabled() &&
                   buttonNamed(dialog, QStringLiteral("Uložit jako PDF…"))->isEnabled() &&
                   buttonNamed(dialog, QStringLiteral("Náhled tisku…"))->isEnabled();
        };
        auto* topic = child<QCheckBox>(dialog, "topic1");  // "Přednost násobení a dělení"
        auto* kind = child<QCheckBox>(dialog, "kind6");
        QCOMPARE(topic->text(), QStringLiteral("Přednost násobení a dělení"));
        QCOMPARE(kind->text(), QStringLiteral("7. Rozdíl součinu a podílu"));
        QCOMPARE(topics(), QStringLiteral("2222"));
        QCOMPARE(dialog.request().settings.kinds, allKinds);

        QTest::keyClick(kind, Qt::Key_Space);
        QCOMPARE(topics(), QStringLiteral("2122"));
        QTest::keyClick(topic, Qt::Key_Space);  // partly ticked: ticks them all
        QCOMPARE(topics(), QStringLiteral("2222"));
        QVERIFY(kind->isChecked());
        QTest::keyClick(topic, Qt::Key_Space);  // all ticked: clears them
        QCOMPARE(topics(), QStringLiteral("2022"));
        KindChoice precedence = 0;
        for (const unsigned number : {3U, 4U, 5U, 6U, 7U, 8U, 11U, 12U}) {
            precedence |= 1U << number;
        }
        QCOMPARE(dialog.request().settings.kinds, KindChoice(allKinds & ~precedence));
        QVERIFY(commandsEnabled());
        QVERIFY(!child<QLabel>(dialog, "noKinds")->isVisible());

        for (const char* name : {"topic0", "topic2", "topic3"}) {
            child<QCheckBox>(dialog, name)->click();
        }
        QCOMPARE(topics(), QStringLiteral("0000"));
        QVERIFY(!commandsEnabled());
        QVERIFY(child<QLabel>(dialog, "noKinds")->isVisible());
        QCOMPARE(child<QLabel>(dialog, "noKinds")->text(),
                 QStringLiteral("Zaškrtněte aspoň jeden druh příkladů."));
        child<QCheckBox>(dialog, "kind10")->click();
        QCOMPARE(topics(), QStringLiteral("0002"));
        QVERIFY(commandsEnabled());
        QCOMPARE(dialog.request().settings.kinds, KindChoice(1U << 10U));
    }

    // "Upravené listy" and their count: the count follows the set's until it is set, goes no
    // higher, and counts only with adapted sheets; a list the core refuses stops the commands
    // with its reason. A dialog opened with what was asked shows it again.
    void theAdaptedSheetsAreCheckedAsTheOtherSettings() {
        ClassSetDialog dialog{ClassSetRequest{}};
        QVERIFY(showWindow(dialog));
        auto* list = child<QLineEdit>(dialog, "adapted");
        auto* adaptedCount = child<QSpinBox>(dialog, "adaptedCount");
        auto* problem = child<QLabel>(dialog, "noKinds");
        auto* print = buttonNamed(dialog, QStringLiteral("Vytisknout…"));
        // Where the buttons stand once the dialog is laid out again.
        const auto buttonsAt = [&dialog, print] {
            QCoreApplication::sendPostedEvents();
            dialog.layout()->activate();
            return print->mapTo(&dialog, QPoint(0, 0));
        };
        const QPoint at = buttonsAt();
        QCOMPARE(child<QLabel>(dialog, "headingLabel")->text(),
                 QStringLiteral("Nadpis (nejvýše 80 znaků)"));
        QCOMPARE(list->text(), QString());
        QCOMPARE(list->placeholderText(), QStringLiteral("např. 3, 7 nebo všechny"));
        QCOMPARE(adaptedCount->value(), sheetCountDefault);
        QVERIFY(!adaptedCount->isEnabled());
        child<QSpinBox>(dialog, "count")->setValue(12);
        QCOMPARE(adaptedCount->value(), 12);

        const QString malformed = QStringLiteral(
            "Upravené listy jsou čísla listů od 1 do 25 jednotlivě nebo jako "
            "rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, nebo „všechny“.");
        const QString beyond =
            QStringLiteral("Upravené listy jsou listy této sady, od 1 do 25; list 26 v ní není.");
        for (const auto& [typed, refusal] : {std::pair{"3, 7", QString()},
                                             {"3, 26", beyond},
                                             {"všechny", QString()},
                                             {"3-", malformed},
                                             {"0", malformed},
                                             {"24-25", QString()}}) {
            list->setText(QString::fromUtf8(typed));
            const bool refused = !refusal.isEmpty();
            QCOMPARE(print->isEnabled(), !refused);
            QCOMPARE(problem->isVisible(), refused);
            QCOMPARE(problem->text(), refusal);
            // The problem line had its room: the buttons stay where they were.
            QCOMPARE(buttonsAt(), at);
            QVERIFY(adaptedCount->isEnabled());
        }
        QCOMPARE(dialog.request().settings.adapted, std::string("24-25"));
        QCOMPARE(dialog.request().settings.adaptedCount, 0);

        adaptedCount->setValue(8);
        child<QSpinBox>(dialog, "count")->setValue(30);
        QCOMPARE(adaptedCount->value(), 8);
        child<QSpinBox>(dialog, "count")->setValue(6);
        QCOMPARE(adaptedCount->value(), 6);
        QCOMPARE(adaptedCount->maximum(), 6);
        QCOMPARE(dialog.request().settings.adaptedCount, 6);

        ClassSetDialog again{dialog.request()};
        QCOMPARE(child<QLineEdit>(again, "adapted")->text(), QStringLiteral("24-25"));
        QCOMPARE(child<QSpinBox>(again, "adaptedCount")->value(), 6);
        child<QSpinBox>(again, "count")->setValue(9);
        QCOMPARE(child<QSpinBox>(again, "adaptedCount")->value(), 6);
    }

    // A pupil checks a sheet by its code: answers typed field by field with Enter, marked
    // right, wrong or not at all, a wrong one's solution shown, then copied into its field,
    // which leaves it wrong, and a slip mended without the solution, which counts.
    void checksASheetByItsCode() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        prompts.code = QStringLiteral("K7M2-9QX4");
        form.checkByCode();
        QCOMPARE(prompts.messages,
                 QStringList{QStringLiteral("Kód listu „K7M2-9QX4“ není platný.")});
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // Of the twelve exercises, the two kinds take turns: 0 right, 1 wrong, 2 not a
        // number, the rest not answered; with a remainder, the first right and the second with its
        // quotient only, which names its likely mistake.
        const std::vector<Result> results = sheetResults(topicSheet);
        const QStringList exercises = QString::fromStdString(sheetLists(topicSheet).exercises)
                                          .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const QStringList solutions = QString::fromStdString(sheetLists(topicSheet).solutions)
                                          .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QStringList typed;  // one per field, in order
        QStringList marks;
        int plain = 0;
        int divisions = 0;
        int wrong = -1;
        int slip = -1;  // the division with its quotient only
        for (std::size_t index = 0; index < results.size(); ++index) {
            const Result& result = results[index];
            const QString value = QString::number(result.value);
            if (result.remainder) {
                const QString rest = QString::number(*result.remainder);
                const int turn = divisions++;
                if (turn == 1) {
                    slip = static_cast<int>(index);
                }
                typed << (turn == 0   ? value
                          : turn == 1 ? value
                                      : QString())
                      << (turn == 0 ? rest : QString());
                marks << (turn == 0   ? QStringLiteral("✓ správně")
                          : turn == 1 ? QStringLiteral("✗ chybně – chybí zbytek")
                                      : QString());
            } else {
                const int turn = plain++;
                if (turn == 1) {
                    wrong = static_cast<int>(index);
                }
                // A pupil's spelling with blanks is read as the number; two numbers are not.
                typed << (turn == 0   ? QStringLiteral(" ") + value
                          : turn == 1 ? QString::number(result.value + 1)
                          : turn == 2 ? value + QStringLiteral(" 1")
                                      : QString());
                marks << (turn == 0   ? QStringLiteral("✓ správně")
                          : turn == 1 ? QStringLiteral("✗ chybně")
                          : turn == 2 ? QStringLiteral("? nečitelné – napiš číslo")
                                      : QString());
            }
        }
        QVERIFY(divisions >= 2 && plain >= 3);

        QStringList seenMarks;
        QStringList summaries;
        QString solution;
        QString divisionSolution;
        QString copiedMark;
        QString resultLine;
        bool copiedOffered = true;
        QString intro;
        QString accessibleName;
        bool offeredOnlyBesideWrong = true;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CheckDialog*>(modal);
            QVERIFY(dialog != nullptr);
            accessibleName = child<QLineEdit>(*dialog, "answer3")->accessibleName();
            for (const QString& text : typed) {
                QWidget* field = dialog->focusWidget();
                QVERIFY(qobject_cast<QLineEdit*>(field) != nullptr);
                QTest::keyClicks(field, text);
                QTest::keyClick(field, Qt::Key_Return);
            }
            QCOMPARE(dialog->focusWidget(), child<QPushButton>(*dialog, "evaluate"));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);  // "Vyhodnotit"
            for (int number = 1; number <= static_cast<int>(results.size()); ++number) {
                const QString mark =
                    child<QLabel>(*dialog, qPrintable(QStringLiteral("mark%1").arg(number)))
                        ->text();
                seenMarks << mark;
                offeredOnlyBesideWrong =
                    offeredOnlyBesideWrong &&
                    child<QPushButton>(*dialog, qPrintable(QStringLiteral("show%1").arg(number)))
                            ->isVisible() == mark.startsWith(QStringLiteral("✗ chybně"));
            }
            summaries << child<QLabel>(*dialog, "summary")->text();
            const QByteArray show = QStringLiteral("show%1").arg(wrong + 1).toLatin1();
            child<QPushButton>(*dialog, show.constData())->click();
            solution =
                child<QLabel>(*dialog, qPrintable(QStringLiteral("solution%1").arg(wrong + 1)))
                    ->text();
            summaries << child<QLabel>(*dialog, "summary")->text();
            screenshot(*dialog, QStringLiteral("check-dialog.png"));
            divisionSolution =
                child<QLabel>(*dialog, qPrintable(QStringLiteral("solution%1").arg(slip + 1)))
                    ->text();
            intro = child<QLabel>(*dialog, "intro")->text();
            // The shown solution's result copied into its field; the slip's remainder added.
            auto* copied =
                child<QLineEdit>(*dialog, qPrintable(QStringLiteral("answer%1").arg(wrong + 1)));
            copied->setText(QString::number(results[static_cast<std::size_t>(wrong)].value));
            child<QLineEdit>(*dialog, qPrintable(QStringLiteral("remainder%1").arg(slip + 1)))
                ->setText(QString::number(*results[static_cast<std::size_t>(slip)].remainder));
            child<QPushButton>(*dialog, "evaluate")->click();
            summaries << child<QLabel>(*dialog, "summary")->text();
            resultLine = child<QLabel>(*dialog, "resultCode")->text();
            copiedMark =
                child<QLabel>(*dialog, qPrintable(QStringLiteral("mark%1").arg(wrong + 1)))->text();
            copiedOffered =
                child<QPushButton>(*dialog, qPrintable(QStringLiteral("show%1").arg(wrong + 1)))
                    ->isVisible();
            const QString honest = child<QLabel>(*dialog, "honest")->text();
            QVERIFY(!honest.isEmpty() && !honest.contains(QStringLiteral("Otevřít")));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        prompts.code = QString::fromStdString(sheetCode(topicSheet));
        form.checkByCode();
        QCOMPARE(accessibleName, QStringLiteral("3. ") + exercises[2].trimmed());
        QCOMPARE(seenMarks, marks);
        QVERIFY(offeredOnlyBesideWrong);
        QCOMPARE(solution, solutions[wrong].trimmed());
        // A division's solution as its fields take it: "34:5 =6 zb. 4".
        const Result& division = results[static_cast<std::size_t>(slip)];
        QCOMPARE(divisionSolution,
                 exercises[slip].trimmed() +
                     QStringLiteral("%1 zb. %2").arg(division.value).arg(*division.remainder));
        QCOMPARE(copiedMark, QStringLiteral("✗ chybně"));
        QVERIFY(!copiedOffered);
        // The result code carries the marks as they count: the copied answer still wrong, the
        // mended slip right, three right in all.
        QVERIFY2(resultLine.startsWith(QStringLiteral("Kód výsledku: ")), qPrintable(resultLine));
        const ResultCodeReading carried =
            readResultCode(topicSheet, resultLine.mid(14).toStdString());
        QCOMPARE(carried.marks.size(), results.size());
        QCOMPARE(carried.marks.at(static_cast<std::size_t>(wrong)).mark, Mark::Wrong);
        QCOMPARE(carried.marks.at(static_cast<std::size_t>(slip)).mark, Mark::Right);
        QCOMPARE(std::ranges::count(carried.marks, Mark::Right, &MarkedAnswer::mark), 3);
        // Spoken to as a pupil, and not told how to see the results.
        QVERIFY2(intro.contains(QStringLiteral("Napiš výsledky")) &&
                     !intro.contains(QStringLiteral("Napište")),
                 qPrintable(intro));
        QVERIFY(!intro.contains(QStringLiteral("Otevřít")));
        const QString missing = QStringLiteral("\n– chybí zbytek: 1×");
        QCOMPARE(summaries,
                 QStringList({QStringLiteral("Správně 2 z 12. Nečitelné odpovědi: 1.") + missing,
                              QStringLiteral("Správně 2 z 12. Nečitelné odpovědi: 1. Ukázaná "
                                             "řešení: 1.") +
                                  missing,
                              QStringLiteral("Správně 3 z 12. Nečitelné odpovědi: 1. Ukázaná "
                                             "řešení: 1.")}));
    }

    void realCodePromptAndItsMessage() {
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        QString label;
        QString message;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog != nullptr);
            label = dialog->labelText();
            onNextModal([&](QWidget* second) {
                message = qobject_cast<QMessageBox*>(second)->text();
                QTest::keyClick(second, Qt::Key_Return);
            });
            QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("K7M2-9QX4"));
            QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
        });
        form.openByCode();
        QCOMPARE(label, QStringLiteral("Kód listu:"));
        QCOMPARE(message, QStringLiteral("Kód listu „K7M2-9QX4“ není platný."));
    }

    void aboutNamesVersionAndLicence() {
        ScriptedPrompts prompts;
        Form1 form(prompts, random_);
        QString text;
        onNextModal([&](QWidget* modal) {
            text = qobject_cast<QMessageBox*>(modal)->text();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        form.about();
        QVERIFY2(text.contains(QStringLiteral("Ciferon " CIFERON_VERSION)) &&
                     text.contains(QStringLiteral("MIT")),
                 qPrintable(text));
    }
};

}  // namespace ciferon

QTEST_MAIN(ciferon::Form1Test)
#include "form1_test.moc"
