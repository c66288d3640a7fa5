// The class's overview on pages: a grid of texts under a heading row and a horizontal bar
// chart, each set row by row from a point down the page and going on on later pages. The
// pagination (layout.h) hands them the blocks of a section's body.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "layout/document.h"
#include "layout/pages.h"

namespace ciferon {

// A text in lines no wider than `width`, broken at its blanks (runs of blanks count as one); a
// word wider than the room alone is broken between its characters.
std::vector<std::string> wrapAtBlanks(std::string_view text, Face face, double points,
                                      double width);

// Sets the grid's heading row and rows from `top` down, page after page; returns where the
// grid ends. A grid without rows sets nothing.
double setGrid(Pages& pages, const doc::Grid& grid, double top);

// Sets the chart a bar a line from `top` down, page after page; returns where it ends.
double setBars(Pages& pages, const doc::Bars& bars, double top);

}  // namespace ciferon
