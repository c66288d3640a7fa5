// The command line as one table: each list of arguments and what it gives, the task of one
// mode or the exact line that refuses it.
#include <gtest/gtest.h>

#include <string>

#include "arguments.h"

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

std::string describe(const Reading& reading) {
    if (const auto* refusal = std::get_if<Refusal>(&reading)) {
        return refusal->line.toStdString() + " (" + std::to_string(refusal->status) + ")";
    }
    return "the task of mode " + std::to_string(std::get<Task>(reading).index());
}

TEST(CommandLine, GivesOneModesTaskOrTheLineThatRefusesIt) {
    const Sheet golden = sheetOf("1DX2-DT93");
    const Sheet chosen = sheetOf("7AHD-EWGT-SSKE");
    const Sheet other = sheetOf("4XY1-ZKRX");
    const QString forty = QStringList(40, QStringLiteral("1DX2-DT93")).join(QLatin1Char(','));
    const QString heading = QStringLiteral("5. A – opakování");
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
         Task{SheetsTask{3, 20, 5, allKinds, {"a.pdf", {}, false, false}}}},
        {{"--sheets=3", "--count=7", "--separator", " 2 ", "--kinds=11,14-15", "--heading",
          "  " + heading + " ", "--duplex", "--pdf=-"},
         Task{SheetsTask{3, 7, 2, 0x6400, {"-", heading, true, false}}}},
        {{"--codes", "1DX2-DT93, 4xy1zkrx,7AHD-EWGT-SSKE", "--pdf", "a.pdf"},
         Task{CodesTask{{golden, other, chosen}, {"a.pdf", {}, false, false}}}},
        {{"--codes", forty, "--heading", heading, "--pdf", "a.pdf"},
         Task{CodesTask{std::vector<Sheet>(40, golden), {"a.pdf", heading, false, false}}}},
        {{"--code", "7AHD-EWGT-SSKE", "--pdf", "a.pdf", "--duplex"},
         Task{CodePdfTask{chosen, {"a.pdf", {}, true, false}}}},
        {{"--code", "1DX2-DT93", "--pdf", "a.pdf", "--mistakes"},
         Task{CodePdfTask{golden, {"a.pdf", {}, false, true}}}},
        {{"--sheets", "2", "--mistakes", "--pdf", "a.pdf"},
         Task{SheetsTask{2, 20, 5, allKinds, {"a.pdf", {}, false, true}}}},
        {{"--code", "1DX2-DT93", "--text", "--mistakes"},
         refused("časté chyby v klíči (--mistakes) patří k --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--check", "-", "--mistakes"},
         refused("časté chyby v klíči (--mistakes) patří k --pdf SOUBOR.")},
        {{"--code=1DX2-DT93", "--text"}, Task{CodeTextTask{golden}}},
        // Adapted sheets: listed within a set, with their count or the set's; a sheet by its
        // code adapted whole.
        {{"--sheets", "8", "--adapted", "3,7-8", "--adapted-count", "6", "--count", "12", "--pdf",
          "a.pdf"},
         Task{SheetsTask{8, 12, 5, allKinds, {"a.pdf", {}, false}, "3,7-8", 6}}},
        {{"--sheets", "2", "--adapted=all", "--pdf", "a.pdf"},
         Task{SheetsTask{2, 20, 5, allKinds, {"a.pdf", {}, false}, "all", 0}}},
        {{"--codes", "1DX2-DT93,4XY1-ZKRX", "--adapted", "2", "--pdf", "a.pdf"},
         Task{CodesTask{{golden, other}, {"a.pdf", {}, false}, {false, true}}}},
        {{"--code", "1DX2-DT93", "--adapted", "all", "--pdf", "a.pdf"},
         Task{CodePdfTask{golden, {"a.pdf", {}, false}, true}}},
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
         refused("upravené listy (--adapted) jsou čísla listů od 1 do 5 jednotlivě nebo jako "
                 "rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, nebo all, ne „3,6“.")},
        {{"--sheets", "5", "--adapted", "3,,4", "--pdf", "a.pdf"},
         refused("upravené listy (--adapted) jsou čísla listů od 1 do 5 jednotlivě nebo jako "
                 "rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, nebo all, ne „3,,4“.")},
        {{"--codes", "1DX2-DT93,4XY1-ZKRX", "--adapted", "3", "--pdf", "a.pdf"},
         refused("upravené listy (--adapted) jsou čísla listů od 1 do 2 jednotlivě nebo jako "
                 "rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, nebo all, ne „3“.")},
        {{"--sheets", "5", "--count", "10", "--adapted", "1", "--adapted-count", "11", "--pdf",
          "a.pdf"},
         refused("příkladů na upraveném listu (--adapted-count) musí být celé číslo od 1 do 10, "
                 "ne „11“.")},
        {{"--sheets", "5", "--adapted", "1", "--adapted-count", "0", "--pdf", "a.pdf"},
         refused("příkladů na upraveném listu (--adapted-count) musí být celé číslo od 1 do 20, "
                 "ne „0“.")},
        // Codes: the core's refusal from a small letter; in a list, the first bad one.
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

// A class set kept as a file: made and saved, printed again, its names and answers stored,
// its overview; each option only in its place.
TEST(CommandLine, KeepsAClassSetAsAFile) {
    const Sheet golden = sheetOf("1DX2-DT93");
    const Sheet other = sheetOf("4XY1-ZKRX");
    const struct {
        QStringList arguments;
        Reading expected;
    } rows[] = {
        {{"--sheets", "3", "--save-set", "5A.ciferon"},
         Task{SaveSetTask{SheetsTask{3, 20, 5, allKinds, {}}, "5A.ciferon"}}},
        {{"--sheets", "3", "--heading", "5. A", "--duplex", "--mistakes", "--adapted", "2",
          "--save-set", "5A.ciferon", "--pdf", "a.pdf"},
         Task{SaveSetTask{SheetsTask{3, 20, 5, allKinds, {"a.pdf", "5. A", true, true}, "2", 0},
                          "5A.ciferon"}}},
        {{"--codes", "1DX2-DT93,4XY1-ZKRX", "--adapted", "1", "--save-set", "s"},
         Task{SaveSetTask{CodesTask{{golden, other}, {}, {true, false}}, "s"}}},
        {{"--set", "s", "--pdf", "-"}, Task{SetPdfTask{"s", "-"}}},
        {{"--set", "s", "--names", "-"}, Task{SetNamesTask{"s", "-"}}},
        {{"--set", "s", "--sheet", " 40 ", "--answers", "a.txt"},
         Task{SetAnswersTask{"s", 40, "a.txt"}}},
        {{"--set", "s", "--overview"}, Task{SetOverviewTask{"s", {}, {}}}},
        {{"--set", "s", "--overview", "--csv", "p.csv", "--scale", "95,80,60,40"},
         Task{SetOverviewTask{"s", "p.csv", MarkScale{{95, 80, 60, 40}}}}},
        // Refused.
        {{"--sheets", "3"},
         refused("pracovní listy (--sheets) se zapisují do souboru podle --pdf SOUBOR.")},
        {{"--code", "1DX2-DT93", "--pdf", "a.pdf", "--save-set", "s"},
         refused("uložení sady (--save-set) patří k --sheets N nebo --codes KÓDY.")},
        {{"--sheets", "3", "--save-set="}, refused("chybí jméno souboru sady.")},
        {{"--set", "s"},
         refused("k sadě (--set) patří právě jedno z --pdf SOUBOR, --names SOUBOR, --sheet N "
                 "--answers SOUBOR a --overview.")},
        {{"--set", "s", "--names", "n", "--overview"},
         refused("k sadě (--set) patří právě jedno z --pdf SOUBOR, --names SOUBOR, --sheet N "
                 "--answers SOUBOR a --overview.")},
        {{"--set", "s", "--sheets", "3", "--pdf", "a.pdf"},
         refused("sada (--set) má své listy; --sheets, --codes a --code k ní nepatří.")},
        {{"--set", "s", "--heading", "5. B", "--pdf", "a.pdf"},
         refused("sada (--set) má nadpis, upravené listy a volby tisku uložené; --heading k ní "
                 "nepatří.")},
        {{"--set", "s", "--duplex", "--pdf", "a.pdf"},
         refused("sada (--set) má nadpis, upravené listy a volby tisku uložené; --duplex k ní "
                 "nepatří.")},
        {{"--set", "s", "--overview", "--pdf", "p.pdf"},
         refused("přehled třídy do PDF tato verze ještě neumí; vypíše ho jako text, s --csv "
                 "SOUBOR i jako tabulku.")},
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

}  // namespace
}  // namespace ciferon::cli
