// A pupil's answers to one sheet as a text file, one line per exercise, as `--check` reads
// it: the file's rules beside the reading of one answer (results.h), so that every reader of
// such a file takes and refuses the same files.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "codes/items.h"
#include "marking/mistakes.h"
#include "marking/results.h"

namespace ciferon {

// Far more than any sheet's answers: 200 lines of the longest answer the core reads. A reader
// needs no more than one byte beyond it to know that a file is too long.
inline constexpr std::size_t answerFileMax = std::size_t{1} << 20;

struct FileMarks {
    enum class Fault { None, TooLarge, NotText, TooManyLines } fault = Fault::None;
    // One per item, with the mistakes named for a wrong answer, when there is no fault.
    std::vector<MarkedAnswer> marks;
};

// Marks a file's answers against the sheet's items: line i answers item i. Spreadsheets' and
// Notepad's UTF-8 mark (EF BB BF) before the first line is no answer, lines may end in CR LF,
// and empty or blank lines after the last item's answer answer nothing. A missing line is an
// unanswered item. Refused, in this order: more than answerFileMax bytes; bytes that are no
// text (a NUL byte, or anything that is not well-formed UTF-8: a lone or missing
// continuation byte, an overlong form, a surrogate, beyond U+10FFFF); more lines than items.
FileMarks markAnswerFile(std::string_view bytes, const std::vector<SheetItem>& items);

}  // namespace ciferon
