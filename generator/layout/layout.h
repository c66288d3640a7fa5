// The one pagination of every printout: pupils' sheets with their key, and the two lists as
// the fields hold them, laid out on A4 in pt. It decides everything that has a break in it —
// the columns and their width, which column and page every line, title and continuation
// falls on, the results table's grid, where a long heading wraps or shrinks, where the
// solutions begin and where two-sided printing leaves a back blank — and gives every page as
// positioned texts and rules. The desktop's paper and the web page only draw what it gives,
// measured with the same table of advance widths (font_widths.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codes/items.h"

namespace ciferon {

// The faces a printout is set in: Liberation Serif (or Times New Roman) for the regular
// sheets and the key, Liberation Sans (or Arial) for adapted sheets.
enum class Face { Serif, SerifBold, Sans, SansBold };

// The printable area of A4 portrait with 15 mm margins, in pt; a millimetre less in height,
// so that no rounding of a browser's pushes a page's foot onto a page of its own.
inline constexpr double ptPerMm = 72 / 25.4;
inline constexpr double pageWidth = 180 * ptPerMm;
inline constexpr double pageHeight = 266 * ptPerMm;
inline constexpr double ruleWidth = 0.2 * ptPerMm;

// A UTF-8 text's advance width in pt, set in `face` at `points`.
double textWidth(std::string_view text, Face face, double points);
// From one line to the next as the face sets it (ascent, descent and line gap), in pt.
double lineSpacing(Face face, double points);
// The face's ascent and descent at `points`, in pt.
double ascentOf(Face face, double points);
double descentOf(Face face, double points);

// A text to draw: its left end on the baseline at (x, y), in pt from the printable area's
// top left corner.
struct TextRun {
    std::string text;
    Face face = Face::Serif;
    double points = 12;
    double x = 0;
    double y = 0;
    bool operator==(const TextRun&) const = default;
};

// A straight line ruleWidth thick, in pt as a TextRun's position.
struct Rule {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

struct Page {
    std::vector<TextRun> texts;
    std::vector<Rule> rules;  // empty for a blank back of two-sided printing
};

struct Layout {
    std::vector<Page> pages;
    // Where each sheet begins, where the key ("Výsledky") and its solutions ("Řešení") do,
    // as indexes of `pages`; -1 where there is none.
    std::vector<int> sheetStarts;
    int resultsStart = -1;
    int solutionsStart = -1;
};

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
};

// How a printout is made, beside what it prints; its heading is the class set's.
struct PrintOptions {
    bool duplex = false;  // printed on both sides: every sheet and the key start on a front page
    // Each result in the key followed by the wrong answers that common mistakes give for it,
    // «7. 21 [Z 48]», with the letters' legend under the heading "Výsledky".
    bool mistakes = false;
    bool operator==(const PrintOptions&) const = default;
};

// Every pupil's sheet from a new page (heading, "Jméno:" and "Datum:" to fill in, "List k z
// N", "Kód: …", its exercises numbered in columns), then from a new page the key:
// "Výsledky", every sheet's title with its numbered results side by side, and below them, or
// from a new page where their heading and a few lines do not fit, "Řešení", every sheet's
// numbered worked solutions. A sheet longer than a page goes on under its title marked as
// continued. Two-sided, a blank back keeps every sheet and the key on a front page. The
// heading (may be empty) stands above every pupil's sheet and the key.
Layout sheetsLayout(const std::vector<PrintSheet>& sheets, std::string_view heading,
                    const PrintOptions& options);

// The two lists as the fields hold them, edits included: the exercises in as many columns
// as fit, the solutions from a new page; lines are CR LF or LF, empty lines part groups.
Layout listsLayout(std::string_view exercises, std::string_view solutions);

}  // namespace ciferon
