#include "kinds/terms.h"

#include "kinds/kind.h"

namespace ciferon {

namespace {

std::string variablePart(std::string_view prom1, int ex1, std::string_view prom2, int ex2,
                         std::string_view prom3, int ex3) {
    std::string part;
    const auto add = [&part](std::string_view name, int exponent) {
        if (exponent == 0 || name.empty()) {
            return;
        }
        part.append(name);
        if (exponent != 1) {
            appendPiece(part, exponent);
        }
    };
    add(prom1, ex1);
    add(prom2, ex2);
    add(prom3, ex3);
    return part;
}

}  // namespace

std::string clena(int cis, std::string_view prom1, int ex1, std::string_view prom2, int ex2,
                  std::string_view prom3, int ex3) {
    if (cis == 0) {
        return "0";  // a zero term never shows its variables
    }
    std::string variables = variablePart(prom1, ex1, prom2, ex2, prom3, ex3);
    if (variables.empty()) {
        return textOf(cis);
    }
    if (cis == 1) {
        return variables;
    }
    if (cis == -1) {
        return textOf("-", variables);
    }
    return textOf(cis, variables);
}

std::string clenb(int cis, std::string_view prom1, int ex1, std::string_view prom2, int ex2,
                  std::string_view prom3, int ex3) {
    if (cis == 0) {
        return "+0";
    }
    const std::string variables = variablePart(prom1, ex1, prom2, ex2, prom3, ex3);
    if (variables.empty()) {
        return cis > 0 ? textOf("+", cis) : textOf(cis);
    }
    if (cis == 1) {
        return textOf("+", variables);
    }
    if (cis == -1) {
        return textOf("-", variables);
    }
    return cis > 0 ? textOf("+", cis, variables) : textOf(cis, variables);
}

std::string zavorka(int cisa, int cisb, std::string_view prom) {
    return textOf("(", clena(cisa, prom, 1, prom, 0, prom, 0),
                  clenb(cisb, prom, 0, prom, 0, prom, 0), ")");
}

}  // namespace ciferon
