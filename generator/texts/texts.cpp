#include "texts/texts.h"

#include <array>

#include "codes/choice.h"
#include "codes/sheet.h"

namespace ciferon {

std::string_view markSign(Mark mark) {
    switch (mark) {
        case Mark::Right:
            return "✓";
        case Mark::Wrong:
            return "✗";
        case Mark::Unreadable:
            return "?";
        case Mark::Unanswered:
            break;
    }
    return "–";
}

std::string markText(Mark mark) {
    if (mark == Mark::Unanswered) {
        return {};
    }
    std::string text(markSign(mark));
    text.append(" ").append(markWord(mark));
    if (mark == Mark::Unreadable) {
        text.append(" – ").append(unreadableHint());
    }
    return text;
}

namespace {

std::string partHeading(std::string title, std::string_view heading) {
    return heading.empty() ? title : title.append(": ").append(heading);
}

}  // namespace

std::string_view nameLabel() {
    return "Jméno:";
}

std::string_view dateLabel() {
    return "Datum:";
}

std::string sheetPlace(int number, int total) {
    return "List " + std::to_string(number) + " z " + std::to_string(total);
}

std::string codeLabel(std::string_view code) {
    return std::string("Kód: ").append(code);
}

std::string resultsHeading(std::string_view heading) {
    return partHeading("Výsledky", heading);
}

std::string solutionsHeading(std::string_view heading) {
    return partHeading("Řešení", heading);
}

std::string_view fewerSolutionsNote() {
    return "Řešení uvádí jen příklady s mezivýpočty; u ostatních je řešením samotný výsledek.";
}

std::string_view noSolutionsNote() {
    return "Řešení se netiskne: u všech příkladů je řešením samotný výsledek.";
}

std::string_view remainderLabel() {
    return "zb.";
}

std::string_view unreadableHint() {
    return "napiš číslo";
}

std::string sheetTitle(int number, int total, std::string_view code) {
    if (number > 0) {
        return sheetPlace(number, total) + ", kód " + std::string(code);
    }
    return std::string("Kód ").append(code);
}

std::string continuedTitle(std::string_view title) {
    return std::string(title).append(" (pokračování)");
}

std::string adaptedTitle(std::string_view title) {
    return std::string(title).append(" – upravený list");
}

std::string codeNotValid(std::string_view typed) {
    return std::string("kód listu „").append(typed).append("“ není platný");
}

std::string codeRefusal(std::string_view typed) {
    // The clause begins with an ASCII letter, so its first byte is the whole letter.
    std::string sentence = codeNotValid(typed).append(".");
    sentence.front() = 'K';
    return sentence;
}

std::string_view checkIntro() {
    return "Napiš výsledky příkladů a stiskni „Vyhodnotit“. U dělení se zbytkem napiš podíl a "
           "zbytek (zb.). Když si necháš ukázat řešení, počítá se u příkladu tvoje první "
           "vyhodnocená odpověď.";
}

std::string_view honestLine() {
    return "Kontrola je jen pro tebe: nic se neukládá ani neodesílá.";
}

std::string headingLabel() {
    return "Nadpis (nejvýše " + std::to_string(headingMax) + " znaků)";
}

std::string_view replaceEditedQuestion() {
    return "V polích je text, který jste upravili. Přejete si ho opravdu nahradit listem podle "
           "kódu?";
}

namespace {

constexpr std::array<HelpSection, 7> help{{
    {"Okno",
     "Generuj se zeptá, kolik příkladů chcete a po kolika je oddělit, a vytvoří nové: vlevo "
     "příklady, vpravo tytéž s postupem a výsledkem. Kopíruj obě pole do schránky je zkopíruje "
     "pod sebe, Smaž obsah obou polí je po potvrzení vymaže a Ukonči práci program hned ukončí."},
    {"Tisk a listy podle kódu",
     "Tisk… (v programu i Uložit jako PDF…) vytiskne obě pole; list otevřený podle kódu i s "
     "klíčem, s volbou Upravený list větším písmem a po jednom příkladu na řádku. Otevřít list "
     "podle kódu… ukáže list podle kódu z papíru, tentýž navždy. Promítat… ukáže příklady přes "
     "celou obrazovku jeden po druhém, s postupem a na konci s výsledky."},
    {"Pracovní listy pro třídu",
     "Každý žák dostane jiný list s vlastním kódem, za listy je klíč s výsledky a řešením všech "
     "listů. Zvolíte počet listů a příkladů, druhy příkladů, nadpis a upravené listy pro žáky s "
     "podpůrnými opatřeními."},
    {"Opravování",
     "Klíč uvádí výsledky listů podle jejich čísla; s volbou V klíči uvést časté chyby stojí u "
     "výsledku i chybné výsledky častých chyb. Odpovědi ze souboru opraví příkazová řádka: "
     "ciferon --code KÓD --check SOUBOR."},
    {"Kontrola žákem",
     "Zkontrolovat list podle kódu… ukáže příklady listu s políčky na výsledky. Vyhodnotit je "
     "označí a pojmenuje pravděpodobnou chybu. Ukázat řešení ukáže postup; příklad se pak počítá "
     "podle první vyhodnocené odpovědi."},
    {"Kód výsledku",
     "Na konci kontroly (i ciferon --code KÓD --check SOUBOR) žák dostane kód výsledku, který si "
     "opíše na list nebo ho pošle učiteli. Kód nese u každého příkladu, zda je správně, chybně "
     "(i s pojmenovanou chybou), bez odpovědi nebo nečitelný, a patří jen ke svému listu. Ve "
     "Výsledcích třídy ho zadáte do řádku listu místo odpovědí (ciferon --set SADA --sheet N "
     "--result-code KÓD). Je to vlastní zpráva žáka, ne důkaz: výsledky nejsou tajné, a kdo zná "
     "správné výsledky, může si kód listu bez chyb udělat sám."},
    {"Soukromí",
     "Ciferon nic neodesílá a nic si neukládá: vše běží jen v tomto počítači, webová stránka i "
     "bez připojení k internetu."},
}};

}  // namespace

std::span<const HelpSection> helpSections() {
    return help;
}

namespace {

std::string noResultCode() {
    return "list s více než " + std::to_string(resultCodeExercisesMax) + " příklady ho nemá.";
}

}  // namespace

std::string resultCodeLine(const std::optional<std::string>& code) {
    std::string line(resultCodeTitle);
    line.append(": ");
    return code ? line.append(*code) : line.append(noResultCode());
}

std::string resultCodeLine(const Sheet& sheet, std::span<const MarkedAnswer> marks) {
    return resultCodeLine(resultCode(sheet, marks));
}

std::string resultCodeQuestion(std::size_t number, std::string_view code) {
    return std::string("Kód výsledku z kontroly listu ")
        .append(std::to_string(number))
        .append(" (")
        .append(code)
        .append("):");
}

std::string resultCodeRefusal(ResultCodeFault fault, std::string_view typed) {
    std::string quoted("Kód výsledku „");
    quoted.append(typed).append("“");
    switch (fault) {
        case ResultCodeFault::None:
            return {};
        case ResultCodeFault::NotValid:
            return quoted.append(" není platný.");
        case ResultCodeFault::OtherSheet:
            return quoted.append(" patří k jinému listu.");
        case ResultCodeFault::NoCode:
            break;
    }
    return "List s více než " + std::to_string(resultCodeExercisesMax) +
           " příklady kód výsledku nemá.";
}

}  // namespace ciferon

namespace ciferon {

std::string overviewHeading(std::string_view heading) {
    return partHeading("Přehled třídy", heading);
}

std::string handedInLine(int handedIn, int sheets) {
    return "Odevzdáno " + partOf(handedIn, sheets) + " listů.";
}

std::string unreadableLine(int unreadable) {
    return "Nečitelné odpovědi: " + std::to_string(unreadable);
}

std::string partOf(int part, int whole) {
    return std::to_string(part) + " z " + std::to_string(whole);
}

std::string scaleRefusal(std::string_view typed) {
    return std::string(
               "Stupnice známek jsou čtyři celá procenta pro známky 1 až 4, každé menší "
               "než předchozí, třeba 90,75,50,30, ne „")
        .append(typed)
        .append("“.");
}

std::span<const std::string_view> pupilColumns() {
    static constexpr std::array<std::string_view, 7> columns{
        "List", "Jméno", "Kód", "Správně", "Celkem", "Procent", "Známka"};
    return columns;
}

}  // namespace ciferon

namespace ciferon {

std::string_view followUpIntro() {
    return "Nová sada se stejnými čísly listů a jmény: každý žák procvičí druhy příkladů, ve "
           "kterých chyboval nebo neodpověděl; kdo měl vše správně, procvičí druhy sady, a "
           "neodevzdaný list dostane nejslabší druhy třídy. Klíč u každého listu uvede jeho "
           "druhy.";
}

std::string_view followUpNoResults() {
    return "Sada ještě nemá žádné výsledky; procvičit podle výsledků lze, až bude zadán aspoň "
           "jeden odevzdaný list.";
}

std::string_view wholeClassWeakestLabel() {
    return "Celá třída procvičí nejslabší druhy třídy";
}

std::string practisedLine(std::string_view kindNumbers) {
    return std::string("Procvičuje: ").append(kindNumbers);
}

std::string practisedLegend(KindChoice kinds) {
    std::string legend = "Druhy příkladů: ";
    const char* separator = "";
    for (int kind = 0; kind < kindCount; ++kind) {
        if ((kinds & (1U << static_cast<unsigned>(kind))) != 0) {
            legend.append(separator).append(std::to_string(kind + 1)).append(" – ");
            legend.append(kindName(kind));
            separator = "; ";
        }
    }
    return legend.append(".");
}

std::string_view followUpReasonText(FollowUpReason reason) {
    switch (reason) {
        case FollowUpReason::Mistakes:
            return "chyby";
        case FollowUpReason::AllRight:
            return "vše správně";
        case FollowUpReason::NotHandedIn:
            return "neodevzdáno";
        case FollowUpReason::WholeClass:
            break;
    }
    return "nejslabší druhy třídy";
}

}  // namespace ciferon
