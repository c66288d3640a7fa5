#include "classset.h"

#include <utility>

namespace ciferon {

namespace {

std::string rangeText(ClassSetField field) {
    std::string text(fieldName(field));
    text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text + " musí být celé číslo od 1 do " + std::to_string(fieldMax(field)) + ".";
}

}  // namespace

std::string_view fieldName(ClassSetField field) {
    switch (field) {
        case ClassSetField::Sheets:
            return "počet listů";
        case ClassSetField::Count:
            return "počet příkladů";
        case ClassSetField::Separator:
            return "oddělování";
        default:
            break;
    }
    return {};
}

int fieldMax(ClassSetField field) {
    switch (field) {
        case ClassSetField::Sheets:
            return classSetMax;
        case ClassSetField::Count:
            return sheetCountMax;
        case ClassSetField::Separator:
            return sheetSeparatorMax;
        default:
            break;
    }
    return 0;
}

int characterCount(std::string_view text) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80U            ? 1
                                   : (lead >> 5U) == 0x6U  ? 2
                                   : (lead >> 4U) == 0xEU  ? 3
                                   : (lead >> 3U) == 0x1EU ? 4
                                                           : 0;
        if (length == 0 || at + length > text.size()) {
            return -1;
        }
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0U) != 0x80U) {
                return -1;
            }
        }
        at += length;
    }
    return count;
}

ClassSetProblem classSetProblem(const ClassSetSettings& settings) {
    const auto outside = [](int value, ClassSetField field) {
        return value < 1 || value > fieldMax(field);
    };
    for (const auto& [value, field] : {std::pair{settings.sheets, ClassSetField::Sheets},
                                       std::pair{settings.count, ClassSetField::Count},
                                       std::pair{settings.separator, ClassSetField::Separator}}) {
        if (outside(value, field)) {
            return {field, rangeText(field)};
        }
    }
    if (settings.kinds == 0 || (settings.kinds & ~allKinds) != 0) {
        return {ClassSetField::Kinds, "Zaškrtněte aspoň jeden druh příkladů."};
    }
    const int length = characterCount(settings.heading);
    if (length < 0 || length > headingMax) {
        return {ClassSetField::Heading,
                "Nadpis smí mít nejvýše " + std::to_string(headingMax) + " znaků."};
    }
    return {};
}

}  // namespace ciferon
