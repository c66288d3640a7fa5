#include "arguments.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <string>

#include "classset/classset.h"
#include "classset/entry.h"
#include "codes/choice.h"
#include "page_type.h"
#include "texts/texts.h"

namespace ciferon::cli {

namespace {

// Ciferon's own options, in the order --help lists them.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Vypíše tuto nápovědu a skončí.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Vypíše verzi programu a skončí.")};
    QCommandLineOption sheets{
        QStringLiteral("sheets"),
        QStringLiteral("Pracovní listy pro třídu: N listů (1–%1), každý s jiným kódem, a klíč "
                       "k nim; zapíše je do souboru podle --pdf.")
            .arg(classSetMax),
        QStringLiteral("N")};
    QCommandLineOption count{QStringLiteral("count"),
                             QStringLiteral("Příkladů na listu (1–%1, jinak %2).")
                                 .arg(sheetCountMax)
                                 .arg(sheetCountDefault),
                             QStringLiteral("M")};
    QCommandLineOption separator{
        QStringLiteral("separator"),
        QStringLiteral("Prázdný řádek po každém K-tém příkladu (1–%1, jinak %2).")
            .arg(sheetSeparatorMax)
            .arg(sheetSeparatorDefault),
        QStringLiteral("K")};
    QCommandLineOption kinds{
        QStringLiteral("kinds"),
        QStringLiteral("Jen tyto druhy příkladů na listech (čísla 1–%1 níže, jednotlivě "
                       "nebo jako rozsahy oddělené čárkou, třeba 11 nebo 1-3,14,15); jinak "
                       "všechny. Kód listu s výběrem má dvanáct znaků.")
            .arg(kindCount),
        QStringLiteral("SEZNAM")};
    QCommandLineOption codes{
        QStringLiteral("codes"),
        QStringLiteral("Pracovní listy pro třídu s těmito kódy (oddělenými čárkou, nejvýše "
                       "%1), očíslované v jejich pořadí, a klíč k nim; zapíše je do souboru "
                       "podle --pdf.")
            .arg(classSetMax),
        QStringLiteral("KÓDY")};
    QCommandLineOption heading{
        QStringLiteral("heading"),
        QStringLiteral("Nadpis nad listy a klíčem (nejvýše %1 znaků).").arg(headingMax),
        QStringLiteral("TEXT")};
    QCommandLineOption code{
        QStringLiteral("code"),
        QStringLiteral("List s tímto kódem (například %1) a jeho klíč: do souboru "
                       "s --pdf, na výstup s --text, odpovědi k němu s --check, jinak v okně "
                       "programu.")
            .arg(QStringLiteral("1DX2-DT93")),
        QStringLiteral("KÓD")};
    QCommandLineOption adapted{
        QStringLiteral("adapted"),
        QStringLiteral("S --sheets tyto listy upravené pro žáky s podpůrnými opatřeními "
                       "(větší bezpatkové písmo, víc místa, jeden příklad na řádku), čísla listů "
                       "jednotlivě nebo jako rozsahy oddělené čárkou, třeba 3,7-8, nebo all pro "
                       "všechny; s --code KÓD --pdf jen all. Kódy a klíč zůstávají."),
        QStringLiteral("SEZNAM")};
    QCommandLineOption adaptedCount{
        QStringLiteral("adapted-count"),
        QStringLiteral("Příkladů na upraveném listu (1 až --count, jinak jako na ostatních)."),
        QStringLiteral("M")};
    QCommandLineOption pdf{QStringLiteral("pdf"),
                           QStringLiteral("Zapíše listy a klíč do souboru PDF (- je standardní "
                                          "výstup) a skončí; nepotřebuje obrazovku."),
                           QStringLiteral("SOUBOR")};
    QCommandLineOption docx{
        QStringLiteral("docx"),
        QStringLiteral("Zapíše listy a klíč jako upravitelný dokument DOCX pro Word a LibreOffice "
                       "(- je standardní výstup), kde jde --pdf; s ním i vedle PDF. S --set a "
                       "--overview přehled třídy. Oboustranný tisk nechává na textovém "
                       "editoru."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption odt{
        QStringLiteral("odt"),
        QStringLiteral("Totéž jako --docx, jako dokument ODT (OpenDocument) pro LibreOffice."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption duplex{QStringLiteral("duplex"),
                              QStringLiteral("S --pdf pro oboustranný tisk: každý list i klíč "
                                             "začíná na liché stránce, na novém papíře.")};
    QCommandLineOption mistakes{
        QStringLiteral("mistakes"),
        QStringLiteral("S --pdf uvede v klíči u každého výsledku v hranatých závorkách chybné "
                       "výsledky častých chyb: Z – počítáno zleva doprava, D – přechod přes "
                       "desítku, J – jednotky obráceně, V – zbytek větší než dělitel, P – "
                       "prohozený podíl a zbytek.")};
    QCommandLineOption text{
        QStringLiteral("text"),
        QStringLiteral("Vypíše oba seznamy listu s kódem z --code přesně tak, jak by je "
                       "tlačítko „Kopíruj obě pole do schránky“ dalo do schránky, a skončí.")};
    QCommandLineOption check{
        QStringLiteral("check"),
        QStringLiteral("Vyhodnotí odpovědi žáka k listu s kódem z --code: v SOUBORU (- je "
                       "standardní vstup) odpověď na každý příklad na jednom řádku, bez "
                       "prázdných řádků mezi skupinami, u dělení se zbytkem třeba „8 (3)“, "
                       "„8 zb. 3“, „8zb3“ nebo „8 zbytek 3“; prázdný řádek je bez odpovědi. "
                       "Vypíše u každého příkladu „N. správně“, „N. chybně“ (s pravděpodobnou "
                       "chybou „N. chybně – …“, lze-li ji poznat), „N. nečitelné – napiš číslo“ "
                       "nebo „N. bez odpovědi“ a nakonec „Správně S z T.“ s řádkem za každou "
                       "pojmenovanou chybu. Soubor, který není text v UTF-8, odmítne."),
        QStringLiteral("SOUBOR")};

    QCommandLineOption saveSet{
        QStringLiteral("save-set"),
        QStringLiteral("S --sheets N nebo --codes KÓDY uloží sadu listů do SOUBORU (třeba "
                       "5A-deleni.ciferon): nadpis, kódy, upravené listy a volby tisku; s --pdf "
                       "ji i vytiskne."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption set{
        QStringLiteral("set"),
        QStringLiteral("Uložená sada listů: s --pdf ji vytiskne znovu, s --names do ní uloží "
                       "jména žáků, se --sheet N --answers odpovědi listu N, s --overview "
                       "vypíše přehled třídy a s --follow-up z ní udělá novou sadu podle "
                       "výsledků."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption names{
        QStringLiteral("names"),
        QStringLiteral("Se --set uloží jména žáků ze SOUBORU (- je standardní vstup): jedno na "
                       "řádek v pořadí listů, prázdný řádek nechá list bez jména."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption sheet{QStringLiteral("sheet"),
                             QStringLiteral("Se --set a --answers nebo --result-code číslo listu v "
                                            "sadě, od 1."),
                             QStringLiteral("N")};
    QCommandLineOption answers{
        QStringLiteral("answers"),
        QStringLiteral("Se --set a --sheet N vyhodnotí odpovědi listu N přesně jako --check, "
                       "vypíše totéž a uloží je do sady; znovu zadaný list nahradí."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption resultCode{
        QStringLiteral("result-code"),
        QStringLiteral("Se --set a --sheet N zapíše do sady výsledky listu N podle kódu výsledku "
                       "z žákovy kontroly (místo odpovědí) a vypíše je jako --check."),
        QStringLiteral("KÓD")};
    QCommandLineOption overview{
        QStringLiteral("overview"),
        QStringLiteral("Se --set vypíše přehled třídy: žáky se známkou, druhy příkladů od "
                       "nejslabšího, časté chyby a nejčastěji chybné příklady; s --pdf SOUBOR "
                       "ho zapíše i jako PDF na A4 (- je standardní výstup místo textu).")};
    QCommandLineOption csv{
        QStringLiteral("csv"),
        QStringLiteral("S --overview zapíše přehled i jako tabulku CSV pro Excel a Calc "
                       "(- je standardní výstup místo textu)."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption scale{
        QStringLiteral("scale"),
        QStringLiteral("S --overview nejmenší procenta pro známky 1 až 4 (jinak 90,75,50,30)."),
        QStringLiteral("SEZNAM")};
    QCommandLineOption followUp{
        QStringLiteral("follow-up"),
        QStringLiteral("Se --set a --pdf nová sada listů podle výsledků uložené sady: každý žák "
                       "procvičí druhy příkladů, ve kterých chyboval nebo neodpověděl; kdo měl "
                       "vše správně, procvičí druhy sady, a neodevzdaný list dostane tři "
                       "nejslabší druhy třídy. Čísla listů, jména, počty příkladů a upravené "
                       "listy zůstávají, kódy jsou nové a klíč u každého uvádí jeho druhy. "
                       "Nadpis zůstává, jiný dá --heading. Po vytištění uloží novou sadu do "
                       "SOUBORU (existující nepřepíše); uloženou sadu nemění."),
        QStringLiteral("SOUBOR")};
    QCommandLineOption weakest{
        QStringLiteral("weakest"),
        QStringLiteral("S --follow-up celá třída procvičí nejslabší druhy třídy: tři druhy sady "
                       "s nejmenším podílem správných odpovědí.")};

    [[nodiscard]] QList<QCommandLineOption> all() const {
        return {help,       version,  sheets,       count, separator, kinds,    codes, heading,
                code,       adapted,  adaptedCount, pdf,   duplex,    mistakes, text,  check,
                saveSet,    set,      names,        sheet, answers,   overview, csv,   scale,
                resultCode, followUp, weakest,      docx,  odt};
    }
};

// What a command line asks for, while it is read.
enum class Mode {
    Window,
    Help,
    Version,
    Sheets,
    Codes,
    CodePdf,
    CodeText,
    CodeCheck,
    SetPdf,
    SetNames,
    SetAnswers,
    SetResultCode,
    SetOverview,
    SetFollowUp
};

Refusal refuse(const QString& why) {
    return {QStringLiteral("ciferon: ") + why, usageFault};
}

// A class-set problem in the command line's words, from its field, its limit and the value
// refused: the setting named with the option that gave it, and for a number or a list the
// value as typed (`typed`, else the core's): «počet listů (--sheets) musí být … do 40, ne
// „41“.»
Refusal settingRefusal(const ClassSetProblem& problem, const std::optional<QString>& typed) {
    const QString value = typed.value_or(toQString(problem.value));
    const auto range = [&](const QString& option) {
        return QStringLiteral("%1 (--%2) musí být celé číslo od 1 do %3, ne „%4“.")
            .arg(toQString(fieldName(problem.field)), option)
            .arg(problem.limit)
            .arg(value);
    };
    switch (problem.field) {
        case ClassSetField::Sheets:
            return refuse(range(QStringLiteral("sheets")));
        case ClassSetField::Count:
            return refuse(range(QStringLiteral("count")));
        case ClassSetField::Separator:
            return refuse(range(QStringLiteral("separator")));
        case ClassSetField::AdaptedCount:
            return refuse(range(QStringLiteral("adapted-count")));
        case ClassSetField::Heading:
            return refuse(
                QStringLiteral("nadpis (--heading) smí mít nejvýše %1 znaků.").arg(problem.limit));
        case ClassSetField::Adapted:
            // A list that only names a sheet beyond the set is told which.
            if (const std::optional<int> beyond =
                    adaptedSheetBeyond(value.toStdString(), problem.limit)) {
                return refuse(
                    QStringLiteral("upravené listy (--adapted) jsou listy této sady, od 1 "
                                   "do %1; list %2 v ní není.")
                        .arg(problem.limit)
                        .arg(*beyond));
            }
            // The command line's word for every sheet is "all", as its help says.
            return refuse(QStringLiteral("upravené listy (--adapted) jsou čísla listů od 1 do %1 "
                                         "jednotlivě nebo jako rozsahy oddělené čárkou, třeba "
                                         "3, 7 nebo 3,7-8, nebo all, ne „%2“.")
                              .arg(problem.limit)
                              .arg(value));
        case ClassSetField::Codes:
            if (problem.value == "0") {
                return refuse(QStringLiteral("seznam kódů (--codes) je prázdný."));
            }
            return refuse(QStringLiteral("seznam kódů (--codes) smí mít nejvýše %1 kódů, ne %2.")
                              .arg(problem.limit)
                              .arg(value));
        case ClassSetField::Code:
            return refuse(toQString(codeNotValid(value.toStdString())) + QLatin1Char('.'));
        case ClassSetField::RepeatedCode:
            return refuse(QStringLiteral("kód listu „%1“ je v seznamu kódů (--codes) dvakrát; "
                                         "dva žáci nesmějí dostat stejný list.")
                              .arg(value));
        default:
            break;
    }
    // The dialog's sentence about kinds has no place here: --kinds is refused as typed first.
    return refuse(QStringLiteral("druhy příkladů (--kinds) nejsou platné."));
}

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

void describe(QCommandLineParser& parser, const Options& o) {
    parser.setApplicationDescription(
        QStringLiteral("Příklady z aritmetiky pro pátou třídu s úplným řešením, na obrazovce "
                       "i jako pracovní listy pro celou třídu s klíčem."));
    parser.addOptions(o.all());
}

// What is done with a kept set: exactly one of --pdf, --names, --answers and --overview.
std::variant<Mode, Refusal> chooseSetMode(const QCommandLineParser& parser, const Options& o) {
    if (parser.isSet(o.sheets) || parser.isSet(o.codes) || parser.isSet(o.code)) {
        return refuse(
            QStringLiteral("sada (--set) má své listy; --sheets, --codes a --code "
                           "k ní nepatří."));
    }
    // A follow-up set is a new set: it may have a heading of its own.
    for (const QCommandLineOption* own : {&o.heading, &o.duplex, &o.mistakes, &o.adapted}) {
        if (parser.isSet(*own) && !(own == &o.heading && parser.isSet(o.followUp))) {
            return refuse(QStringLiteral("sada (--set) má nadpis, upravené listy a volby tisku "
                                         "uložené; --%1 k ní nepatří.")
                              .arg(own->names().constFirst()));
        }
    }
    const bool printed = parser.isSet(o.pdf) || parser.isSet(o.docx) || parser.isSet(o.odt);
    if (parser.isSet(o.followUp)) {
        if (!parser.isSet(o.pdf) || parser.isSet(o.names) || parser.isSet(o.answers) ||
            parser.isSet(o.overview)) {
            return refuse(
                QStringLiteral("nová sada podle výsledků se tiskne i ukládá: --set SOUBOR "
                               "--follow-up NOVÁ --pdf SOUBOR."));
        }
        return Mode::SetFollowUp;
    }
    const int actions = (printed && !parser.isSet(o.overview) ? 1 : 0) +
                        (parser.isSet(o.names) ? 1 : 0) + (parser.isSet(o.answers) ? 1 : 0) +
                        (parser.isSet(o.resultCode) ? 1 : 0) + (parser.isSet(o.overview) ? 1 : 0);
    if (actions != 1) {
        return refuse(
            QStringLiteral("k sadě (--set) patří právě jedno z --pdf SOUBOR, --names "
                           "SOUBOR, --sheet N --answers SOUBOR, --sheet N --result-code KÓD a "
                           "--overview."));
    }
    if (parser.isSet(o.resultCode) && !parser.isSet(o.sheet)) {
        return refuse(
            QStringLiteral("kód výsledku do sady patří k listu: --sheet N --result-code KÓD."));
    }
    if (parser.isSet(o.answers) != (parser.isSet(o.sheet) && !parser.isSet(o.resultCode))) {
        return refuse(
            QStringLiteral("odpovědi do sady patří k listu: --sheet N --answers "
                           "SOUBOR."));
    }
    return parser.isSet(o.overview)  ? Mode::SetOverview
           : printed                 ? Mode::SetPdf
           : parser.isSet(o.names)   ? Mode::SetNames
           : parser.isSet(o.answers) ? Mode::SetAnswers
                                     : Mode::SetResultCode;
}

// The mode from --help, --version, --sheets, --codes, --code and the output asked for.
std::variant<Mode, Refusal> chooseMode(const QCommandLineParser& parser, const Options& o) {
    if (parser.isSet(o.help)) {
        return Mode::Help;
    }
    if (parser.isSet(o.version)) {
        return Mode::Version;
    }
    if (parser.isSet(o.set)) {
        return chooseSetMode(parser, o);
    }
    if (parser.isSet(o.codes) && (parser.isSet(o.sheets) || parser.isSet(o.code))) {
        return refuse(
            QStringLiteral("patří sem jen jedno z --sheets N, --codes KÓDY a --code KÓD."));
    }
    if (parser.isSet(o.sheets) && parser.isSet(o.code)) {
        return refuse(QStringLiteral("patří sem buď --sheets N, nebo --code KÓD."));
    }
    const bool printed = parser.isSet(o.pdf) || parser.isSet(o.docx) || parser.isSet(o.odt);
    const bool toPdf = (printed || parser.isSet(o.saveSet)) && !parser.isSet(o.text);
    if (parser.isSet(o.sheets)) {
        if (!toPdf) {
            return refuse(
                QStringLiteral("pracovní listy (--sheets) se zapisují do souboru "
                               "podle --pdf SOUBOR."));
        }
        return Mode::Sheets;
    }
    if (parser.isSet(o.codes)) {
        if (!toPdf) {
            return refuse(
                QStringLiteral("listy podle kódů (--codes) se zapisují do souboru "
                               "podle --pdf SOUBOR."));
        }
        return Mode::Codes;
    }
    if (parser.isSet(o.code)) {
        const int outputs =
            (printed ? 1 : 0) + (parser.isSet(o.text) ? 1 : 0) + (parser.isSet(o.check) ? 1 : 0);
        if (outputs > 1) {
            return refuse(
                QStringLiteral("ke kódu patří jen jedno z --pdf SOUBOR, --text "
                               "a --check SOUBOR."));
        }
        return printed                 ? Mode::CodePdf
               : parser.isSet(o.text)  ? Mode::CodeText
               : parser.isSet(o.check) ? Mode::CodeCheck
                                       : Mode::Window;
    }
    return Mode::Window;
}

// Where each option belongs; given in any other mode, it is refused with its line.
std::optional<Refusal> stray(const QCommandLineParser& parser, const Options& o, Mode mode) {
    const std::vector<Mode> toPdf{Mode::Sheets, Mode::Codes, Mode::CodePdf};
    const struct {
        const QCommandLineOption* option;
        std::vector<Mode> modes;
        QString refusal;
    } table[] = {
        {&o.count,
         {Mode::Sheets},
         QStringLiteral("--count patří k --sheets N (list podle kódu má své počty).")},
        {&o.separator,
         {Mode::Sheets},
         QStringLiteral("--separator patří k --sheets N (list podle kódu má své počty).")},
        {&o.kinds,
         {Mode::Sheets},
         QStringLiteral("--kinds patří k --sheets N (list podle kódu má své druhy příkladů).")},
        {&o.adaptedCount,
         {Mode::Sheets},
         QStringLiteral("--adapted-count patří k --sheets N (list podle kódu má své počty).")},
        {&o.adapted, toPdf, QStringLiteral("upravené listy (--adapted) patří k --pdf SOUBOR.")},
        {&o.heading,
         {Mode::Sheets, Mode::Codes, Mode::CodePdf, Mode::SetFollowUp},
         QStringLiteral("nadpis (--heading) patří k --pdf SOUBOR.")},
        {&o.duplex, toPdf, QStringLiteral("oboustranný tisk (--duplex) patří k --pdf SOUBOR.")},
        {&o.mistakes, toPdf,
         QStringLiteral("časté chyby v klíči (--mistakes) patří k --pdf SOUBOR.")},
        {&o.pdf,
         {Mode::Sheets, Mode::Codes, Mode::CodePdf, Mode::SetPdf, Mode::SetOverview,
          Mode::SetFollowUp},
         QStringLiteral("--pdf SOUBOR patří k --sheets N nebo ke --code KÓD.")},
        {&o.docx,
         {Mode::Sheets, Mode::Codes, Mode::CodePdf, Mode::SetPdf, Mode::SetOverview},
         QStringLiteral("--docx SOUBOR patří k --sheets N, --codes KÓDY, --code KÓD nebo --set "
                        "SOUBOR.")},
        {&o.odt,
         {Mode::Sheets, Mode::Codes, Mode::CodePdf, Mode::SetPdf, Mode::SetOverview},
         QStringLiteral("--odt SOUBOR patří k --sheets N, --codes KÓDY, --code KÓD nebo --set "
                        "SOUBOR.")},
        {&o.saveSet,
         {Mode::Sheets, Mode::Codes},
         QStringLiteral("uložení sady (--save-set) patří k --sheets N nebo --codes KÓDY.")},
        {&o.names, {Mode::SetNames}, QStringLiteral("jména (--names) patří k --set SOUBOR.")},
        {&o.answers,
         {Mode::SetAnswers},
         QStringLiteral("--sheet N --answers SOUBOR patří k --set SOUBOR.")},
        {&o.resultCode,
         {Mode::SetResultCode},
         QStringLiteral("--sheet N --result-code KÓD patří k --set SOUBOR.")},
        {&o.sheet,
         {Mode::SetAnswers, Mode::SetResultCode},
         QStringLiteral("--sheet N --answers SOUBOR patří k --set SOUBOR.")},
        {&o.overview, {Mode::SetOverview}, QStringLiteral("--overview patří k --set SOUBOR.")},
        {&o.csv, {Mode::SetOverview}, QStringLiteral("--csv SOUBOR patří k --overview.")},
        {&o.scale, {Mode::SetOverview}, QStringLiteral("stupnice (--scale) patří k --overview.")},
        {&o.text, {Mode::CodeText}, QStringLiteral("--text patří ke --code KÓD.")},
        {&o.check, {Mode::CodeCheck}, QStringLiteral("--check SOUBOR patří ke --code KÓD.")},
        {&o.followUp,
         {Mode::SetFollowUp},
         QStringLiteral("nová sada podle výsledků (--follow-up) patří k --set SOUBOR.")},
        {&o.weakest,
         {Mode::SetFollowUp},
         QStringLiteral("nejslabší druhy třídy (--weakest) patří k --follow-up SOUBOR.")},
    };
    for (const auto& row : table) {
        if (parser.isSet(*row.option) &&
            std::find(row.modes.begin(), row.modes.end(), mode) == row.modes.end()) {
            return refuse(row.refusal);
        }
    }
    return std::nullopt;
}

// A whole number option as the dialogs read a typed count, or `fallback` when not given.
int numberOption(const QCommandLineParser& parser, const QCommandLineOption& option, int fallback) {
    return parser.isSet(option) ? typedCount(parser.value(option).toStdString()) : fallback;
}

std::variant<Sheet, Refusal> readCode(const QString& typed) {
    if (const auto sheet = readSheetCode(typed.toStdString())) {
        return *sheet;
    }
    return refuse(toQString(codeNotValid(typed.toStdString())) + QLatin1Char('.'));
}

std::variant<SheetsTask, Refusal> readSheets(const QCommandLineParser& parser, const Options& o,
                                             const std::string& heading, const PrintOptions& print,
                                             const PdfOutput& pdf) {
    ClassSetSettings settings;
    settings.sheets = numberOption(parser, o.sheets, classSetDefault);
    settings.count = numberOption(parser, o.count, sheetCountDefault);
    settings.separator = numberOption(parser, o.separator, sheetSeparatorDefault);
    const QString kindList = parser.value(o.kinds);
    const auto kinds =
        parser.isSet(o.kinds) ? readKindList(kindList.toStdString()) : std::optional(allKinds);
    settings.kinds = kinds.value_or(allKinds);
    settings.heading = heading;
    if (parser.isSet(o.adaptedCount) && !parser.isSet(o.adapted)) {
        return refuse(QStringLiteral("--adapted-count patří k --adapted SEZNAM."));
    }
    settings.adapted = parser.value(o.adapted).toStdString();
    settings.adaptedCount = parser.isSet(o.adaptedCount)
                                ? typedAdaptedCount(parser.value(o.adaptedCount).toStdString())
                                : 0;
    const ClassSetProblem problem = classSetProblem(settings);
    const struct {
        ClassSetField field;
        const QCommandLineOption* option;
    } typed[] = {{ClassSetField::Sheets, &o.sheets},
                 {ClassSetField::Count, &o.count},
                 {ClassSetField::Separator, &o.separator},
                 {ClassSetField::Adapted, &o.adapted},
                 {ClassSetField::AdaptedCount, &o.adaptedCount}};
    for (const auto& given : typed) {
        if (problem.field == given.field) {
            return settingRefusal(problem, parser.value(*given.option));
        }
    }
    if (!kinds) {
        return refuse(QStringLiteral("druhy příkladů (--kinds) jsou čísla od 1 do %1 jednotlivě "
                                     "nebo jako rozsahy oddělené čárkou, třeba 11 nebo "
                                     "1-3,14,15, ne „%2“.")
                          .arg(kindCount)
                          .arg(kindList));
    }
    if (problem) {
        return settingRefusal(problem, std::nullopt);
    }
    return SheetsTask{settings, print, pdf};
}

std::variant<CodesTask, Refusal> readCodes(const QString& list, const std::string& heading,
                                           const PrintOptions& print, const PdfOutput& pdf,
                                           const std::optional<QString>& adapted) {
    auto read =
        readClassSet(list.toStdString(), heading, adapted.value_or(QString()).toStdString(), print);
    if (const auto* problem = std::get_if<ClassSetProblem>(&read)) {
        return settingRefusal(*problem, problem->field == ClassSetField::Adapted
                                            ? adapted
                                            : std::optional<QString>());
    }
    return CodesTask{std::get<ClassSet>(std::move(read)), pdf};
}

// The task of a mode from what it takes, or the refusal of what it takes.
Reading readMode(const QCommandLineParser& parser, const Options& o, const Arguments& arguments,
                 Mode mode, const std::optional<Sheet>& sheet) {
    const std::string heading = parser.value(o.heading).trimmed().toStdString();
    const PrintOptions print{parser.isSet(o.duplex), parser.isSet(o.mistakes)};
    const PdfOutput pdf{parser.value(o.pdf), parser.value(o.docx), parser.value(o.odt)};
    const auto asReading = [](auto read) {
        return std::visit([](auto& value) { return Reading(value); }, read);
    };
    switch (mode) {
        case Mode::Sheets:
            return asReading(readSheets(parser, o, heading, print, pdf));
        case Mode::Codes:
            return asReading(readCodes(
                parser.value(o.codes), heading, print, pdf,
                parser.isSet(o.adapted) ? std::optional(parser.value(o.adapted)) : std::nullopt));
        case Mode::CodePdf: {
            ClassSetSettings settings;
            settings.heading = heading;
            if (const ClassSetProblem problem = classSetProblem(settings)) {
                return settingRefusal(problem, std::nullopt);
            }
            // A sheet printed by its code is not numbered within a set: adapted, it is whole.
            if (parser.isSet(o.adapted) &&
                parser.value(o.adapted).trimmed() != QLatin1String("all")) {
                return refuse(
                    QStringLiteral("list podle kódu (--code) se upravuje celý: --adapted all, "
                                   "ne „%1“.")
                        .arg(parser.value(o.adapted)));
            }
            return Task{
                CodePdfTask{sheetAlone(*sheet, parser.isSet(o.adapted), heading, print), pdf}};
        }
        case Mode::CodeText:
            return Task{CodeTextTask{*sheet}};
        case Mode::CodeCheck:
            return Task{CodeCheckTask{*sheet, parser.value(o.check)}};
        case Mode::SetPdf:
            return Task{SetPdfTask{parser.value(o.set), pdf.path, pdf.docx, pdf.odt}};
        case Mode::SetNames:
            return Task{SetNamesTask{parser.value(o.set), parser.value(o.names)}};
        case Mode::SetAnswers:
        case Mode::SetResultCode: {
            bool whole = false;
            const int number = parser.value(o.sheet).trimmed().toInt(&whole);
            if (!whole || number < 1 || number > classSetMax) {
                return refuse(QStringLiteral("číslo listu (--sheet) musí být celé číslo od 1 do "
                                             "%1, ne „%2“.")
                                  .arg(classSetMax)
                                  .arg(parser.value(o.sheet)));
            }
            if (mode == Mode::SetResultCode) {
                return Task{
                    SetResultCodeTask{parser.value(o.set), number, parser.value(o.resultCode)}};
            }
            return Task{SetAnswersTask{parser.value(o.set), number, parser.value(o.answers)}};
        }
        case Mode::SetOverview: {
            const auto scale = parser.isSet(o.scale)
                                   ? readMarkScale(parser.value(o.scale).toStdString())
                                   : std::optional(MarkScale{});
            if (!scale) {
                return refuse(QStringLiteral("stupnice známek (--scale) jsou čtyři celá procenta "
                                             "pro známky 1 až 4, každé menší než předchozí, "
                                             "třeba 90,75,50,30, ne „%1“.")
                                  .arg(parser.value(o.scale)));
            }
            const auto standardOutput = [&parser](const QCommandLineOption& option) {
                return parser.value(option) == QLatin1String("-") ? 1 : 0;
            };
            if (standardOutput(o.csv) + standardOutput(o.pdf) + standardOutput(o.docx) +
                    standardOutput(o.odt) >
                1) {
                return refuse(
                    QStringLiteral("na standardní výstup jde jen jedno: přehled jako "
                                   "tabulka (--csv -), nebo jako PDF (--pdf -), DOCX (--docx -) "
                                   "či ODT (--odt -)."));
            }
            return Task{SetOverviewTask{parser.value(o.set), parser.value(o.csv), *scale,
                                        parser.value(o.pdf), parser.value(o.docx),
                                        parser.value(o.odt)}};
        }
        case Mode::SetFollowUp: {
            ClassSetSettings settings;
            settings.heading = heading;
            if (const ClassSetProblem problem = classSetProblem(settings)) {
                return settingRefusal(problem, std::nullopt);
            }
            return Task{SetFollowUpTask{
                parser.value(o.set), parser.value(o.followUp), pdf.path,
                parser.isSet(o.heading) ? std::optional(heading) : std::nullopt,
                parser.isSet(o.weakest) ? FollowUpMode::WholeClass : FollowUpMode::OwnResults}};
        }
        default:
            break;
    }
    return Task{WindowTask{sheet, arguments.platform, arguments.displayChosen}};
}

// The files of a set's modes named, and a class set that is also saved as a set file.
Reading withSetFiles(const QCommandLineParser& parser, const Options& o, Reading reading) {
    const struct {
        const QCommandLineOption* option;
        QString refusal;
    } files[] = {{&o.set, QStringLiteral("chybí jméno souboru sady.")},
                 {&o.saveSet, QStringLiteral("chybí jméno souboru sady.")},
                 {&o.followUp, QStringLiteral("chybí jméno souboru nové sady.")},
                 {&o.names, QStringLiteral("chybí jméno souboru se jmény.")},
                 {&o.answers, QStringLiteral("chybí jméno souboru s odpověďmi.")},
                 {&o.csv, QStringLiteral("chybí jméno souboru CSV.")}};
    for (const auto& file : files) {
        if (parser.isSet(*file.option) && parser.value(*file.option).isEmpty()) {
            return refuse(file.refusal);
        }
    }
    if (!parser.isSet(o.saveSet)) {
        return reading;
    }
    Task& task = std::get<Task>(reading);
    if (auto* sheets = std::get_if<SheetsTask>(&task)) {
        return Task{SaveSetTask{*sheets, parser.value(o.saveSet)}};
    }
    return Task{SaveSetTask{std::get<CodesTask>(task), parser.value(o.saveSet)}};
}

// Reads and checks the parsed command line in its mode.
Reading readTask(const QCommandLineParser& parser, const Options& o, const Arguments& arguments) {
    if (!parser.positionalArguments().isEmpty()) {
        return refuse(QStringLiteral("nečekaný argument „%1“; volby vypíše ciferon --help.")
                          .arg(parser.positionalArguments().constFirst()));
    }
    const auto chosen = chooseMode(parser, o);
    if (const auto* refusal = std::get_if<Refusal>(&chosen)) {
        return *refusal;
    }
    const Mode mode = std::get<Mode>(chosen);
    if (mode == Mode::Help) {
        return Task{HelpTask{}};
    }
    if (mode == Mode::Version) {
        return Task{VersionTask{}};
    }
    if (auto refusal = stray(parser, o, mode)) {
        return *refusal;
    }
    std::optional<Sheet> sheet;
    if (parser.isSet(o.code)) {
        auto read = readCode(parser.value(o.code));
        if (const auto* refusal = std::get_if<Refusal>(&read)) {
            return *refusal;
        }
        sheet = std::get<Sheet>(read);
    }
    Reading reading = readMode(parser, o, arguments, mode, sheet);
    if (std::holds_alternative<Refusal>(reading)) {
        return reading;
    }
    if (parser.isSet(o.pdf) && parser.value(o.pdf).isEmpty()) {
        return refuse(QStringLiteral("chybí jméno souboru PDF."));
    }
    for (const auto* document : {&o.docx, &o.odt}) {
        if (parser.isSet(*document) && parser.value(*document).isEmpty()) {
            return refuse(QStringLiteral("chybí jméno souboru %1.")
                              .arg(document->names().constFirst().toUpper()));
        }
    }
    if (parser.isSet(o.check) && parser.value(o.check).isEmpty()) {
        return refuse(QStringLiteral("chybí jméno souboru s odpověďmi."));
    }
    return withSetFiles(parser, o, std::move(reading));
}

}  // namespace

Reading readArguments(const QStringList& all) {
    const Options options;
    const Arguments arguments = splitArguments(all, options.all());
    QCommandLineParser parser;
    describe(parser, options);
    if (!parser.parse(arguments.ours)) {
        return refuse(parseFault(parser, arguments.ours, options.all()));
    }
    return readTask(parser, options, arguments);
}

// Whether Qt has a screen to open the window on. The platforms named by -platform or
// QT_QPA_PLATFORM (a list, each tried in turn) decide: X11 needs a display and Wayland a
// compositor, any other (offscreen, vnc, eglfs…) brings its own; with none named, Qt takes
// whichever of the two is there.
std::optional<Refusal> windowRefusal(const WindowTask& task) {
    const bool x11 = task.displayChosen || !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString named =
        task.platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : task.platform;
    const QStringList platforms = named.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const bool screen =
        platforms.isEmpty()
            ? x11 || wayland
            : std::any_of(platforms.begin(), platforms.end(), [&](const QString& platform) {
                  return platform.startsWith(QLatin1String("xcb"))       ? x11
                         : platform.startsWith(QLatin1String("wayland")) ? wayland
                                                                         : true;
              });
    if (screen) {
        return std::nullopt;
    }
    return Refusal{QStringLiteral("ciferon: okno programu nelze otevřít, protože tu není "
                                  "obrazovka (DISPLAY ani WAYLAND_DISPLAY); bez ní pracují "
                                  "--sheets, --pdf, --text a --check."),
                   runFault};
}

QString helpText() {
    const Options options;
    QCommandLineParser parser;
    describe(parser, options);
    // Qt writes its two headings in English; the program speaks Czech throughout.
    QString text = parser.helpText();
    text.replace(QRegularExpression(QStringLiteral("^Usage: (.*) \\[options\\]\n")),
                 QStringLiteral("Použití: \\1 [volby]\n"));
    text.replace(QStringLiteral("\nOptions:\n"), QStringLiteral("\nVolby:\n"));
    text += QStringLiteral("\nDruhy příkladů pro --kinds:\n");
    for (const KindTopic& topic : kindTopics()) {
        text += QStringLiteral("  %1\n").arg(toQString(topic.name));
        for (const int kind : topic.kinds) {
            text += QStringLiteral("  %1  %2\n").arg(kind + 1, 4).arg(toQString(kindName(kind)));
        }
    }
    return text;
}

}  // namespace ciferon::cli
