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

std::string sheetTitle(int number, int total, std::string_view code) {
    if (number > 0) {
        return "List " + std::to_string(number) + " z " + std::to_string(total) + ", kód " +
               std::string(code);
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

}  // namespace ciferon
