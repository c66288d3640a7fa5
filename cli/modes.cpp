#include "modes.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "classset/classset.h"
#include "codes/items.h"
#include "marking/answer_file.h"
#include "marking/results.h"
#include "page_type.h"
#include "paper.h"

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

// The sheets and their key to the PDF file, or with "-" to standard output once complete.
int writeSheets(const PdfOutput& pdf, const ClassSet& set) {
    const QString title = set.settings.heading.empty() ? QStringLiteral("Pracovní listy")
                                                       : toQString(set.settings.heading);
    const auto draw = [&set](QPagedPaintDevice& device) { return printClassSet(device, set); };
    if (pdf.path == QLatin1String("-")) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!drawPdf(buffer, title, draw)) {
            return fail(QStringLiteral("PDF nelze vytvořit."));
        }
        return writeOut(buffer.data());
    }
    const QString fault = writePdf(pdf.path, title, draw);
    if (!fault.isEmpty()) {
        return fail(QStringLiteral("soubor „%1“ nelze zapsat: %2").arg(pdf.path, fault));
    }
    return 0;
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

std::variant<QString, Refusal> checkReport(const CodeCheckTask& task) {
    const bool standardInput = task.answers == QLatin1String("-");
    const QString name = standardInput ? QStringLiteral("standardní vstup") : task.answers;
    const auto cannotRead = [&name](const QString& why) {
        return Refusal{QStringLiteral("ciferon: odpovědi („%1“) nelze přečíst: %2.").arg(name, why),
                       runFault};
    };
    const QFileInfo info(task.answers);
    if (!standardInput && !info.exists()) {
        return cannotRead(QStringLiteral("soubor neexistuje"));
    }
    if (!standardInput && info.isDir()) {
        return cannotRead(QStringLiteral("je to složka, ne soubor"));
    }
    QFile file(task.answers);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    // One byte beyond the core's limit tells a file that is too long.
    constexpr auto readMax = static_cast<qint64>(answerFileMax) + 1;
    QByteArray bytes;
    while (opened && bytes.size() < readMax) {
        const QByteArray piece = file.read(readMax - bytes.size());
        if (piece.isEmpty()) {
            break;
        }
        bytes += piece;
    }
    if (!opened) {
        return cannotRead(QStringLiteral("soubor nelze otevřít"));
    }
    if (file.error() != QFileDevice::NoError) {
        return cannotRead(QStringLiteral("při čtení nastala chyba"));
    }
    const std::vector<SheetItem> items = sheetItems(task.sheet);
    const FileMarks marks = markAnswerFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), items);
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
    QString report;
    // "N. chybně – TEXT" where a mistake gives exactly the answer; the summary's lines count
    // the mistakes named.
    for (std::size_t i = 0; i < items.size(); ++i) {
        report += toQString(checkLine(items[i].number, marks.marks[i])) + QLatin1Char('\n');
    }
    report += toQString(summaryText(marks.marks)) + QLatin1Char('\n');
    return report;
}

int run(const CodeCheckTask& task) {
    const std::variant<QString, Refusal> report = checkReport(task);
    if (const auto* refusal = std::get_if<Refusal>(&report)) {
        return refuse(*refusal);
    }
    return writeOut(std::get<QString>(report).toUtf8());
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
