// Starts Ciferon: the main window, or, from the command line, a class set or one sheet
// written to a PDF file, one sheet's lists to standard output, or a pupil's answers to one
// sheet marked, without any window.
// The whole command line is read and checked before the program decides whether it needs a
// window, so that every mistake gets the same Czech line with or without a display.
#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "choice.h"
#include "form1.h"
#include "paper.h"
#include "results.h"
#include "run.h"
#include "sheet.h"

namespace {

// A mistake on the command line: nothing is done.
constexpr int usageFault = 2;
// A file or standard output that cannot be written, or a window without a display.
constexpr int runFault = 1;

void say(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int fail(const QString& why, int status = usageFault) {
    say(stderr, QStringLiteral("ciferon: %1\n").arg(why));
    return status;
}

// Without a window Qt's own notes, such as a missing runtime folder, would only clutter the
// one line that a failure prints; its critical messages still go through.
void keepQtQuiet(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        say(stderr, message + QLatin1Char('\n'));
    }
}

// What a command line asks for.
enum class Mode { Window, Help, Version, Sheets, CodePdf, CodeText, CodeCheck };

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Vypíše tuto nápovědu a skončí.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Vypíše verzi programu a skončí.")};
    QCommandLineOption sheets{
        QStringLiteral("sheets"),
        QStringLiteral("Pracovní listy pro třídu: N listů (1–%1), každý s jiným kódem, a klíč "
                       "k nim; zapíše je do souboru podle --pdf.")
            .arg(ciferon::classSetMax),
        QStringLiteral("N")};
    QCommandLineOption count{QStringLiteral("count"),
                             QStringLiteral("Příkladů na listu (1–%1, jinak %2).")
                                 .arg(ciferon::sheetCountMax)
                                 .arg(ciferon::sheetCountDefault),
                             QStringLiteral("M")};
    QCommandLineOption separator{
        QStringLiteral("separator"),
        QStringLiteral("Prázdný řádek po každém K-tém příkladu (1–%1, jinak %2).")
            .arg(ciferon::sheetSeparatorMax)
            .arg(ciferon::sheetSeparatorDefault),
        QStringLiteral("K")};
    QCommandLineOption kinds{
        QStringLiteral("kinds"),
        QStringLiteral("Jen tyto druhy příkladů na listech (čísla 1–%1 níže, jednotlivě "
                       "nebo jako rozsahy oddělené čárkou, třeba 11 nebo 1-3,14,15); jinak "
                       "všechny. Kód listu s výběrem má dvanáct znaků.")
            .arg(ciferon::kindCount),
        QStringLiteral("SEZNAM")};
    QCommandLineOption heading{
        QStringLiteral("heading"),
        QStringLiteral("Nadpis nad listy a klíčem (nejvýše %1 znaků).").arg(ciferon::headingMax),
        QStringLiteral("TEXT")};
    QCommandLineOption code{
        QStringLiteral("code"),
        QStringLiteral("List s tímto kódem (například %1) a jeho klíč: do souboru "
                       "s --pdf, na výstup s --text, odpovědi k němu s --check, jinak v okně "
                       "programu.")
            .arg(QStringLiteral("1DX2-DT93")),
        QStringLiteral("KÓD")};
    QCommandLineOption pdf{QStringLiteral("pdf"),
                           QStringLiteral("Zapíše listy a klíč do souboru PDF (- je standardní "
                                          "výstup) a skončí; nepotřebuje obrazovku."),
                           QStringLiteral("SOUBOR")};
    QCommandLineOption duplex{QStringLiteral("duplex"),
                              QStringLiteral("S --pdf pro oboustranný tisk: každý list i klíč "
                                             "začíná na liché stránce, na novém papíře.")};
    QCommandLineOption text{
        QStringLiteral("text"),
        QStringLiteral("Vypíše oba seznamy listu s kódem z --code přesně tak, jak by je "
                       "tlačítko „Kopíruj obě pole do schránky“ dalo do schránky, a skončí.")};
    QCommandLineOption check{
        QStringLiteral("check"),
        QStringLiteral("Vyhodnotí odpovědi žáka k listu s kódem z --code: v SOUBORU (- je "
                       "standardní vstup) odpověď na každý příklad na jednom řádku, bez "
                       "prázdných řádků mezi skupinami, u dělení se zbytkem třeba „8 (3)“ nebo "
                       "„8 zb. 3“; prázdný řádek je bez odpovědi. Vypíše u každého příkladu "
                       "„N. správně“, „N. chybně“ nebo „N. bez odpovědi“ a nakonec "
                       "„Správně S z T.“"),
        QStringLiteral("SOUBOR")};

    [[nodiscard]] QList<QCommandLineOption> all() const {
        return {help,    version, sheets, count,  separator, kinds,
                heading, code,    pdf,    duplex, text,      check};
    }
};

// The command line read and checked: everything its mode needs.
struct Task {
    Mode mode = Mode::Window;
    std::optional<ciferon::Sheet> sheet;  // --code
    int sheets = ciferon::classSetDefault;
    int count = ciferon::sheetCountDefault;
    int separator = ciferon::sheetSeparatorDefault;
    ciferon::KindChoice kinds = ciferon::allKinds;
    QString heading;
    QString pdf;    // "-" for standard output
    QString check;  // "-" for standard input
    bool duplex = false;
};

// The arguments that are Ciferon's, without Qt's own options of a graphical program, which
// the window passes on to Qt, and whether those choose a platform or a display.
struct Arguments {
    QStringList ours;
    QString platform;            // -platform NAME
    bool displayChosen = false;  // -display NAME
};

Arguments splitArguments(const QStringList& all, const QList<QCommandLineOption>& options) {
    static const QStringList qtWithValue{QStringLiteral("platform"),
                                         QStringLiteral("platformpluginpath"),
                                         QStringLiteral("platformtheme"),
                                         QStringLiteral("plugin"),
                                         QStringLiteral("display"),
                                         QStringLiteral("geometry"),
                                         QStringLiteral("qwindowgeometry"),
                                         QStringLiteral("qwindowicon"),
                                         QStringLiteral("qwindowtitle"),
                                         QStringLiteral("style"),
                                         QStringLiteral("stylesheet"),
                                         QStringLiteral("session"),
                                         QStringLiteral("name"),
                                         QStringLiteral("title")};
    static const QStringList qtFlags{QStringLiteral("reverse"), QStringLiteral("nograb"),
                                     QStringLiteral("dograb"), QStringLiteral("sync"),
                                     QStringLiteral("widgetcount")};
    const auto ourWithValue = [&options](const QString& name) {
        return std::any_of(options.begin(), options.end(), [&name](const QCommandLineOption& o) {
            return !o.valueName().isEmpty() && o.names().contains(name);
        });
    };
    Arguments arguments;
    arguments.ours << all.value(0);
    for (qsizetype i = 1; i < all.size(); ++i) {
        const QString& arg = all.at(i);
        if (arg == QLatin1String("--")) {
            arguments.ours << all.mid(i);
            break;
        }
        // Ours take two dashes; Qt takes its options with one or two.
        const QString bare = arg.startsWith(QLatin1String("--")) ? arg.mid(2) : arg.mid(1);
        const QString name = bare.left(bare.indexOf(QLatin1Char('=')));
        if (arg.startsWith(QLatin1String("--")) && ourWithValue(bare)) {
            arguments.ours << arg;
            if (i + 1 < all.size()) {
                arguments.ours << all.at(++i);
            }
            continue;
        }
        if (arg.startsWith(QLatin1Char('-')) &&
            (qtWithValue.contains(name) || qtFlags.contains(bare))) {
            // The value follows, or stands after "="; without one Qt chooses nothing.
            QString value = bare.mid(name.size() + 1);
            if (qtWithValue.contains(bare) && ++i < all.size()) {
                value = all.at(i);
            }
            if (name == QLatin1String("platform")) {
                arguments.platform = value;
            } else if (name == QLatin1String("display")) {
                arguments.displayChosen = arguments.displayChosen || !value.isEmpty();
            }
            continue;
        }
        arguments.ours << arg;
    }
    return arguments;
}

// The parser's complaint in Czech: an unknown option, or an option without the value it
// takes (last on the line) or with a value it does not take.
QString parseFault(const QCommandLineParser& parser, const QStringList& arguments,
                   const QList<QCommandLineOption>& options) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        return QStringLiteral("neznámá volba „%1“; volby vypíše ciferon --help.")
            .arg(unknown.constFirst());
    }
    for (const QCommandLineOption& option : options) {
        for (const QString& name : option.names()) {
            const QString dashed =
                (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
            if (!option.valueName().isEmpty() && arguments.constLast() == dashed) {
                return QStringLiteral("za volbou %1 chybí %2.").arg(dashed, option.valueName());
            }
            if (option.valueName().isEmpty() &&
                std::any_of(arguments.begin(), arguments.end(), [&dashed](const QString& arg) {
                    return arg.startsWith(dashed + QLatin1Char('='));
                })) {
                return QStringLiteral("volba %1 nemá hodnotu.").arg(dashed);
            }
        }
    }
    return parser.errorText();
}

// The mode from --help, --version, --sheets, --code and the output asked for.
std::optional<Mode> chooseMode(const QCommandLineParser& parser, const Options& o) {
    if (parser.isSet(o.help)) {
        return Mode::Help;
    }
    if (parser.isSet(o.version)) {
        return Mode::Version;
    }
    if (parser.isSet(o.sheets) && parser.isSet(o.code)) {
        fail(QStringLiteral("patří sem buď --sheets N, nebo --code KÓD."));
        return std::nullopt;
    }
    if (parser.isSet(o.sheets)) {
        if (!parser.isSet(o.pdf) || parser.isSet(o.text)) {
            fail(
                QStringLiteral("pracovní listy (--sheets) se zapisují do souboru "
                               "podle --pdf SOUBOR."));
            return std::nullopt;
        }
        return Mode::Sheets;
    }
    if (parser.isSet(o.code)) {
        const int outputs = (parser.isSet(o.pdf) ? 1 : 0) + (parser.isSet(o.text) ? 1 : 0) +
                            (parser.isSet(o.check) ? 1 : 0);
        if (outputs > 1) {
            fail(
                QStringLiteral("ke kódu patří jen jedno z --pdf SOUBOR, --text "
                               "a --check SOUBOR."));
            return std::nullopt;
        }
        return parser.isSet(o.pdf)     ? Mode::CodePdf
               : parser.isSet(o.text)  ? Mode::CodeText
               : parser.isSet(o.check) ? Mode::CodeCheck
                                       : Mode::Window;
    }
    return Mode::Window;
}

// Where each option belongs; given in any other mode, it is refused with its line.
struct Belonging {
    const QCommandLineOption* option;
    std::vector<Mode> modes;
    QString refusal;
};

bool belongs(const QCommandLineParser& parser, const Options& o, Mode mode) {
    const std::vector<Belonging> table{
        {&o.count,
         {Mode::Sheets},
         QStringLiteral("--count patří k --sheets N (list podle kódu má své počty).")},
        {&o.separator,
         {Mode::Sheets},
         QStringLiteral("--separator patří k --sheets N (list podle kódu má své počty).")},
        {&o.kinds,
         {Mode::Sheets},
         QStringLiteral("--kinds patří k --sheets N (list podle kódu má své druhy příkladů).")},
        {&o.heading,
         {Mode::Sheets, Mode::CodePdf},
         QStringLiteral("nadpis (--heading) patří k --pdf SOUBOR.")},
        {&o.duplex,
         {Mode::Sheets, Mode::CodePdf},
         QStringLiteral("oboustranný tisk (--duplex) patří k --pdf SOUBOR.")},
        {&o.pdf,
         {Mode::Sheets, Mode::CodePdf},
         QStringLiteral("--pdf SOUBOR patří k --sheets N nebo ke --code KÓD.")},
        {&o.text, {Mode::CodeText}, QStringLiteral("--text patří ke --code KÓD.")},
        {&o.check, {Mode::CodeCheck}, QStringLiteral("--check SOUBOR patří ke --code KÓD.")},
    };
    for (const Belonging& row : table) {
        if (parser.isSet(*row.option) &&
            std::find(row.modes.begin(), row.modes.end(), mode) == row.modes.end()) {
            fail(row.refusal);
            return false;
        }
    }
    return true;
}

// A whole number option in 1..maximum, or its default when not given.
std::optional<int> numberOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                                const QString& what, int maximum, int fallback) {
    if (!parser.isSet(option)) {
        return fallback;
    }
    const QString value = parser.value(option);
    bool whole = false;
    const int number = value.trimmed().toInt(&whole);
    if (!whole || number < 1 || number > maximum) {
        fail(QStringLiteral("%1 (--%2) musí být celé číslo od 1 do %3, ne „%4“.")
                 .arg(what, option.names().constFirst())
                 .arg(maximum)
                 .arg(value));
        return std::nullopt;
    }
    return number;
}

// Reads and checks the whole command line; on a mistake says why and gives nothing.
std::optional<Task> readCommandLine(QCommandLineParser& parser, const Options& o,
                                    const QStringList& arguments) {
    if (!parser.parse(arguments)) {
        fail(parseFault(parser, arguments, o.all()));
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        fail(QStringLiteral("nečekaný argument „%1“; volby vypíše ciferon --help.")
                 .arg(parser.positionalArguments().constFirst()));
        return std::nullopt;
    }
    const auto mode = chooseMode(parser, o);
    if (!mode) {
        return std::nullopt;
    }
    Task task;
    task.mode = *mode;
    if (task.mode == Mode::Help || task.mode == Mode::Version) {
        return task;
    }
    if (!belongs(parser, o, task.mode)) {
        return std::nullopt;
    }
    if (parser.isSet(o.code)) {
        const QString typed = parser.value(o.code);
        task.sheet = ciferon::readSheetCode(typed.toStdString());
        if (!task.sheet) {
            fail(QStringLiteral("kód listu „%1“ není platný.").arg(typed));
            return std::nullopt;
        }
    }
    if (task.mode == Mode::Sheets) {
        const auto sheets = numberOption(parser, o.sheets, QStringLiteral("počet listů"),
                                         ciferon::classSetMax, ciferon::classSetDefault);
        const auto count = numberOption(parser, o.count, QStringLiteral("počet příkladů"),
                                        ciferon::sheetCountMax, ciferon::sheetCountDefault);
        const auto separator =
            numberOption(parser, o.separator, QStringLiteral("oddělování"),
                         ciferon::sheetSeparatorMax, ciferon::sheetSeparatorDefault);
        if (!sheets || !count || !separator) {
            return std::nullopt;
        }
        task.sheets = *sheets;
        task.count = *count;
        task.separator = *separator;
    }
    if (parser.isSet(o.kinds)) {
        const QString list = parser.value(o.kinds);
        const auto kinds = ciferon::readKindList(list.toStdString());
        if (!kinds) {
            fail(QStringLiteral("druhy příkladů (--kinds) jsou čísla od 1 do %1 jednotlivě "
                                "nebo jako rozsahy oddělené čárkou, třeba 11 nebo 1-3,14,15, "
                                "ne „%2“.")
                     .arg(ciferon::kindCount)
                     .arg(list));
            return std::nullopt;
        }
        task.kinds = *kinds;
    }
    task.heading = parser.value(o.heading).trimmed();
    if (task.heading.size() > ciferon::headingMax) {
        fail(QStringLiteral("nadpis (--heading) smí mít nejvýše %1 znaků.")
                 .arg(ciferon::headingMax));
        return std::nullopt;
    }
    task.pdf = parser.value(o.pdf);
    if (parser.isSet(o.pdf) && task.pdf.isEmpty()) {
        fail(QStringLiteral("chybí jméno souboru PDF."));
        return std::nullopt;
    }
    task.check = parser.value(o.check);
    if (parser.isSet(o.check) && task.check.isEmpty()) {
        fail(QStringLiteral("chybí jméno souboru s odpověďmi."));
        return std::nullopt;
    }
    task.duplex = parser.isSet(o.duplex);
    return task;
}

// Whether Qt has a screen to open the window on. The platforms named by -platform or
// QT_QPA_PLATFORM (a list, each tried in turn) decide: X11 needs a display and Wayland a
// compositor, any other (offscreen, vnc, eglfs…) brings its own; with none named, Qt takes
// whichever of the two is there.
bool screenAvailable(const Arguments& arguments) {
    const bool x11 = arguments.displayChosen || !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString named =
        arguments.platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : arguments.platform;
    const QStringList platforms = named.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (platforms.isEmpty()) {
        return x11 || wayland;
    }
    return std::any_of(platforms.begin(), platforms.end(), [&](const QString& platform) {
        return platform.startsWith(QLatin1String("xcb"))       ? x11
               : platform.startsWith(QLatin1String("wayland")) ? wayland
                                                               : true;
    });
}

int writeOut(const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
        return fail(QStringLiteral("výstup nelze zapsat."), runFault);
    }
    return 0;
}

// The sheets and their key to the PDF file, or with "-" to standard output once complete.
int writeSheets(const Task& task, const std::vector<ciferon::PaperSheet>& sheets) {
    const QString title = task.heading.isEmpty() ? QStringLiteral("Pracovní listy") : task.heading;
    const auto draw = [&](QPagedPaintDevice& device) {
        return ciferon::printSheets(device, sheets, {task.heading, task.duplex});
    };
    if (task.pdf == QLatin1String("-")) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!ciferon::drawPdf(buffer, title, draw)) {
            return fail(QStringLiteral("PDF nelze vytvořit."), runFault);
        }
        return writeOut(buffer.data());
    }
    const QString fault = ciferon::writePdf(task.pdf, title, draw);
    if (!fault.isEmpty()) {
        return fail(QStringLiteral("soubor „%1“ nelze zapsat: %2").arg(task.pdf, fault), runFault);
    }
    return 0;
}

// Writes exactly what the copy button would put on the clipboard for that sheet.
int writeText(const ciferon::Sheet& sheet) {
    const ciferon::Lists lists = ciferon::sheetLists(sheet);
    const std::string bytes = lists.exercises + std::string(ciferon::crlf) + lists.solutions;
    return writeOut(QByteArray::fromStdString(bytes));
}

// A pupil's answers to the sheet, one line per exercise, marked by the core: one line per
// exercise and the summary. The file is read whole first, so that nothing is printed for a
// file that cannot be read or has more lines than the sheet has exercises.
int checkAnswers(const Task& task) {
    // Far more than any sheet's answers: 200 lines of the longest answer the core reads.
    constexpr qint64 readMax = qint64{1} << 20;
    const bool standardInput = task.check == QLatin1String("-");
    const QString name = standardInput ? QStringLiteral("standardní vstup") : task.check;
    QFile file(task.check);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    QByteArray bytes;
    while (opened && bytes.size() <= readMax) {
        const QByteArray piece = file.read(readMax + 1 - bytes.size());
        if (piece.isEmpty()) {
            break;
        }
        bytes += piece;
    }
    if (!opened || file.error() != QFileDevice::NoError) {
        const QString why = !standardInput && !QFileInfo::exists(task.check)
                                ? QStringLiteral("soubor neexistuje")
                                : file.errorString();
        return fail(QStringLiteral("odpovědi („%1“) nelze přečíst: %2").arg(name, why), runFault);
    }
    // The mark with which Notepad and spreadsheets begin UTF-8 text is not an answer.
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.constLast().isEmpty()) {
        lines.removeLast();  // the line break that ends the last line
    }
    const std::vector<ciferon::Result> results = ciferon::sheetResults(*task.sheet);
    // Empty lines after the last exercise's answer answer nothing; only text is too much.
    while (lines.size() > static_cast<qsizetype>(results.size()) &&
           lines.constLast().trimmed().isEmpty()) {
        lines.removeLast();
    }
    if (bytes.size() > readMax || lines.size() > static_cast<qsizetype>(results.size())) {
        return fail(QStringLiteral("odpovědi („%1“) mají víc řádků, než má list příkladů (%2); "
                                   "patří sem jeden řádek na příklad, bez prázdných řádků "
                                   "mezi skupinami.")
                        .arg(name)
                        .arg(results.size()));
    }
    QString report;
    std::vector<ciferon::Mark> marks;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto line = static_cast<qsizetype>(i) < lines.size()
                              ? lines.at(static_cast<qsizetype>(i)).toStdString()
                              : std::string();
        const ciferon::Mark mark = ciferon::markAnswerLine(results.at(i), line);
        marks.push_back(mark);
        report += QStringLiteral("%1. %2\n")
                      .arg(i + 1)
                      .arg(QString::fromStdString(std::string(ciferon::markWord(mark))));
    }
    report += QString::fromStdString(ciferon::summaryText(marks));
    return writeOut((report + QLatin1Char('\n')).toUtf8());
}

// The options, then the kinds of exercise by topic with the numbers that --kinds takes.
QString helpText(const QCommandLineParser& parser) {
    QString text = parser.helpText() + QStringLiteral("\nDruhy příkladů pro --kinds:\n");
    for (const ciferon::KindTopic& topic : ciferon::kindTopics()) {
        text += QStringLiteral("  %1\n").arg(
            QString::fromUtf8(topic.name.data(), static_cast<qsizetype>(topic.name.size())));
        for (const int kind : topic.kinds) {
            const std::string_view name = ciferon::kindName(kind);
            text += QStringLiteral("  %1  %2\n")
                        .arg(kind + 1, 4)
                        .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
    }
    return text;
}

// A task without a window, once the application exists.
int carryOut(const Task& task, const QCommandLineParser& parser) {
    switch (task.mode) {
        case Mode::Help:
            say(stdout, helpText(parser));
            return 0;
        case Mode::Version:
            say(stdout, QStringLiteral("ciferon %1\n").arg(QStringLiteral(CIFERON_VERSION)));
            return 0;
        case Mode::Sheets: {
            ciferon::ClockRandom random;
            random.seed();
            return writeSheets(
                task, ciferon::paperSheets(ciferon::classSet(task.sheets, task.count,
                                                             task.separator, random, task.kinds)));
        }
        case Mode::CodePdf:
            return writeSheets(task, {ciferon::paperSheet(*task.sheet)});
        case Mode::CodeText:
            return writeText(*task.sheet);
        case Mode::CodeCheck:
            return checkAnswers(task);
        case Mode::Window:
            break;
    }
    return fail(QStringLiteral("nečekaný příkazový řádek; volby vypíše ciferon --help."));
}

}  // namespace

int main(int argc, char* argv[]) {
    QStringList all;
    for (int i = 0; i < argc; ++i) {
        all << QString::fromLocal8Bit(argv[i]);
    }
    const Options options;
    const Arguments arguments = splitArguments(all, options.all());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Příklady z aritmetiky pro pátou třídu s úplným řešením, na obrazovce "
                       "i jako pracovní listy pro celou třídu s klíčem."));
    parser.addOptions(options.all());
    const auto task = readCommandLine(parser, options, arguments.ours);
    if (!task) {
        return usageFault;
    }

    if (task->mode != Mode::Window) {
        // Without a window nothing needs a display: Qt's offscreen platform lays out and
        // writes the PDF just the same. Qt's own options are the window's, so Qt sees none.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(keepQtQuiet);
        int qtArgc = 1;
        const QGuiApplication application(qtArgc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("ciferon"));
        QGuiApplication::setApplicationVersion(QStringLiteral(CIFERON_VERSION));
        return carryOut(*task, parser);
    }

    if (!screenAvailable(arguments)) {
        return fail(QStringLiteral("okno programu nelze otevřít, protože tu není obrazovka "
                                   "(DISPLAY ani WAYLAND_DISPLAY); bez ní pracují --sheets, "
                                   "--pdf, --text a --check."),
                    runFault);
    }
    const QApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("ciferon"));
    QGuiApplication::setApplicationVersion(QStringLiteral(CIFERON_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.ciferon.Ciferon"));
    ciferon::useCzechDialogButtons();
    ciferon::useStartUpStyle();
    ciferon::DialogPrompts prompts;
    ciferon::ClockRandom random;
    ciferon::Form1 form(prompts, random);
    if (task->sheet) {
        form.openSheet(*task->sheet);
    }
    form.show();
    return QGuiApplication::exec();
}
