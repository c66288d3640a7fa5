// What the web page asks of the core and what it gets back, in plain C++: the class set the
// page prints, the core's layout as JSON, the print address, the check's marks and the
// projection's end screen, and the class set open on the page with its results grid and its
// overview. glue.cpp only passes these across to the page's script, so that
// everything here is built and tested natively too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "classset/classset.h"
#include "classset/follow_up.h"
#include "classset/set_file.h"
#include "codes/items.h"
#include "layout/layout.h"
#include "marking/check_session.h"
#include "marking/mistakes.h"
#include "marking/overview.h"

namespace ciferon::page {

// A teacher's list of kinds ("1-3,14") as the core reads it; no kind for anything else, which
// the class set's check refuses.
KindChoice chosenKinds(std::string_view list);

// The class-set dialog's settings: the numbers as typed (0 for what is not a whole number),
// the kinds as a teacher's list, the heading and the adapted sheets as typed, and their count
// (0 while it follows the set's count, -1 for an empty or unreadable one).
ClassSetSettings dialogSettings(int sheets, int count, int separator, std::string_view kinds,
                                std::string_view heading, std::string_view adapted,
                                int adaptedCount);

// The core's layout as JSON for the page, which only draws it: every face with its family,
// weight, ascent and height in em; every page with its texts [text, face, pt, x, y] (the
// left end of the baseline, in pt from the printable area's corner) and rules [x1, y1, x2,
// y2], and where a page has them its fills [x, y, width, height] (a chart's bars, mid grey),
// to a thousandth of a pt; the rules' width and the area's size in pt.
std::string layoutJson(const Layout& layout);

// The class set an address asks to print: its fragment after "#", such as
// "print=CODE,CODE&heading=5.%20A&adapted=2&duplex=1&mistakes=1", read as a browser reads a
// query (percent escapes, "+" for a blank). The codes, the heading and the adapted sheets go
// through the core's reader of a class set, so that the page refuses exactly what the command
// line's --codes refuses, with the core's sentence. An address with anything else — a part
// that is none of these, one given twice, duplex or mistakes other than 0 or 1, a broken
// escape — is refused too. Nothing (an empty variant) for a fragment without "print=", which
// asks for nothing.
struct AddressRefusal {
    std::string text;
    bool operator==(const AddressRefusal&) const = default;
};
std::variant<std::monostate, ClassSet, AddressRefusal> readPrintAddress(std::string_view fragment);

// The marks of a checked sheet as they count, for the page: one letter an exercise (u: not
// answered, r: right, w: wrong, n: not readable), the mark's text of each, one a line, whether
// each offers its worked solution (1 or 0), and the summary.
struct MarksText {
    std::string letters;
    std::string texts;
    std::string offers;
    std::string summary;
};
MarksText marksText(const CheckSession& session);

// A checked sheet's answers given as lines, two for each exercise (the answer and the
// remainder, empty where the result has none; missing lines are empty), evaluated in the
// session.
void evaluateAnswerLines(CheckSession& session, std::string_view lines);

// A pupil's result code typed for a sheet, as a class grid takes it in place of the answers:
// the marks it carries, one per exercise, or the core's sentence that refuses it (not valid,
// another sheet's, a sheet without result codes) and no marks.
struct ResultCodeMarks {
    std::vector<MarkedAnswer> marks;
    std::string refusal;
};
ResultCodeMarks resultCodeMarks(const Sheet& sheet, std::string_view typed);

// The projection's end screen: its results as "label TAB text" cells, one a line.
std::string resultCellLines(const std::vector<SheetItem>& items);

// "Procvičit podle výsledků": the follow-up set of a kept set's file (its bytes, refused with
// the file named `name`), its sheets' seeds from the source, as a new set file's text saved at
// `saved` ("2026-12-09T07:30:00Z"); or the one Czech sentence that refuses the file or a set
// without results.
struct FollowUpFile {
    std::string text;
    std::string refusal;
    bool operator==(const FollowUpFile&) const = default;
};
FollowUpFile followUpFile(std::string_view setFile, std::string_view name, FollowUpMode mode,
                          RandomSource& random, std::string_view saved);

}  // namespace ciferon::page

namespace ciferon::page {

// "Přehled třídy" as the page prints it: the overview of a set file's text, marked on the
// scale as typed ("90,75,50,30"; empty for the usual one), laid out by the core and given as
// layoutJson gives it. A file the core refuses (named `fileName` in its sentence) or a scale
// that does not read gives {"refusal": "the core's sentence"} instead.
std::string overviewLayoutJson(std::string_view setText, std::string_view fileName,
                               std::string_view scale);
// The class set open on the page ("sada"), its sheets' exercises, and the changes of its rows
// that Ctrl+Z undoes, the last one last.
struct OpenSet {
    explicit OpenSet(SetFile file);
    SetFile set;
    std::vector<std::vector<SheetItem>> items;  // of every sheet
    struct Change {
        std::size_t sheet = 0;
        std::optional<SheetRow> before;
    };
    std::vector<Change> undo;
};

// The grid of "Výsledky třídy…" as JSON: {"heading", "saved", "sheets": [row…]}, and one row:
// {"number", "name", "code", "adapted", "handedIn", "cells": [[expected, typed, sign, mark,
// note]…]}, where mark is a letter as in MarksText (none for a sheet not handed in: "") and
// the note says in words the exercise, its result, what was typed and its mark with the
// mistake named, as the grid's tooltip and the line under it show it.
std::string gridJson(const OpenSet& open);
std::string rowJson(const OpenSet& open, std::size_t sheet);

// A cell typed into: `typed` is the cell's whole text, taken as the Czech number row types
// digits (the core's cellText); the sheet is handed in and the cell marked. A new step to undo
// when `newStep` (the first change since the cell was entered). False, nothing changed, for
// no such cell or an answer longer than any reader reads.
bool typeCell(OpenSet& open, std::size_t sheet, std::size_t exercise, std::string_view typed,
              bool newStep);
// "Odevzdáno" and "Vymazat řádek": false when there was nothing to do.
bool handInSheet(OpenSet& open, std::size_t sheet);
bool clearSheet(OpenSet& open, std::size_t sheet);
// "Kód výsledku…": the sheet's row filled from a pupil's result code (marks without answers),
// a step to undo; or the core's refusal, the row unchanged.
std::string enterRowResultCode(OpenSet& open, std::size_t sheet, std::string_view typed);
// Ctrl+Z: the sheet whose row the last change is undone on, or none.
std::optional<std::size_t> undoChange(OpenSet& open);

// Pupils' names pasted as a list (the core's readNameList): empty when they are taken, else
// the core's refusal, the names unchanged.
std::string setNames(OpenSet& open, std::string_view list);

// What the page keeps in the browser's storage across a reload: the set file's text, without
// the names unless `names`.
std::string storedText(const SetFile& set, bool names);

// The set file to download, saved `secondsSince1970` (UTC): the set's time of saving is set.
std::string downloadText(SetFile& set, long long secondsSince1970);

// "Přehled třídy" as JSON for the page: {"handedIn", "sheets", "unreadable", "pupils":
// [{"number", "name", "code", "handedIn", "right", "total", "percent", "mark"}…], "kinds":
// [{"number", "name", "right", "total"}…] weakest first, "mistakes": [{"text", "count",
// "sheets": ["3 (Jana)"…]}…], "hardest": [{"exercise", "notRight", "handedIn"}…], "missing":
// ["5"…]}.
std::string overviewJson(const SetFile& set, const MarkScale& scale);

// "Procvičit podle výsledků…" as its dialog shows it, for the mode: {"intro", "wholeClass"
// (the box's label), "legend" (the set's kinds named), "sheets": [{"number", "name", "kinds"
// (as a teacher lists them, "1-3, 14"), "kindNames": ["1 – Součin dvou závorek"…], "reason"}…]};
// or {"refusal": "the core's sentence"} for a set without results.
std::string followUpJson(const SetFile& set, FollowUpMode mode);

}  // namespace ciferon::page
