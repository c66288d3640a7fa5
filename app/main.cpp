// Starts Ciferon: the main window, or, from the command line, a class set or one sheet
// written to a PDF file or one sheet's lists to standard output, without any window.
#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <optional>

#include "form1.h"
#include "paper.h"
#include "run.h"
#include "sheet.h"

namespace {

constexpr int usageFault = 2;
constexpr int writeFault = 1;
constexpr qsizetype headingMax = 80;

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

// Qt's own options of a graphical program, which the window passes on to Qt; the first
// group takes a value.
bool skipQtOption(const QByteArray& arg, int& i) {
    static const QList<QByteArray> withValue{"-platform",
                                             "-platformpluginpath",
                                             "-platformtheme",
                                             "-plugin",
                                             "-display",
                                             "-geometry",
                                             "-qwindowgeometry",
                                             "-qwindowicon",
                                             "-qwindowtitle",
                                             "-style",
                                             "-stylesheet",
                                             "-session",
                                             "-name",
                                             "-title"};
    static const QList<QByteArray> flags{"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount"};
    if (withValue.contains(arg)) {
        ++i;
        return true;
    }
    return flags.contains(arg) || withValue.contains(arg.left(arg.indexOf('=')));
}

// Only `--code CODE` and Qt's own options open the window; every other command line is
// carried out without a display, or refused.
bool needsWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--code") {
            ++i;
        } else if (!arg.startsWith("--code=") && !skipQtOption(arg, i)) {
            return false;
        }
    }
    return true;
}

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Vypíše tuto nápovědu a skončí.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Vypíše verzi programu a skončí.")};
    QCommandLineOption sheets{
        QStringLiteral("sheets"),
        QStringLiteral("Pracovní listy pro třídu: N listů (1–40), každý s jiným kódem, a klíč "
                       "k nim; zapíše je do souboru podle --pdf."),
        QStringLiteral("N")};
    QCommandLineOption count{QStringLiteral("count"),
                             QStringLiteral("Příkladů na listu (1–200, jinak 20)."),
                             QStringLiteral("M")};
    QCommandLineOption separator{
        QStringLiteral("separator"),
        QStringLiteral("Prázdný řádek po každém K-tém příkladu (1–20, jinak 5)."),
        QStringLiteral("K")};
    QCommandLineOption heading{QStringLiteral("heading"),
                               QStringLiteral("Nadpis nad listy a klíčem (nejvýše 80 znaků)."),
                               QStringLiteral("TEXT")};
    QCommandLineOption code{QStringLiteral("code"),
                            QStringLiteral("List s tímto kódem a jeho klíč: s --pdf do souboru, "
                                           "s --text na výstup, jinak v okně programu."),
                            QStringLiteral("KÓD")};
    QCommandLineOption pdf{QStringLiteral("pdf"),
                           QStringLiteral("Zapíše listy a klíč do souboru PDF a skončí; "
                                          "nepotřebuje obrazovku."),
                           QStringLiteral("SOUBOR")};
    QCommandLineOption text{
        QStringLiteral("text"),
        QStringLiteral("Vypíše listu podle --code oba seznamy přesně tak, jak by je tlačítko "
                       "„Kopíruj obě pole do schránky“ dalo do schránky, a skončí.")};
};

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

int writeSheets(const QString& path, const std::vector<ciferon::PaperSheet>& sheets,
                const QString& heading) {
    if (path.isEmpty()) {
        return fail(QStringLiteral("chybí jméno souboru PDF."));
    }
    const QString fault =
        ciferon::writePdf(path, heading.isEmpty() ? QStringLiteral("Pracovní listy") : heading,
                          [&](QPagedPaintDevice& device) {
                              return ciferon::printSheets(device, sheets, {heading, false});
                          });
    if (!fault.isEmpty()) {
        return fail(QStringLiteral("soubor „%1“ nelze zapsat: %2").arg(path, fault), writeFault);
    }
    return 0;
}

// Writes exactly what the copy button would put on the clipboard for that sheet.
int writeText(const ciferon::Sheet& sheet) {
    const ciferon::Lists lists = ciferon::sheetLists(sheet);
    const std::string bytes = lists.exercises + std::string(ciferon::crlf) + lists.solutions;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        return fail(QStringLiteral("výstup nelze zapsat."), writeFault);
    }
    return 0;
}

// What the command line asks for, once the application exists. Returns the exit status, or
// nothing when the window is to open (with `opened` set for --code).
std::optional<int> carryOut(const QStringList& arguments, std::optional<ciferon::Sheet>& opened) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Příklady z aritmetiky pro pátou třídu s úplným řešením, na obrazovce "
                       "i jako pracovní listy pro celou třídu s klíčem."));
    const Options o;
    parser.addOptions(
        {o.help, o.version, o.sheets, o.count, o.separator, o.heading, o.code, o.pdf, o.text});
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return fail(unknown.isEmpty()
                        ? parser.errorText()
                        : QStringLiteral("neznámá volba „%1“; volby vypíše ciferon --help.")
                              .arg(unknown.constFirst()));
    }
    if (parser.isSet(o.help)) {
        say(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(o.version)) {
        say(stdout, QStringLiteral("ciferon %1\n").arg(QStringLiteral(CIFERON_VERSION)));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return fail(QStringLiteral("nečekaný argument „%1“; volby vypíše ciferon --help.")
                        .arg(parser.positionalArguments().constFirst()));
    }
    const QString heading = parser.value(o.heading).trimmed();
    if (heading.size() > headingMax) {
        return fail(QStringLiteral("nadpis (--heading) smí mít nejvýše 80 znaků."));
    }
    const bool sheets = parser.isSet(o.sheets);
    const bool code = parser.isSet(o.code);
    if (sheets == code &&
        (sheets || parser.isSet(o.pdf) || parser.isSet(o.text) || parser.isSet(o.heading) ||
         parser.isSet(o.count) || parser.isSet(o.separator))) {
        return fail(QStringLiteral("patří sem buď --sheets N, nebo --code KÓD."));
    }

    if (sheets) {
        if (!parser.isSet(o.pdf) || parser.isSet(o.text)) {
            return fail(
                QStringLiteral("pracovní listy (--sheets) se zapisují do souboru "
                               "podle --pdf SOUBOR."));
        }
        const auto number =
            numberOption(parser, o.sheets, QStringLiteral("počet listů"), ciferon::classSetMax, 25);
        const auto count = numberOption(parser, o.count, QStringLiteral("počet příkladů"),
                                        ciferon::sheetCountMax, 20);
        const auto separator = numberOption(parser, o.separator, QStringLiteral("oddělování"),
                                            ciferon::sheetSeparatorMax, 5);
        if (!number || !count || !separator) {
            return usageFault;
        }
        ciferon::ClockRandom random;
        random.seed();
        return writeSheets(
            parser.value(o.pdf),
            ciferon::paperSheets(ciferon::classSet(*number, *count, *separator, random)), heading);
    }
    if (code) {
        if (parser.isSet(o.count) || parser.isSet(o.separator)) {
            return fail(
                QStringLiteral("list podle kódu má své počty; --count a --separator "
                               "patří k --sheets."));
        }
        const QString typed = parser.value(o.code);
        const auto sheet = ciferon::readSheetCode(typed.toStdString());
        if (!sheet) {
            return fail(QStringLiteral("kód listu „%1“ není platný.").arg(typed));
        }
        if (parser.isSet(o.pdf) && parser.isSet(o.text)) {
            return fail(QStringLiteral("buď --pdf SOUBOR, nebo --text."));
        }
        if (parser.isSet(o.pdf)) {
            return writeSheets(parser.value(o.pdf), {ciferon::paperSheet(*sheet)}, heading);
        }
        if (parser.isSet(o.text)) {
            return parser.isSet(o.heading)
                       ? fail(QStringLiteral("--text vypisuje jen seznamy, bez nadpisu."))
                       : writeText(*sheet);
        }
        if (parser.isSet(o.heading)) {
            return fail(QStringLiteral("nadpis (--heading) patří k --pdf."));
        }
        opened = sheet;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool window = needsWindow(argc, argv);
    // Without a window nothing needs a display: Qt's offscreen platform lays out and
    // writes the PDF just the same.
    if (!window) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(keepQtQuiet);
    }
    const std::unique_ptr<QGuiApplication> application =
        window ? std::make_unique<QApplication>(argc, argv)
               : std::make_unique<QGuiApplication>(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("ciferon"));
    QGuiApplication::setApplicationVersion(QStringLiteral(CIFERON_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.ciferon.Ciferon"));
    ciferon::useCzechDialogButtons();

    std::optional<ciferon::Sheet> opened;
    if (const auto status = carryOut(QCoreApplication::arguments(), opened)) {
        return *status;
    }
    if (!window) {
        return fail(QStringLiteral("nečekaný příkazový řádek; volby vypíše ciferon --help."));
    }
    ciferon::useStartUpStyle();
    ciferon::DialogPrompts prompts;
    ciferon::ClockRandom random;
    ciferon::Form1 form(prompts, random);
    if (opened) {
        form.openSheet(*opened);
    }
    form.show();
    return QGuiApplication::exec();
}
