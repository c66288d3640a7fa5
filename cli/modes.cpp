#include "modes.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "classset/classset.h"
#include "classset/follow_up.h"
#include "classset/set_entry.h"
#include "classset/set_file.h"
#include "codes/items.h"
#include "documents/documents.h"
#include "layout/overview_document.h"
#include "marking/answer_file.h"
#include "marking/overview.h"
#include "marking/results.h"
#include "page_type.h"
#include "paper.h"
#include "texts/texts.h"

namespace ciferon::cli {

namespace {

void say(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int fail(const QString& why) {
    return refuse({QStringLiteral("ciferon: ") + why, runFault});
}

// Without a window Qt's own notes, such as a missing runtime folder, would only clutter the
// one line that a failure prints; its critical messages still go through.
void keepQtQuiet(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        say(stderr, message + QLatin1Char('\n'));
    }
}

int writeOut(const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
        return fail(QStringLiteral("výstup nelze zapsat."));
    }
    return 0;
}

// A PDF drawn through `draw` to its file, or with "-" to standard output once complete.
int writePdfOutput(const QString& path, const QString& title,
                   const std::function<bool(QPagedPaintDevice&)>& draw) {
    if (path == QLatin1String("-")) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!drawPdf(buffer, title, draw)) {
            return fail(QStringLiteral("PDF nelze vytvořit."));
        }
        return writeOut(buffer.data());
    }
    const QString fault = writePdf(path, title, draw);
    if (!fault.isEmpty()) {
        return fail(QStringLiteral("soubor „%1“ nelze zapsat: %2").arg(path, fault));
    }
    return 0;
}

// The sheets and their key to the PDF file, or with "-" to standard output once complete.
int printPdf(const PdfOutput& pdf, const ClassSet& set) {
    const QString title = set.settings.heading.empty() ? QStringLiteral("Pracovní listy")
                                                       : toQString(set.settings.heading);
    return writePdfOutput(pdf.path, title,
                          [&set](QPagedPaintDevice& device) { return printClassSet(device, set); });
}

QString writeFailure(const QString& path);

// The class set as an editable document, written whole beside its file and then put in its
// place, or with "-" to standard output once complete.
int writeDocument(const QString& path, const std::string& bytes) {
    if (path == QLatin1String("-")) {
        return writeOut(QByteArray::fromStdString(bytes));
    }
    if (!writeWhole(path, QByteArray::fromStdString(bytes)).isEmpty()) {
        return fail(QStringLiteral("soubor „%1“ nelze zapsat: %2.").arg(path, writeFailure(path)));
    }
    return 0;
}

// The sheets and their key to every file asked for: the PDF, then the documents.
int writeSheets(const PdfOutput& output, const ClassSet& set) {
    if (!output.path.isEmpty()) {
        if (const int status = printPdf(output, set); status != 0) {
            return status;
        }
    }
    if (!output.docx.isEmpty()) {
        if (const int status =
                writeDocument(output.docx, classSetDocument(set, DocumentFormat::Docx));
            status != 0) {
            return status;
        }
    }
    if (!output.odt.isEmpty()) {
        return writeDocument(output.odt, classSetDocument(set, DocumentFormat::Odt));
    }
    return 0;
}

// A sentence of the core as a part of this program's line: from a small letter.
QString inLine(std::string_view sentence) {
    QString text = toQString(sentence);
    if (!text.isEmpty()) {
        text[0] = text[0].toLower();
    }
    return text;
}

}  // namespace

int refuse(const Refusal& refusal) {
    say(stderr, refusal.line + QLatin1Char('\n'));
    return refusal.status;
}

int run(const HelpTask& /*task*/) {
    say(stdout, helpText());
    return 0;
}

int run(const VersionTask& /*task*/) {
    say(stdout, QStringLiteral("ciferon %1\n").arg(QStringLiteral(CIFERON_VERSION)));
    return 0;
}

int run(const SheetsTask& task) {
    ClockRandom random;
    random.seed();
    return writeSheets(task.pdf, makeClassSet(task.settings, task.print, random));
}

int run(const CodesTask& task) {
    return writeSheets(task.pdf, task.set);
}

int run(const CodePdfTask& task) {
    return writeSheets(task.pdf, task.set);
}

// Exactly what the copy button would put on the clipboard for that sheet.
int run(const CodeTextTask& task) {
    const Lists lists = sheetLists(task.sheet);
    return writeOut(
        QByteArray::fromStdString(lists.exercises + std::string(crlf) + lists.solutions));
}

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A file, or standard input for "-", read whole up to one byte beyond `max`, so that a reader
// knows a file that is too long; the failure's line, after "ciferon: WHAT („NAME“) ", when it
// cannot be read.
struct Input {
    QByteArray bytes;
    QString name;     // as the messages name it
    QString failure;  // "nelze přečíst: soubor neexistuje"
};

Input readInput(const QString& path, std::size_t max) {
    const bool standardInput = path == QLatin1String("-");
    Input input{{}, standardInput ? QStringLiteral("standardní vstup") : path, {}};
    if (!standardInput && QFileInfo(path).isDir()) {
        input.failure = QStringLiteral("nelze přečíst: je to složka, ne soubor");
        return input;
    }
    QFile file(path);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    const auto readMax = static_cast<qint64>(max) + 1;
    while (opened && input.bytes.size() < readMax) {
        const QByteArray piece = file.read(readMax - input.bytes.size());
        if (piece.isEmpty()) {
            break;
        }
        input.bytes += piece;
    }
    if (!opened) {
        input.failure = !standardInput && !QFileInfo::exists(path)
                            ? QStringLiteral("nelze přečíst: soubor neexistuje")
                            : QStringLiteral("nelze přečíst: soubor nelze otevřít");
    } else if (file.error() != QFileDevice::NoError) {
        input.failure = QStringLiteral("nelze přečíst: při čtení nastala chyba");
    }
    return input;
}

// A pupil's answers read and marked as --check marks them, or the line that refuses them with
// its status: 1 where the system cannot give the file (missing, a folder, a read error), 2
// where its content is refused (too long, not text, more lines than exercises).
std::variant<FileMarks, Refusal> markedAnswers(const Input& input,
                                               const std::vector<SheetItem>& items) {
    const QString& name = input.name;
    if (!input.failure.isEmpty()) {
        return Refusal{QStringLiteral("ciferon: odpovědi („%1“) %2.").arg(name, input.failure),
                       runFault};
    }
    FileMarks marks = markAnswerFile(view(input.bytes), items);
    switch (marks.fault) {
        case FileMarks::Fault::None:
            break;
        case FileMarks::Fault::TooLarge:
            return Refusal{QStringLiteral("ciferon: odpovědi („%1“) jsou delší než %2 MiB; patří "
                                          "sem jeden řádek na příklad.")
                               .arg(name)
                               .arg(answerFileMax >> 20U),
                           usageFault};
        case FileMarks::Fault::NotText:
            return Refusal{QStringLiteral("ciferon: odpovědi („%1“) nejsou text v UTF-8; patří "
                                          "sem jeden řádek na příklad.")
                               .arg(name),
                           usageFault};
        case FileMarks::Fault::TooManyLines:
            return Refusal{
                QStringLiteral("ciferon: odpovědi („%1“) mají víc řádků, než má list příkladů "
                               "(%2); patří sem jeden řádek na příklad, bez prázdných řádků mezi "
                               "skupinami.")
                    .arg(name)
                    .arg(items.size()),
                usageFault};
    }
    return marks;
}

// The same, the refusal printed and its status given instead.
std::variant<FileMarks, int> checkedAnswers(const Input& input,
                                            const std::vector<SheetItem>& items) {
    auto marks = markedAnswers(input, items);
    if (const auto* refusal = std::get_if<Refusal>(&marks)) {
        return refuse(*refusal);
    }
    return std::get<FileMarks>(std::move(marks));
}

// --check's report: one line per exercise, "N. chybně – TEXT" where a mistake gives exactly
// the answer, then the summary with a line for each mistake named, and last the pupil's result
// code.
QByteArray checkReport(const Sheet& sheet, const std::vector<SheetItem>& items,
                       const std::vector<MarkedAnswer>& marks) {
    QString report;
    for (std::size_t i = 0; i < items.size(); ++i) {
        report += toQString(checkLine(items[i].number, marks[i])) + QLatin1Char('\n');
    }
    report += toQString(summaryText(marks)) + QLatin1Char('\n');
    report += toQString(resultCodeLine(sheet, marks)) + QLatin1Char('\n');
    return report.toUtf8();
}

// A set file read, or the status of the line that refuses it (the core's sentence) or says why
// it cannot be read, printed.
std::variant<SetFile, int> loadSet(const QString& path) {
    const Input input = readInput(path, setFileMax);
    if (!input.failure.isEmpty()) {
        return fail(QStringLiteral("sadu („%1“) %2.").arg(input.name, input.failure));
    }
    SetFileReading read = readSetFile(view(input.bytes), path.toStdString());
    if (!read.set) {
        return refuse({QStringLiteral("ciferon: ") + inLine(read.refusal), usageFault});
    }
    return std::move(*read.set);
}

// Why a file could not be written, in the teacher's words rather than the system's.
QString writeFailure(const QString& path) {
    const QFileInfo target(path);
    if (target.isDir()) {
        return QStringLiteral("je to složka, ne soubor");
    }
    if (!target.absoluteDir().exists()) {
        return QStringLiteral("složka „%1“ neexistuje").arg(target.absolutePath());
    }
    return QStringLiteral("chybí oprávnění k zápisu nebo místo na disku");
}

// The set written whole beside its file, then put in its place, with the time of saving.
int saveSet(const QString& path, SetFile set) {
    set.saved = savedText(QDateTime::currentSecsSinceEpoch());
    QSaveFile file(path);
    const std::string text = writeSetFile(set);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        return fail(QStringLiteral("sadu („%1“) nelze uložit: %2.").arg(path, writeFailure(path)));
    }
    return 0;
}

}  // namespace

// One line per exercise and the summary. The file is read whole first, so that nothing is
// printed for a file that cannot be read or that the core refuses.
std::variant<QString, Refusal> checkReport(const CodeCheckTask& task) {
    const std::vector<SheetItem> items = sheetItems(task.sheet);
    auto marks = markedAnswers(readInput(task.answers, answerFileMax), items);
    if (auto* refusal = std::get_if<Refusal>(&marks)) {
        return std::move(*refusal);
    }
    return QString::fromUtf8(checkReport(task.sheet, items, std::get<FileMarks>(marks).marks));
}

int run(const CodeCheckTask& task) {
    const std::vector<SheetItem> items = sheetItems(task.sheet);
    const auto marks = checkedAnswers(readInput(task.answers, answerFileMax), items);
    if (const int* status = std::get_if<int>(&marks)) {
        return *status;
    }
    return writeOut(checkReport(task.sheet, items, std::get<FileMarks>(marks).marks));
}

namespace {

// Why a new set cannot be kept as `path`, given with `option`: a new set never takes the place
// of a kept one, which may hold names and results, nor goes to standard output.
std::optional<Refusal> newSetRefusal(const QString& path, const QString& option) {
    if (path == QLatin1String("-")) {
        return Refusal{QStringLiteral("ciferon: sada se ukládá do souboru (--%1 SOUBOR), ne na "
                                      "standardní výstup.")
                           .arg(option),
                       usageFault};
    }
    if (const QFileInfo target(path); target.exists() && !target.isDir()) {
        return Refusal{QStringLiteral("ciferon: sada („%1“) už existuje; nová sada ji nepřepíše, "
                                      "uložte ji pod jiným jménem.")
                           .arg(path),
                       usageFault};
    }
    return std::nullopt;
}

}  // namespace

int run(const SaveSetTask& task) {
    if (const auto refusal = newSetRefusal(task.file, QStringLiteral("save-set"))) {
        return refuse(*refusal);
    }
    ClassSet made;
    PdfOutput pdf;
    if (const auto* sheets = std::get_if<SheetsTask>(&task.make)) {
        ClockRandom random;
        random.seed();
        made = makeClassSet(sheets->settings, sheets->print, random);
        pdf = sheets->pdf;
    } else {
        const auto& codes = std::get<CodesTask>(task.make);
        made = codes.set;
        pdf = codes.pdf;
    }
    // The sheets first: a set is kept only for sheets that were printed.
    if (pdf.any()) {
        if (const int status = writeSheets(pdf, made); status != 0) {
            return status;
        }
    }
    return saveSet(task.file, setFileOf(made));
}

int run(const SetPdfTask& task) {
    const auto loaded = loadSet(task.file);
    if (const int* status = std::get_if<int>(&loaded)) {
        return *status;
    }
    return writeSheets({task.pdf, task.docx, task.odt}, classSetOf(std::get<SetFile>(loaded)));
}

int run(const SetNamesTask& task) {
    auto loaded = loadSet(task.file);
    if (const int* status = std::get_if<int>(&loaded)) {
        return *status;
    }
    auto& set = std::get<SetFile>(loaded);
    const Input input = readInput(task.names, setFileMax);
    if (!input.failure.isEmpty()) {
        return fail(QStringLiteral("jména („%1“) %2.").arg(input.name, input.failure));
    }
    const NameList list =
        static_cast<std::size_t>(input.bytes.size()) > setFileMax
            ? NameList{{},
                       "Seznam jmen je delší než " + std::to_string(setFileMax >> 20U) + " MiB."}
            : readNameList(view(input.bytes), static_cast<int>(set.sheets.size()));
    if (!list.refusal.empty()) {
        return refuse(
            {QStringLiteral("ciferon: jména („%1“): %2").arg(input.name, inLine(list.refusal)),
             usageFault});
    }
    for (std::size_t i = 0; i < set.sheets.size(); ++i) {
        set.sheets[i].name = i < list.names.size() ? list.names[i] : std::string();
    }
    return saveSet(task.file, std::move(set));
}

namespace {

// A set file read that has sheet `number` (from 1), or the status of the line that refuses it.
std::variant<SetFile, int> loadSetSheet(const QString& path, int number) {
    auto loaded = loadSet(path);
    if (const auto* set = std::get_if<SetFile>(&loaded);
        set != nullptr && number > static_cast<int>(set->sheets.size())) {
        return refuse({QStringLiteral("ciferon: sada („%1“) nemá list %2, má jich %3.")
                           .arg(path)
                           .arg(number)
                           .arg(set->sheets.size()),
                       usageFault});
    }
    return loaded;
}

}  // namespace

// The answers are marked and the set saved before anything is printed, so that what is
// printed is what the set holds.
int run(const SetAnswersTask& task) {
    auto loaded = loadSetSheet(task.file, task.sheet);
    if (const int* status = std::get_if<int>(&loaded)) {
        return *status;
    }
    auto& set = std::get<SetFile>(loaded);
    SetSheet& sheet = set.sheets[static_cast<std::size_t>(task.sheet) - 1];
    const std::vector<SheetItem> items = sheetItems(sheet.sheet);
    const Input input = readInput(task.answers, answerFileMax);
    auto marks = checkedAnswers(input, items);
    if (const int* status = std::get_if<int>(&marks)) {
        return *status;
    }
    sheet.row = rowOfAnswerFile(view(input.bytes), std::move(std::get<FileMarks>(marks)));
    const QByteArray report = checkReport(sheet.sheet, items, sheet.row->marks);
    if (const int status = saveSet(task.file, std::move(set)); status != 0) {
        return status;
    }
    return writeOut(report);
}

// The marks of the pupil's result code, in place of answers: printed as --check prints them,
// once the set is saved. A code refused leaves the file as it was.
int run(const SetResultCodeTask& task) {
    auto loaded = loadSetSheet(task.file, task.sheet);
    if (const int* status = std::get_if<int>(&loaded)) {
        return *status;
    }
    auto& set = std::get<SetFile>(loaded);
    SetSheet& sheet = set.sheets[static_cast<std::size_t>(task.sheet) - 1];
    const QByteArray typed = task.code.toUtf8();
    if (const ResultCodeFault fault = enterResultCode(sheet, view(typed));
        fault != ResultCodeFault::None) {
        return refuse({QStringLiteral("ciferon: list %1: %2")
                           .arg(task.sheet)
                           .arg(inLine(resultCodeRefusal(fault, view(typed)))),
                       usageFault});
    }
    const QByteArray report = checkReport(sheet.sheet, sheetItems(sheet.sheet), sheet.row->marks);
    if (const int status = saveSet(task.file, std::move(set)); status != 0) {
        return status;
    }
    return writeOut(report);
}

int run(const SetOverviewTask& task) {
    const auto loaded = loadSet(task.file);
    if (const int* status = std::get_if<int>(&loaded)) {
        return *status;
    }
    const auto& set = std::get<SetFile>(loaded);
    const Overview overview = overviewOf(set, task.scale);
    const QLatin1String standardOutput("-");
    const auto pdf = [&](const QString& path) {
        return writePdfOutput(
            path, toQString(overviewHeading(set.heading)),
            [&](QPagedPaintDevice& device) { return printOverview(device, set, overview); });
    };
    const std::string csv = task.csv.isEmpty() ? std::string() : overviewCsv(overview);
    const auto document = [&](DocumentFormat format) {
        return documentBytes(overviewDocument(set, overview), format);
    };
    // The files first, each whole or not at all; then on standard output the PDF, a document
    // or the CSV where "-" asks for it, else the text.
    if (!task.pdf.isEmpty() && task.pdf != standardOutput) {
        if (const int status = pdf(task.pdf); status != 0) {
            return status;
        }
    }
    for (const auto& [path, format] :
         {std::pair{task.docx, DocumentFormat::Docx}, std::pair{task.odt, DocumentFormat::Odt}}) {
        if (!path.isEmpty() && path != standardOutput) {
            if (const int status = writeDocument(path, document(format)); status != 0) {
                return status;
            }
        }
    }
    if (!task.csv.isEmpty() && task.csv != standardOutput) {
        QSaveFile file(task.csv);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(csv.data(), static_cast<qint64>(csv.size())) !=
                static_cast<qint64>(csv.size()) ||
            !file.commit()) {
            return fail(QStringLiteral("soubor „%1“ nelze zapsat: %2.")
                            .arg(task.csv, writeFailure(task.csv)));
        }
    }
    if (task.pdf == standardOutput) {
        return pdf(task.pdf);
    }
    if (task.docx == standardOutput) {
        return writeOut(QByteArray::fromStdString(document(DocumentFormat::Docx)));
    }
    if (task.odt == standardOutput) {
        return writeOut(QByteArray::fromStdString(document(DocumentFormat::Odt)));
    }
    if (task.csv == standardOutput) {
        return writeOut(QByteArray::fromStdString(csv));
    }
    return writeOut(QByteArray::fromStdString(overviewText(set, overview)));
}

// The sheets first: the new set is kept only once they are printed. The kept set is only read.
int run(const SetFollowUpTask& task) {
    if (const auto refusal = newSetRefusal(task.followUp, QStringLiteral("follow-up"))) {
        return refuse(*refusal);
    }
    const auto loaded = loadSet(task.file);
    if (const int* status = std::get_if<int>(&loaded)) {
        return *status;
    }
    const auto& set = std::get<SetFile>(loaded);
    const FollowUpPlan plan = followUpPlan(set, task.mode);
    if (!plan.refusal.empty()) {
        return refuse({QStringLiteral("ciferon: ") + inLine(plan.refusal), usageFault});
    }
    ClockRandom random;
    random.seed();
    SetFile made = followUpSet(set, plan, random);
    if (task.heading) {
        made.heading = *task.heading;
    }
    if (const int status = writeSheets({task.pdf}, classSetOf(made)); status != 0) {
        return status;
    }
    return saveSet(task.followUp, std::move(made));
}

int runWithoutWindow(const Task& task, char* program) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQtQuiet);
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    const QGuiApplication application(qtArgc, qtArgv);
    QGuiApplication::setApplicationName(QStringLiteral("ciferon"));
    QGuiApplication::setApplicationVersion(QStringLiteral(CIFERON_VERSION));
    return std::visit(
        [](const auto& mode) {
            if constexpr (std::is_same_v<std::decay_t<decltype(mode)>, WindowTask>) {
                return refuse(Refusal{QStringLiteral("ciferon: nečekaný příkazový řádek; volby "
                                                     "vypíše ciferon --help."),
                                      usageFault});
            } else {
                return run(mode);
            }
        },
        task);
}

}  // namespace ciferon::cli
