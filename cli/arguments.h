// The command line read and checked, before anything is done: a task for exactly one mode,
// holding only what that mode needs, or the one Czech line that refuses it. Reading needs no
// application object and touches nothing, so that it can be tested as a table.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "classset/classset.h"
#include "classset/follow_up.h"
#include "codes/sheet.h"
#include "marking/overview.h"

namespace ciferon::cli {

// A mistake on the command line: nothing is done.
inline constexpr int usageFault = 2;
// A file or standard output that cannot be written, or a window without a display.
inline constexpr int runFault = 1;

// Where the sheets and their key go; how they print is the class set's.
struct PdfOutput {
    PdfOutput() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): a PDF's path alone, as most tasks give it
    PdfOutput(QString pdf, QString docxFile = {}, QString odtFile = {})
        : path(std::move(pdf)), docx(std::move(docxFile)), odt(std::move(odtFile)) {}
    QString path;  // "-" for standard output; empty for no PDF
    QString docx;  // the same as editable documents (--docx, --odt), or empty
    QString odt;
    [[nodiscard]] bool any() const { return !path.isEmpty() || !docx.isEmpty() || !odt.isEmpty(); }
    bool operator==(const PdfOutput&) const = default;
};

// The main window, with a sheet opened by its code or not. Qt's own options are the window's;
// these two of them decide whether there is a screen to open it on.
struct WindowTask {
    std::optional<Sheet> sheet;  // --code
    QString platform;            // -platform NAME
    bool displayChosen = false;  // -display NAME
    bool operator==(const WindowTask&) const = default;
};

struct HelpTask {
    bool operator==(const HelpTask&) const = default;
};

struct VersionTask {
    bool operator==(const VersionTask&) const = default;
};

// --sheets N: a new class set with its key, made as the settings ask (--adapted lists the
// adapted sheets as typed, "all" for every one).
struct SheetsTask {
    ClassSetSettings settings;
    PrintOptions print;
    PdfOutput pdf;
    bool operator==(const SheetsTask&) const = default;
};

// --codes A,B,C: exactly these sheets as a class set, "List 1 z N" to "List N z N".
struct CodesTask {
    ClassSet set;
    PdfOutput pdf;
    bool operator==(const CodesTask&) const = default;
};

// --code KÓD --pdf SOUBOR: one sheet alone with its key, adapted whole with --adapted all.
struct CodePdfTask {
    ClassSet set;  // the sheet alone (sheetAlone)
    PdfOutput pdf;
    bool operator==(const CodePdfTask&) const = default;
};

// --code KÓD --text: the sheet's two lists as the copy button gives them.
struct CodeTextTask {
    Sheet sheet;
    bool operator==(const CodeTextTask&) const = default;
};

// --code KÓD --check SOUBOR: a pupil's answers marked.
struct CodeCheckTask {
    Sheet sheet;
    QString answers;  // "-" for standard input
    bool operator==(const CodeCheckTask&) const = default;
};

// --sheets N or --codes KÓDY with --save-set SOUBOR: the class set kept as a set file, and
// printed too when the task's PDF has a path (--pdf).
struct SaveSetTask {
    std::variant<SheetsTask, CodesTask> make;
    QString file;
    bool operator==(const SaveSetTask&) const = default;
};

// --set SOUBOR --pdf PDF: a kept class set printed again, with its own heading and options.
struct SetPdfTask {
    SetPdfTask() = default;
    SetPdfTask(QString setFile, QString pdfFile, QString docxFile = {}, QString odtFile = {})
        : file(std::move(setFile)),
          pdf(std::move(pdfFile)),
          docx(std::move(docxFile)),
          odt(std::move(odtFile)) {}
    QString file;
    QString pdf;   // "-" for standard output
    QString docx;  // the same as editable documents, or empty
    QString odt;
    bool operator==(const SetPdfTask&) const = default;
};

// --set SOUBOR --names JMÉNA: the pupils' names, one a line in sheet order, into the set.
struct SetNamesTask {
    QString file;
    QString names;  // "-" for standard input
    bool operator==(const SetNamesTask&) const = default;
};

// --set SOUBOR --sheet N --answers ODPOVĚDI: sheet N's answers marked as --check marks them,
// into the set.
struct SetAnswersTask {
    QString file;
    int sheet = 0;    // from 1; the set may not have it
    QString answers;  // "-" for standard input
    bool operator==(const SetAnswersTask&) const = default;
};

// --set SOUBOR --sheet N --result-code KÓD: sheet N's marks from the pupil's result code, in
// place of answers, into the set.
struct SetResultCodeTask {
    QString file;
    int sheet = 0;  // from 1; the set may not have it
    QString code;   // as typed
    bool operator==(const SetResultCodeTask&) const = default;
};

// --set SOUBOR --overview: the class's overview as text, with --csv also as a spreadsheet,
// with --pdf also as a printout on A4, with --docx and --odt as an editable document.
struct SetOverviewTask {
    QString file;
    QString csv;  // empty for none, "-" for standard output instead of the text
    MarkScale scale;
    QString pdf;   // empty for none, "-" for standard output instead of the text
    QString docx;  // the same as an editable document
    QString odt;
    bool operator==(const SetOverviewTask&) const = default;
};

// --set SOUBOR --follow-up NOVÁ --pdf PDF: a new class set from the kept set's results, each
// sheet practising what its pupil got wrong (--weakest: every sheet the class's weakest
// kinds), printed, then kept as NOVÁ; under the kept set's heading, or --heading's.
struct SetFollowUpTask {
    QString file;
    QString followUp;
    QString pdf;  // "-" for standard output
    std::optional<std::string> heading;
    FollowUpMode mode = FollowUpMode::OwnResults;
    bool operator==(const SetFollowUpTask&) const = default;
};

// Why nothing is done: the line for standard error and the program's status.
struct Refusal {
    QString line;  // "ciferon: …", without the line break
    int status = usageFault;
    bool operator==(const Refusal&) const = default;
};

using Task = std::variant<WindowTask, HelpTask, VersionTask, SheetsTask, CodesTask, CodePdfTask,
                          CodeTextTask, CodeCheckTask, SaveSetTask, SetPdfTask, SetNamesTask,
                          SetAnswersTask, SetOverviewTask, SetResultCodeTask, SetFollowUpTask>;
using Reading = std::variant<Task, Refusal>;

// Reads the whole command line, the program's name first. Qt's own options of a graphical
// program (-style X, -platform xcb, -reverse…) are left to Qt, in any mode.
Reading readArguments(const QStringList& arguments);

// The refusal of a window that has no screen to open on, from the platforms named by
// -platform or QT_QPA_PLATFORM and the displays in the environment; nothing when it can open.
std::optional<Refusal> windowRefusal(const WindowTask& task);

// --help's text: the options, then the kinds of exercise by topic with the numbers that
// --kinds takes. Needs the application object, for the program's name.
QString helpText();

}  // namespace ciferon::cli
