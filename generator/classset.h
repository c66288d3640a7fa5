// What a teacher asks for a class set, and the one check of it that the dialog, the page and
// the command line share, so that all of them refuse the same requests with the same words.
#pragma once

#include <string>
#include <string_view>

#include "sheet.h"

namespace ciferon {

struct ClassSetSettings {
    int sheets = classSetDefault;
    int count = sheetCountDefault;
    int separator = sheetSeparatorDefault;
    KindChoice kinds = allKinds;
    std::string heading;  // UTF-8
};

// The settings that a class set checks, in the order they are checked.
enum class ClassSetField { None, Sheets, Count, Separator, Kinds, Heading };

struct ClassSetProblem {
    ClassSetField field = ClassSetField::None;
    std::string text;  // a Czech sentence saying why, empty when nothing is wrong
    explicit operator bool() const { return field != ClassSetField::None; }
};

// The first setting that keeps the class set from being made, and why; nothing when it can
// be made. The heading is counted in characters, not bytes; malformed UTF-8 is refused.
ClassSetProblem classSetProblem(const ClassSetSettings& settings);

// A number setting's name as a sentence uses it ("počet listů") and its largest value; each
// starts from 1. For Sheets, Count and Separator only.
std::string_view fieldName(ClassSetField field);
int fieldMax(ClassSetField field);

// The heading's length in characters (code points), or -1 for malformed UTF-8.
int characterCount(std::string_view text);

}  // namespace ciferon
