// The class's answers typed into a set, one cell per exercise of a sheet, as the desktop's
// grid and the page's grid take them: what a cell's text means and how it is marked, and
// how a sheet's row follows the cells. The teacher marks against the key and types only what
// differs from it, so a cell left empty on a sheet handed in is right.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "classset/set_file.h"
#include "codes/items.h"
#include "codes/result_code.h"
#include "marking/mistakes.h"

namespace ciferon {

// A cell's text as typed: the Czech keyboard's number row without Shift (+ ě š č ř ž ý á í é,
// in either case) types the digits 1..9 and 0, as it does in codes; every other character is
// kept.
std::string cellText(std::string_view typed);

// Whether a cell's text says that the pupil gave no answer: "-" (or "−", "–"), blanks around.
bool noAnswerCell(std::string_view text);

// A cell's mark: empty is right (the answer is the key's), "-" is not answered, anything else
// is the pupil's answer as written, read and marked as a line of `--check` ("7 zb. 2",
// "7 (2)"), with its mistakes named.
MarkedAnswer markCell(const SheetItem& item, std::string_view text);

// The sheet handed in as all right, unless it is handed in already.
void handIn(SetSheet& sheet);

// Exercise `index` (from 0) of the sheet, of `items`, given the text of its cell: the sheet
// is handed in, the cell's text kept and its mark set; the other exercises keep theirs. The
// answers end at the last cell with text.
void enterCell(SetSheet& sheet, const std::vector<SheetItem>& items, std::size_t index,
               std::string_view text);

// The text of exercise `index`'s cell: what was typed, or "" for nothing.
std::string_view cellOf(const SetSheet& sheet, std::size_t index);

// A cell in words, as the grid's tooltip and the line under it say it: the exercise and the
// key's result, what was typed, and the mark with the mistake named: «3. 17:3 = 5 (2) ·
// napsáno „5“ · ✗ chybně – chybí zbytek», or «… · neodevzdáno».
std::string cellNote(const SetSheet& sheet, const SheetItem& item, std::size_t index);

// A pupil's result code typed for the sheet, in place of the answers: the sheet handed in with
// the marks and mistakes that the code carries, and no answers. When the code is refused, the
// fault, and the sheet as it was.
ResultCodeFault enterResultCode(SetSheet& sheet, std::string_view typed);

}  // namespace ciferon
