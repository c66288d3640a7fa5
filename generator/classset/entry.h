// How the class-set dialogs read what a teacher types, the same in the window, on the page and
// on the command line: a typed count, and the adapted sheets' count, which follows the set's
// count until the teacher sets another.
#pragma once

#include <string_view>

namespace ciferon {

// A count as typed into a dialog's field or given to an option: the whole number it is
// (blanks around it and a sign allowed), or 0 for anything else, which no count's range
// holds, so that the class set's check refuses it with its range.
int typedCount(std::string_view typed);

// The adapted sheets' count as typed: the whole number it is, or -1 for an empty field, 0 or
// anything else. Never 0, which the settings take as "as many as on the other sheets": a count
// that the teacher typed and that is not a count is refused with its range.
int typedAdaptedCount(std::string_view typed);

// Whether the adapted sheets' list names any (more than blanks): only then does their count
// mean anything, and only then may it be changed.
bool adaptedSheetsListed(std::string_view adapted);

// The adapted sheets' count field goes up to the set's count and takes it, following every
// change of it, until the teacher sets another: whether it still follows after the teacher
// changed it to `adaptedCount` while the set's count is `count`. Once it stops following it
// never follows again until the dialog opens anew.
bool adaptedCountFollows(bool followed, int adaptedCount, int count);

// The adapted sheets' count that the settings take: 0 ("as many as on the others") while it
// follows the set's count or no adapted sheets are listed, else the count as the field holds it.
int adaptedCountSetting(bool follows, int adaptedCount, std::string_view adapted);

}  // namespace ciferon
