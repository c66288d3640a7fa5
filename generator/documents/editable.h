// What the editable documents (DOCX and ODT) share as they are written from a document's
// blocks: text made safe for XML, the paragraph styles a teacher can restyle, and how many
// text columns a run of groups takes on A4 with the PDF's margins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "layout/document.h"

namespace ciferon::editable {

// A4 and the printouts' 15 mm margins, in mm.
inline constexpr double pageWidthMm = 210;
inline constexpr double pageHeightMm = 297;
inline constexpr double marginMm = 15;
inline constexpr double textWidthMm = pageWidthMm - 2 * marginMm;
// Between two text columns, as between the PDF's columns; an exercise's number before it.
inline constexpr double columnGapMm = 8;
inline constexpr double numberIndentMm = 10;
// The room left after a regular sheet's exercise to write its result in.
inline constexpr double answerRoomMm = 18;

// UTF-8 text as XML character data or an attribute's value: <, >, &, " and ' escaped (so
// that "]]>" never stands whole), control characters dropped (XML 1.0 has no place for
// them) and a malformed sequence as U+FFFD.
std::string xmlText(std::string_view text);

// The paragraph styles of the documents, each in a regular and an adapted variant (larger
// sans-serif type): named so that a teacher finds and restyles them.
enum class Role {
    SheetHeading,  // the heading above a sheet ("heading 1")
    PartHeading,   // "Výsledky", "Řešení" ("heading 2")
    Note,          // the letters' legend, the note on left-out solutions
    NameLine,      // "Jméno: ____ Datum: ____"
    SheetLine,     // "List 3 z 25 … Kód: …", ruled below
    Exercise,      // "12. 7+8=" with its answer place
    Line,          // a solution or a list's line
    Title,         // a sheet's title above its solutions or its results
    Result,        // a cell of the results' table
};

struct StyleName {
    std::string id;       // ASCII, as the document refers to it
    std::string display;  // as the word processor lists it
};

// A role's style in a face: the adapted variant for the sans-serif faces.
StyleName styleName(Role role, Face face);
bool isSans(Face face);
bool isBold(Face face);

// How a run of groups is set: how many text columns of equal width fit its widest line with
// its number and answer place (at most four; an adapted sheet's one), and their width in mm.
struct ColumnPlan {
    int count = 1;
    double widthMm = textWidthMm;
};
ColumnPlan columnPlan(const doc::Columns& columns);

// Results side by side in a row of the key's table: as many as fit the widest cell, at most
// ten, never more than the widest sheet has.
int resultsPerRow(const doc::Table& table);

// The line step of a run of groups as a multiple of single spacing, as the PDF sets it: a
// regular sheet's room to write between the lines, an adapted sheet's about twice its type's
// size, the key's solutions close.
double lineFactor(doc::Spacing spacing);

// A grid of the class's overview as the rows of a plain table, its heading row first and
// every row as wide as it; a row of fewer texts is filled with empty cells.
std::vector<std::vector<std::string>> textRows(const doc::Grid& grid);
// A bar chart as the rows of a plain table: the bar's label, its share as a run of up to ten
// blocks ("█"), and its count ("23 z 40").
std::vector<std::vector<std::string>> textRows(const doc::Bars& bars);

}  // namespace ciferon::editable
