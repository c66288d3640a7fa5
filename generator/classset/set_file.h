// A class set kept as a file (a "sada", such as 5A-deleni.ciferon): what prints it again
// exactly, the pupils' names and the marks of the sheets handed in. The format is read and
// written here once, for every front-end; README.md describes it, so that a teacher's edit in
// a text editor is read as it is meant. Every later version opens every earlier file.
//
// The file is one JSON object in UTF-8 (a byte-order mark before it is allowed):
//   {"format": "ciferon-set", "version": 1, "heading": "5. A", "duplex": false,
//    "mistakes": false, "saved": "2026-12-09T07:30:00Z",
//    "sheets": [{"number": 1, "code": "1DX2-DT93", "adapted": false, "name": "Jana",
//                "marks": ["right", "wrong: carry-forgotten", "unanswered", "unreadable"],
//                "answers": ["", "52", "", "5x"]}, ...]}
// A sheet handed in has "marks", one per exercise; "answers" may follow, at most one per
// exercise, "" where nothing was typed. A file cut short anywhere lacks the object's closing
// brace, and so is refused whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classset/classset.h"
#include "codes/sheet.h"
#include "marking/answer_file.h"
#include "marking/mistakes.h"

namespace ciferon {

// The version this program writes; it reads every version up to it.
inline constexpr int setFileVersion = 1;
// Far more than a set of 40 sheets of 200 answers with names takes; anything longer is not a
// set file, and a reader needs no more than one byte beyond it to know.
inline constexpr std::size_t setFileMax = std::size_t{4} << 20;
// The longest pupil's name, in characters.
inline constexpr int pupilNameMax = 200;
// The longest typed answer kept, in bytes; the reader reads no more of one (answerMax).
inline constexpr std::size_t keptAnswerMax = answerMax;

// One handed-in sheet: each exercise's mark, and the answers typed, "" where none was. There
// may be fewer answers than marks, or none: marks alone come from elsewhere than typing.
struct SheetRow {
    std::vector<MarkedAnswer> marks;
    std::vector<std::string> answers;
    bool operator==(const SheetRow&) const = default;
};

struct SetSheet {
    Sheet sheet;
    bool adapted = false;
    std::string name;             // the pupil's name, UTF-8; empty for none
    std::optional<SheetRow> row;  // set once the sheet is handed in
    bool operator==(const SetSheet&) const = default;
};

// A class set as its file holds it; sheet i is "List i+1".
struct SetFile {
    std::string heading;
    std::vector<SetSheet> sheets;
    bool duplex = false;    // printed on both sides
    bool mistakes = false;  // the key lists the common mistakes' wrong answers
    std::string saved;      // when it was last saved: "2026-12-09T07:30:00Z" (UTC)
    // The key names under each sheet's code the kinds it practises (a follow-up set). The file
    // holds "kinds": true only then, so that other sets' files stay as they were.
    bool kinds = false;
    bool operator==(const SetFile&) const = default;
};

// The file's text. The time of saving is the set's own `saved`, which the caller sets.
std::string writeSetFile(const SetFile& set);

// A set read from a file's bytes, or one Czech sentence that refuses the file, saying what is
// wrong and where, with the file named as `name`: never part of a set.
struct SetFileReading {
    std::optional<SetFile> set;
    std::string refusal;
};
SetFileReading readSetFile(std::string_view bytes, std::string_view name);

// A time as the file writes it: seconds since 1970 (UTC) as "2026-12-09T07:30:00Z".
std::string savedText(long long secondsSince1970);

// A row from a pupil's answer file and its marks as markAnswerFile() gives them for a file it
// does not refuse: the marks, and each line as typed (a CR at its end dropped, at most
// keptAnswerMax bytes of it), without the empty lines at the end.
SheetRow rowOfAnswerFile(std::string_view bytes, FileMarks marked);

// Pupils' names pasted as a list, one a line in sheet order: blanks around a name dropped, an
// empty line for a sheet without one, empty lines at the end ignored. The names for sheets
// 1..n, or a Czech sentence that refuses the list: more names than `sheets`, a name longer
// than pupilNameMax characters, malformed UTF-8.
struct NameList {
    std::vector<std::string> names;
    std::string refusal;
};
NameList readNameList(std::string_view text, int sheets);

// The mistake's name in the file: "left-to-right", "carry-forgotten"… These names are part of
// the format: they never change, and new mistakes only add names.
std::string_view mistakeKey(Mistake mistake);

// A class set just made as its file begins: its heading, its sheets in order with which are
// adapted, and its print options; no names and no results yet.
SetFile setFileOf(const ClassSet& set);

// The class set that a file keeps, to print it again: its sheets numbered in order, adapted
// where the file says, under its heading, with its print options.
ClassSet classSetOf(const SetFile& set);

}  // namespace ciferon
