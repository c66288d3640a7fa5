// What a teacher asks for a class set, and the one check of it that the dialog, the page and
// the command line share, so that all of them refuse the same requests with the same words;
// the class set itself (its settings, its sheets in order and how it prints), made new or
// read from a list of codes, and the sheets it prints.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "codes/sheet.h"
#include "layout/layout.h"

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
    bool operator==(const ClassSetSettings&) const = default;
};

// The settings that a class set checks, in the order they are checked, and for a class set
// read from codes its list (empty or too long), a code that opens no sheet and a code listed
// twice.
enum class ClassSetField {
    None,
    Sheets,
    Count,
    Separator,
    Kinds,
    Heading,
    Adapted,
    AdaptedCount,
    Codes,
    Code,
    RepeatedCode
};

// Why a class set cannot be made: the field, the limit it broke and the value refused, so
// that a front-end can word its own line (the command line names its options), and the
// core's sentence, which the dialogs and the page show as it stands.
struct ClassSetProblem {
    ClassSetField field = ClassSetField::None;
    // The largest value allowed: for Sheets, Count, Separator and Codes their maximum, for
    // Heading its characters, for Adapted the number of sheets, for AdaptedCount the count;
    // 0 for the others.
    int limit = 0;
    // The value refused: a number in decimal, the adapted list or the code as given, the
    // heading's length in characters (-1 for malformed UTF-8), the number of codes listed.
    std::string value;
    std::string text;  // a Czech sentence saying why, empty when nothing is wrong
    explicit operator bool() const { return field != ClassSetField::None; }
    bool operator==(const ClassSetProblem&) const = default;
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

// One sheet of a class set, its place in the set, and whether it is laid out adapted. Its
// code does not say so: the code opens the same exercises either way.
struct ClassSetSheet {
    Sheet sheet;
    int number = 0;  // from 1 in a class set; 0 for a sheet printed alone, not numbered
    bool adapted = false;
    bool operator==(const ClassSetSheet&) const = default;
};

// Everything a class set is and how it prints, in the shape a file keeps it: the settings it
// was made with (for a set read from codes, the heading, the adapted list, the number of
// sheets, the longest sheet's count, the first sheet's separator and every kind practised),
// its sheets in order and the print options. The heading is the settings' alone.
struct ClassSet {
    ClassSetSettings settings;
    std::vector<ClassSetSheet> sheets;
    PrintOptions print;
    bool operator==(const ClassSet&) const = default;
};

// A new class set as the settings ask, for settings that classSetProblem() passes: the
// sheets of classSetOf() from the source.
ClassSet makeClassSet(const ClassSetSettings& settings, const PrintOptions& print,
                      RandomSource& random);

// A class set of exactly these codes, separated by commas, in this order, under `heading`
// (UTF-8, without the blanks around it), the sheets listed in `adapted` ("3, 7", "všechny",
// "all"; empty for none) laid out adapted. Refused, with the first problem, as
// classSetProblem() refuses the settings (at most classSetMax codes, the heading's length,
// the adapted list), and also for an empty list, a code that opens no sheet and a code
// listed twice: two pupils must never get the same sheet. A set made by makeClassSet(), its
// codes read back with its adapted list, gives the same sheets.
std::variant<ClassSet, ClassSetProblem> readClassSet(std::string_view codes,
                                                     std::string_view heading,
                                                     std::string_view adapted,
                                                     const PrintOptions& print);

// One sheet printed alone, as opened by its code: not numbered, adapted whole or not.
ClassSet sheetAlone(const Sheet& sheet, bool adapted, std::string_view heading = {},
                    const PrintOptions& print = {});

// The class set's sheets as they go on paper: in its order, "List k z N" from each sheet's
// number (none for a sheet printed alone), adapted sheets in the adapted style.
std::vector<PrintSheet> printedSheets(const ClassSet& set);

// The class set and its key laid out, under its heading, as its print options ask.
Layout classSetLayout(const ClassSet& set);

// A class set's sheets as the settings ask, for settings that classSetProblem() passes: seeds
// from the source as newSheetSeed() chooses them (no exercise repeated on a sheet where the
// kinds allow it), no two sheets with the same exercise list, numbered from 1, an adapted
// sheet with its own count. Without adapted sheets, the sheets of classSet() from the same
// source.
std::vector<ClassSetSheet> classSetOf(const ClassSetSettings& settings, RandomSource& random);

// A class set: `sheets` sheets of `count` exercises of the chosen kinds with seeds from the
// source, no two with the same exercise list. The arguments must lie in their ranges and the
// choice must not be empty.
std::vector<Sheet> classSet(int sheets, int count, int separator, RandomSource& random,
                            KindChoice kinds = allKinds);

// The heading's length in characters (code points), or -1 for malformed UTF-8.
int characterCount(std::string_view text);

}  // namespace ciferon
