// The flow engine: lines in blocks set in as many columns as fit, down each column, then
// across, page after page; results side by side in rows of a grid. It knows nothing of
// sheets or keys: the pagination hands it blocks with their style.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "layout/metrics.h"
#include "layout/pages.h"

namespace ciferon::flow {

struct Cell {
    std::string label;       // "12."
    std::string text;        // "61", "8 (3)", or with the common mistakes' answers "21 [Z 48]"
    bool annotated = false;  // with the mistakes' answers, which may widen its column
    double x = 0;            // where its column begins, from the left of the block
};

struct Line {
    std::string label;  // "12." before the text, or empty
    std::string text;   // empty, without cells: the gap between two groups
    // A row of numbered results side by side, each in as many places as wide as the widest
    // plain result of the printout as it needs.
    std::vector<Cell> cells;
    double right = 0;        // where a row of results ends, from the left of the block
    bool remainder = false;  // an adapted sheet's line: a second box after "zb."
};

// Lines that belong together: a group of exercises, or one sheet's key. A block is moved to
// the next column rather than split where it fits whole in a column.
struct Block {
    std::string title;  // bold above the lines, and again where the block goes on
    std::vector<Line> lines;
    std::vector<Cell> cells;  // numbered results, set out after the lines in rows
};

struct Style {
    Face face = Face::Serif;
    double points = 12;
    double step = 0;        // from one line to the next
    double gapStep = 0;     // an empty line between groups
    double blockGap = 0;    // between two blocks
    double answerRoom = 0;  // left free after every line, to write the result in
    double columnGap = 0;
    double cellGap = 0;        // between two results in a row
    bool answerBoxes = false;  // one column, every line with ruled boxes to answer in
};

// Heights are added up in pt; a hair of tolerance keeps a line that fits exactly.
inline constexpr double tolerance = 0.01;

// Lays blocks out in columns from `top` down, page after page; a new page's columns begin
// where `nextPageTop` (which may put a line at the page's top) says. A block that does not fit
// under the last one goes whole to the next column where it fits in one; a longer one goes
// on in the next column under its title marked as continued. Returns how far down the last
// page the columns reach.
double setInColumns(Pages& pages, const Style& style, std::vector<Block> blocks, double top,
                    const std::function<double()>& nextPageTop);

}  // namespace ciferon::flow
