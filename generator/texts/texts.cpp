#include "texts/texts.h"

namespace ciferon {

std::string markText(Mark mark) {
    switch (mark) {
        case Mark::Right:
            return std::string("✓ ").append(markWord(mark));
        case Mark::Wrong:
            return std::string("✗ ").append(markWord(mark));
        case Mark::Unanswered:
            break;
    }
    return {};
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

std::string_view honestLine() {
    return "Výsledky jsou skryté jen proto, abyste je neviděli omylem. Nejsou tajné: „Otevřít "
           "list podle kódu…“ ukáže tentýž list i s řešením. Nic se neukládá ani neodesílá.";
}

}  // namespace ciferon
