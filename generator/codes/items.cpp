#include "codes/items.h"

#include <utility>

namespace ciferon {

std::vector<SheetItem> sheetItems(const Sheet& sheet) {
    ClockRandom random;
    random.seedWith(sheet.seed);
    std::vector<MadeExercise> made =
        makeExercises(sheet.count, sheet.separator, random, sheet.kinds);
    std::vector<SheetItem> items;
    items.reserve(made.size());
    for (MadeExercise& one : made) {
        SheetItem item;
        item.number = static_cast<int>(items.size()) + 1;
        item.kind = one.kind;
        item.exercise = std::move(one.texts.exercise);
        item.working = std::move(one.texts.working);
        item.result = one.texts.result;
        item.groupEnd = one.groupEnd;
        items.push_back(std::move(item));
    }
    return items;
}

std::string solutionLine(const SheetItem& item) {
    return item.exercise + item.working;
}

namespace {

// Whether a field's text is the list's, a CR LF of the list standing in the field as it is or
// as LF alone.
bool sameText(std::string_view list, std::string_view field) {
    while (!list.empty() && !field.empty()) {
        if (list.starts_with(crlf) && field.front() == '\n') {
            list.remove_prefix(crlf.size());
        } else if (list.front() == field.front()) {
            list.remove_prefix(1);
        } else {
            return false;
        }
        field.remove_prefix(1);
    }
    return list.empty() && field.empty();
}

}  // namespace

bool holdsUnedited(const Lists& lists, std::string_view exercises, std::string_view solutions) {
    return sameText(lists.exercises, exercises) && sameText(lists.solutions, solutions);
}

Lists listsOf(const std::vector<SheetItem>& items) {
    Lists lists;
    for (const SheetItem& item : items) {
        lists.exercises.append(item.exercise).append(crlf);
        lists.solutions.append(item.exercise).append(item.working).append(crlf);
        if (item.groupEnd) {
            lists.exercises.append(crlf);
            lists.solutions.append(crlf);
        }
    }
    return lists;
}

std::vector<Result> sheetResults(const Sheet& sheet) {
    std::vector<Result> results;
    for (const SheetItem& item : sheetItems(sheet)) {
        results.push_back(item.result);
    }
    return results;
}

}  // namespace ciferon
