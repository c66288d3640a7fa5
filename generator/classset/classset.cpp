#include "classset/classset.h"

#include <algorithm>
#include <set>
#include <utility>

#include "base/utf8.h"
#include "classset/seeds.h"
#include "codes/choice.h"

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
        case ClassSetField::Adapted:
            return "upravené listy";
        case ClassSetField::AdaptedCount:
            return "příkladů na upraveném listu";
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
        if (!nextCodePoint(text, at)) {
            return -1;
        }
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
    const auto adapted = readAdaptedSheets(settings.adapted, settings.sheets);
    if (const auto beyond = adaptedSheetBeyond(settings.adapted, settings.sheets)) {
        return {ClassSetField::Adapted, "Upravené listy jsou listy této sady, od 1 do " +
                                            std::to_string(settings.sheets) + "; list " +
                                            std::to_string(*beyond) + " v ní není."};
    }
    if (!adapted) {
        return {ClassSetField::Adapted,
                "Upravené listy jsou čísla listů od 1 do " + std::to_string(settings.sheets) +
                    " jednotlivě nebo jako rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, "
                    "nebo „všechny“."};
    }
    if (settings.adaptedCount < 0 || settings.adaptedCount > settings.count) {
        return {ClassSetField::AdaptedCount,
                "Příkladů na upraveném listu musí být celé číslo od 1 do " +
                    std::to_string(settings.count) + "."};
    }
    return {};
}

std::optional<std::vector<bool>> readAdaptedSheets(std::string_view list, int sheets) {
    const std::size_t first = list.find_first_not_of(" \t");
    const std::string_view trimmed =
        first == std::string_view::npos
            ? std::string_view()
            : list.substr(first, list.find_last_not_of(" \t") - first + 1);
    const auto size = static_cast<std::size_t>(std::max(sheets, 0)) + 1;
    if (trimmed.empty()) {
        return std::vector<bool>(size, false);
    }
    if (trimmed == "všechny" || trimmed == "Všechny" || trimmed == "VŠECHNY" || trimmed == "all") {
        std::vector<bool> all(size, true);
        all.front() = false;
        return all;
    }
    return readNumberList(trimmed, sheets);
}

std::optional<int> adaptedSheetBeyond(std::string_view list, int sheets) {
    // Far more than any set has, so that a number typed beyond it is still told.
    constexpr int listedMax = 9999;
    if (readAdaptedSheets(list, sheets)) {
        return std::nullopt;
    }
    const auto listed = readAdaptedSheets(list, listedMax);
    if (!listed) {
        return std::nullopt;
    }
    const auto beyond = std::find(listed->begin() + std::max(sheets, 0) + 1, listed->end(), true);
    if (beyond == listed->end()) {
        return std::nullopt;
    }
    return static_cast<int>(beyond - listed->begin());
}

std::vector<ClassSetSheet> classSetOf(const ClassSetSettings& settings, RandomSource& random) {
    const std::vector<bool> adapted =
        readAdaptedSheets(settings.adapted, settings.sheets)
            .value_or(std::vector<bool>(static_cast<std::size_t>(settings.sheets) + 1, false));
    const int adaptedCount = settings.adaptedCount > 0 ? settings.adaptedCount : settings.count;
    std::vector<ClassSetSheet> set;
    std::set<std::string> exerciseLists;
    while (static_cast<int>(set.size()) < settings.sheets) {
        const bool isAdapted = adapted.at(set.size() + 1);
        Sheet sheet;
        sheet.count = isAdapted ? adaptedCount : settings.count;
        sheet.separator = settings.separator;
        sheet.kinds = settings.kinds;
        sheet.seed = newSheetSeed(sheet, random);
        // A repeated seed repeats the list; short sheets may also meet by chance. Even one
        // exercise of division with remainder, the kind with the fewest (405), leaves room for
        // a class set of 40.
        if (exerciseLists.insert(sheetLists(sheet).exercises).second) {
            set.push_back({sheet, isAdapted});
        }
    }
    return set;
}

std::vector<Sheet> classSet(int sheets, int count, int separator, RandomSource& random,
                            KindChoice kinds) {
    ClassSetSettings settings;
    settings.sheets = sheets;
    settings.count = count;
    settings.separator = separator;
    settings.kinds = kinds;
    std::vector<Sheet> set;
    for (const ClassSetSheet& made : classSetOf(settings, random)) {
        set.push_back(made.sheet);
    }
    return set;
}

}  // namespace ciferon
