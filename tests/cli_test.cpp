// The command line as one table: each list of arguments and what it gives, the task of one
// mode or the exact line that refuses it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>

#include "arguments.h"
#include "classset/set_file.h"
#include "classset_refusals.h"
#include "codes/items.h"
#include "modes.h"

namespace ciferon::cli {
namespace {

Sheet sheetOf(const char* code) {
    const auto sheet = readSheetCode(code);
    EXPECT_TRUE(sheet.has_value()) << code;
    return sheet.value_or(Sheet{});
}

Refusal refused(const char* why) {
    return {QStringLiteral("ciferon: ") + QString::fromUtf8(why), usageFault};
}

// The class set that the core reads from these codes, as a task's.
ClassSet readSet(const char* codes, const std::string& heading = {}, const char* adapted = "",
                 const PrintOptions& print = {}) {
    auto read = readClassSet(codes, heading, adapted, print);
    EXPECT_TRUE(std::holds_alternative<ClassSet>(read)) << codes;
    return std::holds_alternative<ClassSet>(read) ? std::get<ClassSet>(read) : ClassSet{};
}

std::string describe(const Reading& reading) {
    if (const auto* refusal = std::get_if<Refusal>(&reading)) {
        return refusal->line.toStdString() + " (" + std::to_string(refusal->status) + ")";
    }
    return "the task of mode " + std::to_string(std::get<Task>(reading).index());
}

TEST(CommandLine, GivesOneModesTaskOrTheLineThatRefusesIt) {
    const Sheet golden = sheetOf("1DX2-DT93");
    const Sheet chosen = sheetOf("7AHD-EWGT-SSKE");
    const QString forty = QString::fromStdString(testing::codesCases().at(0).codes);
    const std::string headingText = "5. A – opakování";
    const QString heading = QString::fromStdString(headingText);
    const QString tooLong = QString(81, QLatin1Char('x'));
    const struct {
        QStringList arguments;
        Reading expected;
    } rows[] = {
        // Modes.
        {{}, Task{WindowTask{}}},
        {{"--code", "1dx2 dt93"}, Task{WindowTask{golden, {}, false}}},
        {{"--help", "--code", "NOTACODE"}, Task{HelpTask{}}},
        {{"-v"}, Task{VersionTask{}}},
        {{"--sheets", "3", "--pdf", "a.pdf"},
         Task{SheetsTask{{3, 20, 5, allKinds, "", "", 0}, {}, {"a.pdf"}}}},
        {{"--sheets=3", "--count=7", "--separator", " 2 ", "--kinds=11,14-15", "--heading",
          "  " + heading + " ", "--duplex", "--pdf=-"},
         Task{SheetsTask{{3, 7, 2, 0x6400, headingText, "", 0}, {true, false}, {"-"}}}},
        {{"--codes", "1DX2-DT93, 4xy1zkrx,7AHD-EWGT-SSKE", "--pdf", "a.pdf"},
         Task{CodesTask{readSet("1DX2-DT93,4XY1-ZKRX,7AHD-EWGT-SSKE"), {"a.pdf"}}}},
        {{"--codes", forty, "--heading", " " + heading, "--duplex", "--pdf", "a.pdf"},
         Task{CodesTask{readSet(forty.toUtf8().constData(), headingText, "", {true, false}),
                        {"a.pdf"}}}},
        {{"--code", "7AHD-EWGT-SSKE", "--pdf", "a.pdf", "--duplex"},
         Task{CodePdfTask{sheetAlone(chosen, false, {}, {true, false}), {"a.pdf"}}}},
        {{"--code", "1DX2-DT93", "--pdf", "a.pdf", "--mistakes", "--heading", heading},
         Task{CodePdfTask{sheetAlone(golden, false, headingText, {false, true}), {"a.pdf"}}}},
        {{"--sheets", "2", "--mistakes", "--pdf", "a.pdf"},
         Task{SheetsTask{{2, 20, 5, allKinds, "", "", 0}, {false, true}, {"a.pdf"}}}},
        {{"--code", "1DX2-DT93", "--text", "--mistakes"},
         refused("časté chyby v klíči (--mistakes) patří k --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--check", "-", "--mistakes"},
         refused("časté chyby v klíči (--mistakes) patří k --pdf SOUBOR.")},
        {{"--code=1DX2-DT93", "--text"}, Task{CodeTextTask{golden}}},
        // Adapted sheets: listed within a set, with their count or the set's; a sheet by its
        // code adapted whole.
        {{"--sheets", "8", "--adapted", "3,7-8", "--adapted-count", "6", "--count", "12", "--pdf",
          "a.pdf"},
         Task{SheetsTask{{8, 12, 5, allKinds, "", "3,7-8", 6}, {}, {"a.pdf"}}}},
        {{"--sheets", "2", "--adapted=all", "--pdf", "a.pdf"},
         Task{SheetsTask{{2, 20, 5, allKinds, "", "all", 0}, {}, {"a.pdf"}}}},
        {{"--codes", "1DX2-DT93,4XY1-ZKRX", "--adapted", "2", "--pdf", "a.pdf"},
         Task{CodesTask{readSet("1DX2-DT93,4XY1-ZKRX", {}, "2"), {"a.pdf"}}}},
        {{"--code", "1DX2-DT93", "--adapted", "all", "--pdf", "a.pdf"},
         Task{CodePdfTask{sheetAlone(golden, true), {"a.pdf"}}}},
        {{"--code", "1DX2-DT93", "--check", "-"}, Task{CodeCheckTask{golden, "-"}}},
        // Qt's own options, with their values, stay Qt's in every mode.
        {{"--code", "1DX2-DT93", "--text", "-style", "Fusion"}, Task{CodeTextTask{golden}}},
        {{"-platform", "xcb", "--code", "1DX2-DT93"}, Task{WindowTask{golden, "xcb", false}}},
        {{"-platform=offscreen", "-reverse"}, Task{WindowTask{{}, "offscreen", false}}},
        {{"--display", ":1", "--style=Fusion"}, Task{WindowTask{{}, {}, true}}},
        {{"--code", "-style", "--text"}, refused("kód listu „-style“ není platný.")},
        // What is not an option, or not ours.
        {{"stray"}, refused("nečekaný argument „stray“; volby vypíše ciferon --help.")},
        {{"--code", "1DX2-DT93", "--text", "--", "--pdf"},
         refused("nečekaný argument „--pdf“; volby vypíše ciferon --help.")},
        {{"--bogus"}, refused("neznámá volba „bogus“; volby vypíše ciferon --help.")},
        {{"--code"}, refused("za volbou --code chybí KÓD.")},
        {{"--sheets", "2", "--pdf", "a.pdf", "--kinds"},
         refused("za volbou --kinds chybí SEZNAM.")},
        {{"--code", "1DX2-DT93", "--text=yes"}, refused("volba --text nemá hodnotu.")},
        // Modes that exclude each other, and options beside a mode they do not belong to.
        {{"--sheets", "2", "--code", "1DX2-DT93", "--pdf", "a.pdf"},
         refused("patří sem buď --sheets N, nebo --code KÓD.")},
        {{"--codes", "1DX2-DT93", "--sheets", "2", "--pdf", "a.pdf"},
         refused("patří sem jen jedno z --sheets N, --codes KÓDY a --code KÓD.")},
        {{"--sheets", "3", "--duplex"},
         refused("pracovní listy (--sheets) se zapisují do souboru podle --pdf SOUBOR.")},
        {{"--codes", "1DX2-DT93", "--pdf", "a.pdf", "--text"},
         refused("listy podle kódů (--codes) se zapisují do souboru podle --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--text", "--pdf", "a.pdf"},
         refused("ke kódu patří jen jedno z --pdf SOUBOR, --text a --check SOUBOR.")},
        {{"--code", "1DX2-DT93", "--count", "5", "--pdf", "a.pdf"},
         refused("--count patří k --sheets N (list podle kódu má své počty).")},
        {{"--codes", "1DX2-DT93", "--separator", "5", "--pdf", "a.pdf"},
         refused("--separator patří k --sheets N (list podle kódu má své počty).")},
        {{"--kinds", "11"},
         refused("--kinds patří k --sheets N (list podle kódu má své druhy příkladů).")},
        {{"--code", "1DX2-DT93", "--heading", "5. A", "--text"},
         refused("nadpis (--heading) patří k --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--duplex"},
         refused("oboustranný tisk (--duplex) patří k --pdf SOUBOR.")},
        {{"--pdf", "a.pdf"}, refused("--pdf SOUBOR patří k --sheets N nebo ke --code KÓD.")},
        {{"--text"}, refused("--text patří ke --code KÓD.")},
        {{"--sheets", "2", "--check", "a.txt", "--pdf", "a.pdf"},
         refused("--check SOUBOR patří ke --code KÓD.")},
        {{"--sheets", "3", "--adapted-count", "5", "--pdf", "a.pdf"},
         refused("--adapted-count patří k --adapted SEZNAM.")},
        {{"--code", "1DX2-DT93", "--adapted", "all", "--adapted-count", "5", "--pdf", "a.pdf"},
         refused("--adapted-count patří k --sheets N (list podle kódu má své počty).")},
        {{"--code", "1DX2-DT93", "--adapted", "all", "--text"},
         refused("upravené listy (--adapted) patří k --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--adapted", "all", "--check", "a.txt"},
         refused("upravené listy (--adapted) patří k --pdf SOUBOR.")},
        {{"--adapted", "all"}, refused("upravené listy (--adapted) patří k --pdf SOUBOR.")},
        {{"--sheets", "3", "--adapted", "all"},
         refused("pracovní listy (--sheets) se zapisují do souboru podle --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--adapted", "2", "--pdf", "a.pdf"},
         refused("list podle kódu (--code) se upravuje celý: --adapted all, ne „2“.")},
        {{"--code", "1DX2-DT93", "--adapted", "1", "--pdf", "a.pdf"},
         refused("list podle kódu (--code) se upravuje celý: --adapted all, ne „1“.")},
        // Values: the class set's ranges as the core checks them, in its order.
        {{"--sheets", "41", "--count", "0", "--pdf", "a.pdf"},
         refused("počet listů (--sheets) musí být celé číslo od 1 do 40, ne „41“.")},
        {{"--sheets", "3", "--count", "0", "--pdf", "a.pdf"},
         refused("počet příkladů (--count) musí být celé číslo od 1 do 200, ne „0“.")},
        {{"--sheets", "3", "--separator", "2.5", "--kinds", "0", "--pdf", "a.pdf"},
         refused("oddělování (--separator) musí být celé číslo od 1 do 20, ne „2.5“.")},
        {{"--sheets", "3", "--kinds", "3-1", "--heading", tooLong, "--pdf", "a.pdf"},
         refused("druhy příkladů (--kinds) jsou čísla od 1 do 15 jednotlivě nebo jako rozsahy "
                 "oddělené čárkou, třeba 11 nebo 1-3,14,15, ne „3-1“.")},
        {{"--sheets", "3", "--kinds", "", "--pdf", "a.pdf"},
         refused("druhy příkladů (--kinds) jsou čísla od 1 do 15 jednotlivě nebo jako rozsahy "
                 "oddělené čárkou, třeba 11 nebo 1-3,14,15, ne „“.")},
        {{"--sheets", "3", "--heading", tooLong, "--pdf", "a.pdf"},
         refused("nadpis (--heading) smí mít nejvýše 80 znaků.")},
        {{"--code", "1DX2-DT93", "--heading", tooLong, "--pdf", "a.pdf"},
         refused("nadpis (--heading) smí mít nejvýše 80 znaků.")},
        {{"--codes", "1DX2-DT93", "--heading", tooLong, "--pdf", "a.pdf"},
         refused("nadpis (--heading) smí mít nejvýše 80 znaků.")},
        {{"--sheets", "5", "--adapted", "3,6", "--pdf", "a.pdf"},
         refused("upravené listy (--adapted) jsou listy této sady, od 1 do 5; list 6 v ní "
                 "není.")},
        {{"--sheets", "5", "--adapted", "3,0", "--pdf", "a.pdf"},
         refused("upravené listy (--adapted) jsou čísla listů od 1 do 5 jednotlivě nebo jako "
                 "rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, nebo all, ne „3,0“.")},
        {{"--sheets", "5", "--adapted", "3,,4", "--pdf", "a.pdf"},
         refused("upravené listy (--adapted) jsou čísla listů od 1 do 5 jednotlivě nebo jako "
                 "rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, nebo all, ne „3,,4“.")},
        {{"--codes", "1DX2-DT93,4XY1-ZKRX", "--adapted", "3", "--pdf", "a.pdf"},
         refused("upravené listy (--adapted) jsou listy této sady, od 1 do 2; list 3 v ní "
                 "není.")},
        {{"--sheets", "2", "--adapted", "1-3", "--pdf", "a.pdf"},
         refused("upravené listy (--adapted) jsou listy této sady, od 1 do 2; list 3 v ní "
                 "není.")},
        {{"--sheets", "5", "--count", "10", "--adapted", "1", "--adapted-count", "11", "--pdf",
          "a.pdf"},
         refused("příkladů na upraveném listu (--adapted-count) musí být celé číslo od 1 do 10, "
                 "ne „11“.")},
        {{"--sheets", "5", "--adapted", "1", "--adapted-count", "0", "--pdf", "a.pdf"},
         refused("příkladů na upraveném listu (--adapted-count) musí být celé číslo od 1 do 20, "
                 "ne „0“.")},
        // Codes: in a list, the first bad one; the shared table below has more.
        {{"--code", "K7M2-9QX4", "--pdf", "a.pdf"}, refused("kód listu „K7M2-9QX4“ není platný.")},
        {{"--codes", "1DX2-DT93,1DX2-DT94,K7M2", "--pdf", "a.pdf"},
         refused("kód listu „1DX2-DT94“ není platný.")},
        {{"--codes", "1DX2-DT93,,4XY1-ZKRX", "--pdf", "a.pdf"},
         refused("kód listu „“ není platný.")},
        {{"--codes", " ", "--pdf", "a.pdf"}, refused("seznam kódů (--codes) je prázdný.")},
        {{"--codes", forty + ",1DX2-DT93", "--pdf", "a.pdf"},
         refused("seznam kódů (--codes) smí mít nejvýše 40 kódů, ne 41.")},
        // Files named by nothing.
        {{"--sheets", "2", "--pdf="}, refused("chybí jméno souboru PDF.")},
        {{"--code", "1DX2-DT93", "--check="}, refused("chybí jméno souboru s odpověďmi.")},
    };
    for (const auto& row : rows) {
        const Reading reading = readArguments(QStringList{"ciferon"} + row.arguments);
        EXPECT_TRUE(reading == row.expected)
            << row.arguments.join(' ').toStdString() << "\n  gives " << describe(reading)
            << "\n  not " << describe(row.expected);
    }
}

// Qt's own headings are English; the help speaks Czech throughout.
TEST(CommandLine, HelpIsCzechThroughout) {
    const QString help = helpText();
    EXPECT_TRUE(help.startsWith(QStringLiteral("Použití: "))) << help.left(40).toStdString();
    EXPECT_TRUE(help.contains(QStringLiteral(" [volby]\n")));
    EXPECT_TRUE(help.contains(QStringLiteral("\nVolby:\n")));
    for (const char* english : {"Usage", "Options", "options", "Arguments"}) {
        EXPECT_FALSE(help.contains(QLatin1String(english))) << english;
    }
}

// `--check` with files of every sort: the report for text, one Czech line with the status of
// its cause for the rest: 1 where the system cannot give the file, 2 where its content is
// refused.
TEST(CommandLine, CheckReportsAnswersOrRefusesTheFile) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const Sheet golden = sheetOf("1DX2-DT93");
    const std::vector<SheetItem> items = sheetItems(golden);
    ASSERT_EQ(items.size(), 20U);
    const auto path = [&folder](const char* name) {
        return folder.filePath(QString::fromUtf8(name));
    };
    const auto write = [&path](const char* name, const QByteArray& bytes) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
    };
    const QByteArray first = QByteArray::fromStdString(resultText(items[0].result));
    write("answers.txt", first + "\r\n5 1\r\n");
    write("nul.txt", first + QByteArray("\n\0\n", 3));
    write("latin2.txt", first + "\n8 zb\xEC 1\n");  // "ě" in ISO 8859-2
    write("long.txt", QByteArray("1\n").repeated(21));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder")));

    QString expected = QStringLiteral("1. správně\n2. nečitelné – napiš číslo\n");
    for (int number = 3; number <= 20; ++number) {
        expected += QStringLiteral("%1. bez odpovědi\n").arg(number);
    }
    expected += QStringLiteral("Správně 1 z 20. Nečitelné odpovědi: 1.\n");
    // Last, the pupil's result code of these marks.
    expected += QStringLiteral("Kód výsledku: 719S-SH00-0000-0000-0000-0E\n");
    const auto refusal = [&path](const char* name, const char* why, int status) {
        return Refusal{
            QStringLiteral("ciferon: odpovědi („%1“) %2").arg(path(name), QString::fromUtf8(why)),
            status};
    };
    const struct {
        const char* name;
        std::variant<QString, Refusal> expected;
    } rows[] = {
        {"answers.txt", expected},
        {"missing.txt", refusal("missing.txt", "nelze přečíst: soubor neexistuje.", runFault)},
        {"folder", refusal("folder", "nelze přečíst: je to složka, ne soubor.", runFault)},
        {"nul.txt",
         refusal("nul.txt", "nejsou text v UTF-8; patří sem jeden řádek na příklad.", usageFault)},
        {"latin2.txt",
         refusal("latin2.txt", "nejsou text v UTF-8; patří sem jeden řádek na příklad.",
                 usageFault)},
        {"long.txt",
         refusal("long.txt",
                 "mají víc řádků, než má list příkladů (20); patří sem jeden řádek na příklad, bez "
                 "prázdných řádků mezi skupinami.",
                 usageFault)},
    };
    for (const auto& row : rows) {
        const auto report = checkReport(CodeCheckTask{golden, path(row.name)});
        EXPECT_TRUE(report == row.expected) << row.name;
        if (const auto* refused = std::get_if<Refusal>(&report)) {
            EXPECT_EQ(refused->line.toStdString(),
                      std::get<Refusal>(row.expected).line.toStdString());
        }
    }
}

// The class sets of given codes that the page's address accepts or refuses too (the shared
// table): the same lists refused, in the command line's words, with status 2.
TEST(CommandLine, ReadsTheListsOfCodesThatThePageReads) {
    for (const testing::CodesCase& row : testing::codesCases()) {
        if (row.line == "-") {
            continue;  // the page's address alone
        }
        QStringList arguments{"ciferon", "--codes", QString::fromStdString(row.codes)};
        if (!row.heading.empty()) {
            arguments << "--heading" << QString::fromStdString(row.heading);
        }
        if (!row.adapted.empty()) {
            arguments << "--adapted" << QString::fromStdString(row.adapted);
        }
        arguments << "--pdf"
                  << "a.pdf";
        const Reading reading = readArguments(arguments);
        if (row.line.empty()) {
            const auto* task = std::get_if<Task>(&reading);
            ASSERT_TRUE(task && std::holds_alternative<CodesTask>(*task))
                << row.name << ": " << describe(reading);
            EXPECT_EQ(std::get<CodesTask>(*task).set,
                      readSet(row.codes.c_str(), row.heading, row.adapted.c_str()));
        } else {
            EXPECT_TRUE(reading == Reading(refused(row.line.c_str())))
                << row.name << "\n  gives " << describe(reading);
        }
    }
}

// A class set kept as a file: made and saved, printed again, its names and answers stored,
// its overview; each option only in its place.
TEST(CommandLine, KeepsAClassSetAsAFile) {
    const struct {
        QStringList arguments;
        Reading expected;
    } rows[] = {
        {{"--sheets", "3", "--save-set", "5A.ciferon"},
         Task{SaveSetTask{SheetsTask{{3, 20, 5, allKinds, "", "", 0}, {}, {""}}, "5A.ciferon"}}},
        {{"--sheets", "3", "--heading", "5. A", "--duplex", "--mistakes", "--adapted", "2",
          "--save-set", "5A.ciferon", "--pdf", "a.pdf"},
         Task{SaveSetTask{SheetsTask{{3, 20, 5, allKinds, "5. A", "2", 0}, {true, true}, {"a.pdf"}},
                          "5A.ciferon"}}},
        {{"--codes", "1DX2-DT93,4XY1-ZKRX", "--adapted", "1", "--save-set", "s"},
         Task{SaveSetTask{CodesTask{readSet("1DX2-DT93,4XY1-ZKRX", {}, "1"), {""}}, "s"}}},
        {{"--set", "s", "--pdf", "-"}, Task{SetPdfTask{"s", "-"}}},
        {{"--set", "s", "--names", "-"}, Task{SetNamesTask{"s", "-"}}},
        {{"--set", "s", "--sheet", " 40 ", "--answers", "a.txt"},
         Task{SetAnswersTask{"s", 40, "a.txt"}}},
        {{"--set", "s", "--sheet", "2", "--result-code", "ab cd-e"},
         Task{SetResultCodeTask{"s", 2, "ab cd-e"}}},
        {{"--set", "s", "--overview"}, Task{SetOverviewTask{"s", {}, {}, {}, {}, {}}}},
        {{"--set", "s", "--overview", "--csv", "p.csv", "--scale", "95,80,60,40"},
         Task{SetOverviewTask{"s", "p.csv", MarkScale{{95, 80, 60, 40}}, {}, {}, {}}}},
        // Refused.
        {{"--sheets", "3"},
         refused("pracovní listy (--sheets) se zapisují do souboru podle --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--pdf", "a.pdf", "--save-set", "s"},
         refused("uložení sady (--save-set) patří k --sheets N nebo --codes KÓDY.")},
        {{"--sheets", "3", "--save-set="}, refused("chybí jméno souboru sady.")},
        {{"--set", "s"},
         refused("k sadě (--set) patří právě jedno z --pdf SOUBOR, --names SOUBOR, --sheet N "
                 "--answers SOUBOR, --sheet N --result-code KÓD a --overview.")},
        {{"--set", "s", "--names", "n", "--overview"},
         refused("k sadě (--set) patří právě jedno z --pdf SOUBOR, --names SOUBOR, --sheet N "
                 "--answers SOUBOR, --sheet N --result-code KÓD a --overview.")},
        {{"--set", "s", "--sheets", "3", "--pdf", "a.pdf"},
         refused("sada (--set) má své listy; --sheets, --codes a --code k ní nepatří.")},
        {{"--set", "s", "--heading", "5. B", "--pdf", "a.pdf"},
         refused("sada (--set) má nadpis, upravené listy a volby tisku uložené; --heading k ní "
                 "nepatří.")},
        {{"--set", "s", "--duplex", "--pdf", "a.pdf"},
         refused("sada (--set) má nadpis, upravené listy a volby tisku uložené; --duplex k ní "
                 "nepatří.")},
        {{"--set", "s", "--overview", "--pdf", "p.pdf", "--scale", "95,80,60,40"},
         Task{SetOverviewTask{"s", {}, MarkScale{{95, 80, 60, 40}}, "p.pdf", {}, {}}}},
        {{"--set", "s", "--overview", "--pdf", "-", "--csv", "-"},
         refused("na standardní výstup jde jen jedno: přehled jako tabulka (--csv -), nebo jako "
                 "PDF (--pdf -), DOCX (--docx -) či ODT (--odt -).")},
        {{"--set", "s", "--answers", "a.txt"},
         refused("odpovědi do sady patří k listu: --sheet N --answers SOUBOR.")},
        {{"--set", "s", "--sheet", "0", "--answers", "a.txt"},
         refused("číslo listu (--sheet) musí být celé číslo od 1 do 40, ne „0“.")},
        {{"--set", "s", "--sheet", "2a", "--answers", "a.txt"},
         refused("číslo listu (--sheet) musí být celé číslo od 1 do 40, ne „2a“.")},
        {{"--set", "s", "--sheet", "41", "--answers", "a.txt"},
         refused("číslo listu (--sheet) musí být celé číslo od 1 do 40, ne „41“.")},
        {{"--set", "s", "--overview", "--scale", "75,90,50,30"},
         refused("stupnice známek (--scale) jsou čtyři celá procenta pro známky 1 až 4, každé "
                 "menší než předchozí, třeba 90,75,50,30, ne „75,90,50,30“.")},
        {{"--set", "s", "--pdf", "a.pdf", "--csv", "p.csv"},
         refused("--csv SOUBOR patří k --overview.")},
        {{"--set", "s", "--names", "n", "--scale", "90,75,50,30"},
         refused("stupnice (--scale) patří k --overview.")},
        {{"--code", "1DX2-DT93", "--check", "a.txt", "--sheet", "1"},
         refused("--sheet N --answers SOUBOR patří k --set SOUBOR.")},
        {{"--overview"}, refused("--overview patří k --set SOUBOR.")},
        {{"--set", "s", "--result-code", "ABCD"},
         refused("kód výsledku do sady patří k listu: --sheet N --result-code KÓD.")},
        {{"--set", "s", "--sheet", "1", "--result-code", "ABCD", "--answers", "a.txt"},
         refused("k sadě (--set) patří právě jedno z --pdf SOUBOR, --names SOUBOR, --sheet N "
                 "--answers SOUBOR, --sheet N --result-code KÓD a --overview.")},
        {{"--set", "s", "--sheet", "41", "--result-code", "ABCD"},
         refused("číslo listu (--sheet) musí být celé číslo od 1 do 40, ne „41“.")},
        {{"--code", "1DX2-DT93", "--check", "a.txt", "--result-code", "ABCD"},
         refused("--sheet N --result-code KÓD patří k --set SOUBOR.")},
        {{"--set=", "--overview"}, refused("chybí jméno souboru sady.")},
        {{"--set", "s", "--names="}, refused("chybí jméno souboru se jmény.")},
    };
    for (const auto& row : rows) {
        const Reading reading = readArguments(QStringList{"ciferon"} + row.arguments);
        EXPECT_TRUE(reading == row.expected)
            << row.arguments.join(' ').toStdString() << "\n  gives " << describe(reading)
            << "\n  not " << describe(row.expected);
    }
}

// The follow-up set: read with its options only in their place, and refused before anything
// is written where the set has no results or the new file exists; the kept set unchanged.
TEST(CommandLine, MakesAFollowUpSetFromResults) {
    const QString needsPdf = QStringLiteral(
        "nová sada podle výsledků se tiskne i ukládá: --set SOUBOR --follow-up NOVÁ --pdf SOUBOR.");
    const struct {
        QStringList arguments;
        Reading expected;
    } rows[] = {
        {{"--set", "s", "--follow-up", "n", "--pdf", "a.pdf"},
         Task{SetFollowUpTask{"s", "n", "a.pdf", std::nullopt, FollowUpMode::OwnResults}}},
        {{"--set", "s", "--follow-up", "n", "--pdf", "-", "--weakest", "--heading", " 5. B "},
         Task{SetFollowUpTask{"s", "n", "-", "5. B", FollowUpMode::WholeClass}}},
        {{"--set", "s", "--follow-up", "n"}, refused(needsPdf.toUtf8().constData())},
        {{"--set", "s", "--follow-up", "n", "--pdf", "a", "--overview"},
         refused(needsPdf.toUtf8().constData())},
        {{"--set", "s", "--follow-up=", "--pdf", "a.pdf"},
         refused("chybí jméno souboru nové sady.")},
        {{"--set", "s", "--pdf", "a.pdf", "--weakest"},
         refused("nejslabší druhy třídy (--weakest) patří k --follow-up SOUBOR.")},
    };
    for (const auto& row : rows) {
        const Reading reading = readArguments(QStringList{"ciferon"} + row.arguments);
        EXPECT_TRUE(reading == row.expected)
            << row.arguments.join(' ').toStdString() << "\n  gives " << describe(reading);
    }

    const QTemporaryDir folder;
    const QString kept = folder.filePath(QStringLiteral("5A.ciferon"));
    const QString fresh = folder.filePath(QStringLiteral("new.ciferon"));
    SetFile set;
    set.sheets.push_back({sheetOf("1DX2-DT93"), false, "Jana", std::nullopt});
    const QByteArray bytes = QByteArray::fromStdString(writeSetFile(set));
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const QString pdf = folder.filePath(QStringLiteral("a.pdf"));
    const struct {
        SetFollowUpTask task;
        int status = 0;
    } runs[] = {
        {{kept, fresh, pdf, std::nullopt, FollowUpMode::WholeClass}, usageFault},  // no results
        {{kept, kept, pdf, std::nullopt, FollowUpMode::OwnResults}, usageFault},   // already there
        {{fresh, fresh, pdf, std::nullopt, FollowUpMode::OwnResults}, runFault},   // missing
    };
    for (const auto& row : runs) {
        EXPECT_EQ(run(row.task), row.status) << row.task.file.toStdString();
        EXPECT_FALSE(QFileInfo::exists(fresh) || QFileInfo::exists(pdf));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
        file.close();
    }
}

// --docx and --odt go wherever --pdf goes, beside it or alone, with the same options.
TEST(CommandLine, WritesEditableDocumentsWherePdfGoes) {
    const Sheet golden = sheetOf("1DX2-DT93");
    const struct {
        QStringList arguments;
        Reading expected;
    } rows[] = {
        {{"--sheets", "3", "--docx", "a.docx"},
         Task{SheetsTask{{3, 20, 5, allKinds, "", "", 0}, {}, {"", "a.docx", ""}}}},
        {{"--sheets", "3", "--adapted", "2", "--mistakes", "--pdf", "a.pdf", "--odt", "a.odt",
          "--docx", "a.docx"},
         Task{SheetsTask{
             {3, 20, 5, allKinds, "", "2", 0}, {false, true}, {"a.pdf", "a.docx", "a.odt"}}}},
        {{"--codes", "1DX2-DT93,4XY1-ZKRX", "--odt", "-"},
         Task{CodesTask{readSet("1DX2-DT93,4XY1-ZKRX"), {"", "", "-"}}}},
        {{"--code", "1DX2-DT93", "--docx", "a.docx", "--heading", "5. A"},
         Task{CodePdfTask{sheetAlone(golden, false, "5. A", {}), {"", "a.docx", ""}}}},
        {{"--set", "s", "--odt", "a.odt"}, Task{SetPdfTask{"s", "", "", "a.odt"}}},
        {{"--sheets", "3", "--save-set", "s", "--docx", "a.docx"},
         Task{SaveSetTask{SheetsTask{{3, 20, 5, allKinds, "", "", 0}, {}, {"", "a.docx", ""}},
                          "s"}}},
        // Refused.
        {{"--sheets", "3", "--docx="}, refused("chybí jméno souboru DOCX.")},
        {{"--code", "1DX2-DT93", "--odt", ""}, refused("chybí jméno souboru ODT.")},
        {{"--code", "1DX2-DT93", "--text", "--docx", "a.docx"},
         refused("ke kódu patří jen jedno z --pdf SOUBOR, --text a --check SOUBOR.")},
        {{"--set", "s", "--overview", "--odt", "a.odt", "--docx", "-"},
         Task{SetOverviewTask{"s", "", {}, "", "-", "a.odt"}}},
        {{"--set", "s", "--overview", "--docx", "-", "--csv", "-"},
         refused("na standardní výstup jde jen jedno: přehled jako tabulka (--csv -), nebo jako "
                 "PDF (--pdf -), DOCX (--docx -) či ODT (--odt -).")},
        {{"--docx", "a.docx"},
         refused("--docx SOUBOR patří k --sheets N, --codes KÓDY, --code KÓD nebo --set "
                 "SOUBOR.")},
    };
    for (const auto& row : rows) {
        const Reading reading = readArguments(QStringList{"ciferon"} + row.arguments);
        EXPECT_TRUE(reading == row.expected)
            << row.arguments.join(' ').toStdString() << "\n  gives " << describe(reading)
            << "\n  not " << describe(row.expected);
    }
}

}  // namespace
}  // namespace ciferon::cli
