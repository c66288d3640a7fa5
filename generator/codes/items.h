// A sheet as its exercises: what every front-end lays out, marks and shows, so that none of
// them reads the lists' text back to find an exercise, its working or its result. Each item
// holds its parts as the exercise's kind made them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codes/sheet.h"
#include "kinds/kind.h"

namespace ciferon {

struct SheetItem {
    int number = 0;         // its number on the sheet, from 1
    int kind = 0;           // 0..14
    std::string exercise;   // the exercise text, as the exercise list holds it
    std::string working;    // its worked solution after the exercise, ending with the result
    Result result;          // what it comes to, as the kind worked it out
    bool groupEnd = false;  // an empty line follows it in both lists
    bool operator==(const SheetItem&) const = default;
};

// The solution list's line of an item: the exercise followed by its working.
std::string solutionLine(const SheetItem& item);

// The sheet's exercises in order, made by the same list making as sheetLists() from the same
// seed. Only for a valid sheet.
std::vector<SheetItem> sheetItems(const Sheet& sheet);

// The results of a sheet's exercises, in exercise order.
std::vector<Result> sheetResults(const Sheet& sheet);

// Whether two fields still hold a sheet's two lists unedited: `lists` as the sheet made them,
// the fields' texts as they hand them back, where a line may end with the LF alone that text
// fields keep as well as with CR LF.
bool holdsUnedited(const Lists& lists, std::string_view exercises, std::string_view solutions);

// The two lists that the items stand for: byte for byte what sheetLists() gives.
Lists listsOf(const std::vector<SheetItem>& items);

}  // namespace ciferon
