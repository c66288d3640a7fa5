// The printouts as documents: a class set with its key, a sheet printed alone and the two lists
// of the fields, block by block in the order they print, each block with its face and size.
// The pagination (layout.h) sets a document on A4 pages; an editable document is written from
// the same blocks without paginating them.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "codes/items.h"
#include "layout/metrics.h"

namespace ciferon {

// How a pupil's sheet is set: regular, or adapted for a pupil with a support measure (larger
// sans-serif type, more room, one exercise a line with ruled boxes to answer in).
enum class SheetStyle { Regular, Adapted };

// One pupil's sheet as it goes on paper.
struct PrintSheet {
    std::string code;
    int number = 0;  // its place in the class set, from 1; 0 for a sheet printed alone
    int total = 0;   // the size of the class set
    std::vector<SheetItem> items;
    SheetStyle style = SheetStyle::Regular;
    KindChoice kinds = 0;  // the kinds it practises, for a key that names them
};

// How a printout is made, beside what it prints; its heading is the class set's.
struct PrintOptions {
    bool duplex = false;  // printed on both sides: every sheet and the key start on a front page
    // Each result in the key followed by the wrong answers that common mistakes give for it,
    // «7. 21 [Z 48]», with the legend of the letters that occur under the heading "Výsledky".
    bool mistakes = false;
    // Under each sheet's title in the key, the kinds it practises («Procvičuje: 2, 5»), with
    // their names under "Výsledky": the key of a follow-up set.
    bool kinds = false;
    bool operator==(const PrintOptions&) const = default;
};

namespace doc {

// What begins with a block: a pupil's sheet, or one of the key's two parts (or the solutions
// list of the fields).
enum class Part { None, Sheet, Results, Solutions };

// The next block begins a new page, or a new sheet of paper: a front page when printed on
// both sides.
struct Break {
    bool paperSheet = false;
    Part part = Part::None;
    bool operator==(const Break&) const = default;
};

// A heading across the page, wrapped at its blanks.
struct Heading {
    std::string text;
    Face face = Face::SerifBold;
    double points = 14;
    bool operator==(const Heading&) const = default;
};

// Labels to fill in side by side, each with a line to write on: "Jméno:" and "Datum:".
struct NameLine {
    std::string name;
    std::string date;
    Face face = Face::Serif;
    double points = 12;
    bool operator==(const NameLine&) const = default;
};

// Below the name line: the sheet's place in its class set on the left ("List 3 z 25", empty
// for a sheet printed alone) and its code on the right ("Kód: 4XY1-ZKRX"), ruled below.
struct SheetLine {
    std::string place;
    std::string code;
    Face face = Face::Serif;
    double points = 12;
    bool operator==(const SheetLine&) const = default;
};

// Where a pupil writes an exercise's result: room after it on a regular sheet, there for a
// remainder a line for the quotient, "zb." and a line for the remainder; a ruled box (and a
// second after "zb." for a remainder) on an adapted one; none in a list or the key.
enum class AnswerPlace { None, Room, RoomAndRemainder, Box, BoxAndRemainder };

// A line of a group: "12." and "7+8=" with its answer place; a list's line has no number.
struct Entry {
    std::string number;
    std::string text;
    AnswerPlace place = AnswerPlace::None;
    bool gapAfter = false;  // a group of the sheet ends with it: a little room follows
    bool operator==(const Entry&) const = default;
};

// Entries kept together where they fit: a group of exercises, or one sheet's solutions under
// its title.
struct Group {
    std::string title;
    std::vector<Entry> entries;
    bool operator==(const Group&) const = default;
};

// How closely the lines of a run of groups stand: a regular sheet's room to write between
// them, an adapted sheet's one exercise a line, the key's solutions close, a list's lines as
// the fields hold them.
enum class Spacing { Sheet, AdaptedSheet, Solutions, List };

// Groups set in as many columns as fit, each group whole where it fits in a column.
struct Columns {
    Face face = Face::Serif;
    double points = 12;
    Spacing spacing = Spacing::List;
    std::vector<Group> groups;
    // Names what goes on at the top of every later page ("List 3 z 25, kód … (pokračování)"),
    // or is empty.
    std::string continued;
    // Beside it, a label with a line to write on ("Jméno:"), so that a loose page is known
    // whose it is; or empty.
    std::string continuedName;
    bool operator==(const Columns&) const = default;
};

// A result in the key's table: "12." and "8 (3)", with the wrong answers that common mistakes
// give for it (" [V 9 (1)]") where the key lists them.
struct Cell {
    std::string number;
    std::string result;
    std::string mistakes;
    bool operator==(const Cell&) const = default;
};

// One sheet's row of the results table: its title ("List 3 z 25, kód …") and its results.
struct TableRow {
    std::string title;
    std::vector<Cell> cells;
    std::string note;  // a line under the title, before the results; or empty
    bool operator==(const TableRow&) const = default;
};

// The key's results: a sheet a row, its results in numbered cells side by side.
struct Table {
    Face face = Face::Serif;
    double points = 10;
    std::vector<TableRow> rows;
    bool operator==(const Table&) const = default;
};

// A column of a grid: its title in the heading row, and whether its texts stand flush right
// (numbers). The wide column is given what room the others leave, its texts wrapped at their
// blanks; the others are as wide as their widest text.
struct GridColumn {
    std::string title;
    bool right = false;
    bool wide = false;
    bool operator==(const GridColumn&) const = default;
};

// A table of texts: the columns' titles in bold with a rule under them, a row a line (more
// where a wide column wraps), a rule at its end. A row is kept whole on a page; a later page
// begins with the `continued` line and the heading row again. A row of fewer texts than
// columns has its last text across the columns left, flush left ("neodevzdáno").
struct Grid {
    Face face = Face::Serif;
    double points = 10;
    std::vector<GridColumn> columns;
    std::vector<std::vector<std::string>> rows;
    std::string continued;
    bool operator==(const Grid&) const = default;
};

// One bar of a chart: its label, how much of it is filled (`part` of `whole`, none of none),
// and the text after it ("23 z 40").
struct Bar {
    std::string label;
    int part = 0;
    int whole = 0;
    std::string count;
    bool operator==(const Bar&) const = default;
};

// A horizontal bar chart: a bar a line, the labels in a column before the bars, which are all
// as long, and the counts after them.
struct Bars {
    Face face = Face::Serif;
    double points = 10;
    std::vector<Bar> bars;
    bool operator==(const Bars&) const = default;
};

// A titled part of the key ("Výsledky", "Řešení") or of the class's overview ("Žáci"): its
// heading and the notes under it (the letters' legend), then its body. An untitled section begins
// where it stands.
struct Section {
    Part part = Part::None;
    Heading title;
    std::vector<Heading> notes;
    std::variant<Table, Columns, Grid, Bars> body;
    bool operator==(const Section&) const = default;
};

using Block = std::variant<Break, Heading, NameLine, SheetLine, Columns, Section>;

}  // namespace doc

struct Document {
    std::vector<doc::Block> blocks;
};

// Every pupil's sheet from a new sheet of paper (the heading, "Jméno:" and "Datum:" to fill
// in, "List k z N", "Kód: …", its exercises numbered in groups with their answer places, and
// "Jméno:" again on every later page), then from a new sheet of paper the key: "Výsledky"
// (with the legend of the letters that occur where the key lists common mistakes, and a line
// where solutions are left out) with every sheet's results as a row of the table, and
// "Řešení" with every sheet's numbered worked solutions under its title, leaving out those
// that are their result alone, and the whole part where none remains. The heading (may be
// empty) stands above every pupil's sheet and the key.
Document sheetsDocument(const std::vector<PrintSheet>& sheets, std::string_view heading,
                        const PrintOptions& options);

// The two lists as the fields hold them, edits included: the exercises in groups between empty
// lines, then from a new page the solutions; lines are CR LF or LF.
Document listsDocument(std::string_view exercises, std::string_view solutions);

}  // namespace ciferon
