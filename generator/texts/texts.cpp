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

std::string codeRefusal(std::string_view typed) {
    return std::string("Kód listu „").append(typed).append("“ není platný.");
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

constexpr std::array<HelpSection, 6> help{{
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
    {"Soukromí",
     "Ciferon nic neodesílá a nic si neukládá: vše běží jen v tomto počítači, webová stránka i "
     "bez připojení k internetu."},
}};

}  // namespace

std::span<const HelpSection> helpSections() {
    return help;
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
