// What a teacher asks for a class set, and the one check of it that the dialog, the page and
// the command line share, so that all of them refuse the same requests with the same words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/sheet.h"

namespace ciferon {

struct ClassSetSettings {
    int sheets = classSetDefault;
    int count = sheetCountDefault;
    int separator = sheetSeparatorDefault;
    KindChoice kinds = allKinds;
    std::string heading;  // UTF-8
    // The sheets laid out for pupils with support measures, as a teacher lists them: "3, 7",
    // "3,7-8", "všechny" (or "all") for every sheet; empty for none.
    std::string adapted;
    int adaptedCount = 0;  // exercises on an adapted sheet, 1..count; 0: as many as on the others
};

// The settings that a class set checks, in the order they are checked.
enum class ClassSetField { None, Sheets, Count, Separator, Kinds, Heading, Adapted, AdaptedCount };

struct ClassSetProblem {
    ClassSetField field = ClassSetField::None;
    std::string text;  // a Czech sentence saying why, empty when nothing is wrong
    explicit operator bool() const { return field != ClassSetField::None; }
};

// The first setting that keeps the class set from being made, and why; nothing when it can
// be made. The heading is counted in characters, not bytes; malformed UTF-8 is refused.
ClassSetProblem classSetProblem(const ClassSetSettings& settings);

// A setting's name as its sentence begins with it ("počet listů", "upravené listy"), and a
// number setting's largest value, each starting from 1 (for Sheets, Count and Separator).
std::string_view fieldName(ClassSetField field);
int fieldMax(ClassSetField field);

// Which sheets of a set of `sheets` are adapted, indexed by the sheet's number from 1 (index
// 0 unused); empty for a list that is not valid.
std::optional<std::vector<bool>> readAdaptedSheets(std::string_view list, int sheets);

// The first sheet that a list of adapted sheets names beyond a set of `sheets`, for a list
// that is otherwise well formed: 3 for "1, 3" in a set of 2. Nothing for a list that is
// valid for the set or not well formed.
std::optional<int> adaptedSheetBeyond(std::string_view list, int sheets);

// One sheet of a class set, and whether it is laid out adapted. Its code does not say so: the
// code opens the same exercises either way.
struct ClassSetSheet {
    Sheet sheet;
    bool adapted = false;
};

// A class set as the settings ask, for settings that classSetProblem() passes: seeds from the
// source as newSheetSeed() chooses them (no exercise repeated on a sheet where the kinds
// allow it), no two sheets with the same exercise list, an adapted sheet with its own count.
// Without adapted sheets, the sheets of classSet() from the same source.
std::vector<ClassSetSheet> classSetOf(const ClassSetSettings& settings, RandomSource& random);

// A class set: `sheets` sheets of `count` exercises of the chosen kinds with seeds from the
// source, no two with the same exercise list. The arguments must lie in their ranges and the
// choice must not be empty.
std::vector<Sheet> classSet(int sheets, int count, int separator, RandomSource& random,
                            KindChoice kinds = allKinds);

// The heading's length in characters (code points), or -1 for malformed UTF-8.
int characterCount(std::string_view text);

}  // namespace ciferon
