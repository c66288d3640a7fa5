#include "classset/classset.h"

#include <algorithm>
#include <set>
#include <utility>

#include "base/utf8.h"
#include "classset/seeds.h"
#include "codes/choice.h"
#include "codes/items.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

std::string rangeText(ClassSetField field) {
    std::string text(fieldName(field));
    text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text + " musí být celé číslo od 1 do " + std::to_string(fieldMax(field)) + ".";
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The items of a list separated by commas, each without the blanks around it; none for a
// list of blanks.
std::vector<std::string_view> listItems(std::string_view list) {
    std::vector<std::string_view> items;
    if (trimmed(list).empty()) {
        return items;
    }
    for (;;) {
        const std::size_t end = list.find(',');
        items.push_back(trimmed(list.substr(0, end)));
        if (end == std::string_view::npos) {
            return items;
        }
        list.remove_prefix(end + 1);
    }
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
            return {field, fieldMax(field), std::to_string(value), rangeText(field)};
        }
    }
    if (settings.kinds == 0 || (settings.kinds & ~allKinds) != 0) {
        return {ClassSetField::Kinds, 0, std::to_string(settings.kinds),
                "Zaškrtněte aspoň jeden druh příkladů."};
    }
    const int length = characterCount(settings.heading);
    if (length < 0 || length > headingMax) {
        return {ClassSetField::Heading, headingMax, std::to_string(length),
                "Nadpis smí mít nejvýše " + std::to_string(headingMax) + " znaků."};
    }
    const auto adapted = readAdaptedSheets(settings.adapted, settings.sheets);
    if (const auto beyond = adaptedSheetBeyond(settings.adapted, settings.sheets)) {
        return {ClassSetField::Adapted, settings.sheets, settings.adapted,
                "Upravené listy jsou listy této sady, od 1 do " + std::to_string(settings.sheets) +
                    "; list " + std::to_string(*beyond) + " v ní není."};
    }
    if (!adapted) {
        return {ClassSetField::Adapted, settings.sheets, settings.adapted,
                "Upravené listy jsou čísla listů od 1 do " + std::to_string(settings.sheets) +
                    " jednotlivě nebo jako rozsahy oddělené čárkou, třeba 3, 7 nebo 3,7-8, "
                    "nebo „všechny“."};
    }
    if (settings.adaptedCount < 0 || settings.adaptedCount > settings.count) {
        return {ClassSetField::AdaptedCount, settings.count, std::to_string(settings.adaptedCount),
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
            set.push_back({sheet, static_cast<int>(set.size()) + 1, isAdapted});
        }
    }
    return set;
}

ClassSet makeClassSet(const ClassSetSettings& settings, const PrintOptions& print,
                      RandomSource& random) {
    return {settings, classSetOf(settings, random), print};
}

std::variant<ClassSet, ClassSetProblem> readClassSet(std::string_view codes,
                                                     std::string_view heading,
                                                     std::string_view adapted,
                                                     const PrintOptions& print) {
    const std::vector<std::string_view> typed = listItems(codes);
    const auto listed = static_cast<int>(typed.size());
    if (typed.empty()) {
        return ClassSetProblem{ClassSetField::Codes, classSetMax, "0", "Seznam kódů je prázdný."};
    }
    if (listed > classSetMax) {
        return ClassSetProblem{ClassSetField::Codes, classSetMax, std::to_string(listed),
                               "Seznam kódů smí mít nejvýše " + std::to_string(classSetMax) +
                                   " kódů, ne " + std::to_string(listed) + "."};
    }
    ClassSet set;
    set.settings.sheets = listed;
    set.settings.heading = trimmed(heading);
    set.settings.adapted = adapted;
    set.print = print;
    if (ClassSetProblem problem = classSetProblem(set.settings)) {
        return problem;
    }
    const std::vector<bool> marked =
        readAdaptedSheets(adapted, listed).value_or(std::vector<bool>());
    for (const std::string_view code : typed) {
        const auto sheet = readSheetCode(code);
        if (!sheet) {
            return ClassSetProblem{ClassSetField::Code, 0, std::string(code), codeRefusal(code)};
        }
        if (std::any_of(
                set.sheets.begin(), set.sheets.end(),
                [&sheet](const ClassSetSheet& earlier) { return earlier.sheet == *sheet; })) {
            return ClassSetProblem{ClassSetField::RepeatedCode, 0, std::string(code),
                                   "Kód listu „" + std::string(code) +
                                       "“ je v seznamu dvakrát; dva žáci nesmějí dostat "
                                       "stejný list."};
        }
        const int number = static_cast<int>(set.sheets.size()) + 1;
        set.sheets.push_back({*sheet, number, marked.at(static_cast<std::size_t>(number))});
    }
    // What the sheets are, as the settings of a set made new would say it.
    set.settings.count = 0;
    set.settings.separator = set.sheets.front().sheet.separator;
    set.settings.kinds = 0;
    for (const ClassSetSheet& sheet : set.sheets) {
        set.settings.count = std::max(set.settings.count, sheet.sheet.count);
        set.settings.kinds |= sheet.sheet.kinds;
    }
    return set;
}

ClassSet sheetAlone(const Sheet& sheet, bool adapted, std::string_view heading,
                    const PrintOptions& print) {
    ClassSet set;
    set.settings.sheets = 1;
    set.settings.count = sheet.count;
    set.settings.separator = sheet.separator;
    set.settings.kinds = sheet.kinds;
    set.settings.heading = heading;
    set.settings.adapted = adapted ? "všechny" : "";
    set.sheets.push_back({sheet, 0, adapted});
    set.print = print;
    return set;
}

std::vector<PrintSheet> printedSheets(const ClassSet& set) {
    std::vector<PrintSheet> printed;
    printed.reserve(set.sheets.size());
    const auto total = static_cast<int>(set.sheets.size());
    for (const ClassSetSheet& sheet : set.sheets) {
        printed.push_back({sheetCode(sheet.sheet), sheet.number, sheet.number > 0 ? total : 0,
                           sheetItems(sheet.sheet),
                           sheet.adapted ? SheetStyle::Adapted : SheetStyle::Regular,
                           sheet.sheet.kinds});
    }
    return printed;
}

Layout classSetLayout(const ClassSet& set) {
    return sheetsLayout(printedSheets(set), set.settings.heading, set.print);
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
