#include "texts/texts.h"

namespace ciferon {

std::string markText(Mark mark) {
    switch (mark) {
        case Mark::Right:
            return std::string("✓ ").append(markWord(mark));
        case Mark::Wrong:
            return std::string("✗ ").append(markWord(mark));
        case Mark::Unreadable:
            return std::string("? ").append(markWord(mark)).append(" – napiš číslo");
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

std::string_view honestLine() {
    return "Výsledky jsou skryté jen proto, abyste je neviděli omylem. Nejsou tajné: „Otevřít "
           "list podle kódu…“ ukáže tentýž list i s řešením. Nic se neukládá ani neodesílá.";
}

}  // namespace ciferon
