// The window's editable documents through its real modal dialogs: the class-set dialog's
// "Uložit jako dokument…" and the menu's command for the two fields, each through the real
// file dialog offering DOCX and ODT, and a message box where the file cannot be written.
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "form1.h"
#include "modal_dialogs.h"

namespace ciferon {

namespace {

// The real dialogs; the messages the window shows are kept to be read.
class RecordingPrompts final : public DialogPrompts {
  public:
    QStringList messages;
    void inform(QWidget* /*parent*/, const QString& text) override { messages << text; }
};

class FixedSeed final : public RandomSource {
  public:
    void seed() override { inner_.seedWith(2031); }
    float next() override { return inner_.next(); }

  private:
    ClockRandom inner_;
};

// One part of a document's archive as unzip reads it.
QString part(const QString& archive, const QString& name) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, name});
    if (!unzip.waitForFinished() || unzip.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// Checks the file dialog's types, names `path` and saves.
void answerDocumentDialog(QWidget* modal, const QString& suggestedName, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->nameFilters(), QStringList({QStringLiteral("Dokument Word (*.docx)"),
                                                 QStringLiteral("Dokument OpenDocument (*.odt)")}));
    answerFileDialog(modal, suggestedName, path);
}

void fillClassSet(ClassSetDialog& dialog) {
    child<QSpinBox>(dialog, "sheets")->setValue(2);
    child<QSpinBox>(dialog, "count")->setValue(6);
    child<QLineEdit>(dialog, "heading")->setText(QStringLiteral("Písemka & <opakování>"));
    child<QLineEdit>(dialog, "adapted")->setText(QStringLiteral("2"));
}

}  // namespace

class DocumentsGuiTest : public QObject {
    Q_OBJECT

    FixedSeed random_;

  private Q_SLOTS:
    void initTestCase() { QVERIFY(useCzechDialogButtons()); }

    // The same class set as the PDF "Uložit jako PDF…" saves, in the format its name asks:
    // every sheet's code, the key's tables, the adapted sheet's style.
    void theClassSetIsSavedAsADocument_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("adaptedStyle");
        QTest::newRow("DOCX") << QStringLiteral("listy.docx") << QStringLiteral("word/document.xml")
                              << QStringLiteral("w:pStyle w:val=\"CiferonExerciseAdapted\"");
        QTest::newRow("ODT") << QStringLiteral("listy.odt") << QStringLiteral("content.xml")
                             << QStringLiteral("CiferonExerciseAdapted");
    }
    void theClassSetIsSavedAsADocument() {
        QFETCH(QString, name);
        QFETCH(QString, content);
        QFETCH(QString, adaptedStyle);
        QTemporaryDir dir;
        RecordingPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        const QString pdf = dir.filePath(QStringLiteral("listy.pdf"));
        saveClassSet(form, pdf, fillClassSet);
        const QStringList pages = pdfPages(pdf);
        QVERIFY(pages.size() >= 3);

        QString note;
        const QString path = dir.filePath(name);
        throughClassSetDialog(
            form,
            [&](ClassSetDialog& dialog) {
                fillClassSet(dialog);
                note = child<QLabel>(dialog, "documentNote")->text();
            },
            QStringLiteral("Uložit jako dokument…"),
            [&](QWidget* modal) {
                answerDocumentDialog(modal, QStringLiteral("pracovni-listy.docx"), path);
            });
        QVERIFY(note.contains(QStringLiteral("oboustranný tisk")));
        QCOMPARE(prompts.messages, QStringList{});
        const QString xml = part(path, content);
        QVERIFY(!xml.isEmpty());
        for (const QString& page : pages.mid(0, 2)) {
            const QString code =
                QRegularExpression(QStringLiteral("Kód: (\\S+)")).match(page).captured(1);
            QVERIFY(!code.isEmpty());
            QCOMPARE(xml.count(code), 3);  // on its sheet, above its results and its solutions
        }
        QVERIFY(xml.contains(QStringLiteral("Písemka &amp; &lt;opakování&gt;")));
        QVERIFY(xml.contains(adaptedStyle));
    }

    // The menu's command saves the fields as they stand; a file that cannot be written is
    // told in a message box, and nothing is left under its name.
    void theFieldsAreSavedAsADocument() {
        QTemporaryDir dir;
        DialogPrompts prompts;
        Form1 form(prompts, random_);
        QVERIFY(showWindow(form));
        child<QPlainTextEdit>(form, "Text1_0")->setPlainText(QStringLiteral("7+8=\n\n9:3="));
        child<QPlainTextEdit>(form, "Text1_1")->setPlainText(QStringLiteral("7+8=15\n\n9:3=3"));
        QAction* command = nullptr;
        for (QAction* action : form.menuBar()->actions().constFirst()->menu()->actions()) {
            if (action->text() == QStringLiteral("Uložit jako doku&ment…")) {
                command = action;
            }
        }
        QVERIFY(command != nullptr);

        const QString path = dir.filePath(QStringLiteral("priklady.odt"));
        onNextModal([&](QWidget* modal) {
            answerDocumentDialog(modal, QStringLiteral("priklady.docx"), path);
        });
        command->trigger();
        const QString xml = part(path, QStringLiteral("content.xml"));
        for (const char* line : {"7+8=<", "9:3=<", "7+8=15<", "9:3=3<"}) {
            QVERIFY2(xml.contains(QString::fromUtf8(line)), line);
        }

        const QString unwritable = dir.filePath(QStringLiteral("chybi/priklady.docx"));
        QString message;
        onNextModal([&](QWidget* modal) {
            onNextModal([&](QWidget* box) {
                auto* shown = qobject_cast<QMessageBox*>(box);
                QVERIFY(shown != nullptr);
                message = shown->text();
                shown->accept();
            });
            answerDocumentDialog(modal, QStringLiteral("priklady.docx"), unwritable);
        });
        command->trigger();
        QVERIFY2(message.startsWith(QStringLiteral("Soubor „%1“ nelze uložit: ").arg(unwritable)),
                 qPrintable(message));
        QVERIFY(!QFileInfo::exists(unwritable));
    }
};

}  // namespace ciferon

QTEST_MAIN(ciferon::DocumentsGuiTest)
#include "documents_gui_test.moc"
