// What the pagination gives: every page of a printout as positioned texts, rules and fills, in
// pt on the printable area of A4. The desktop's paper and the web page only draw these.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "layout/metrics.h"

namespace ciferon {

// The printable area of A4 portrait with 15 mm margins, in pt; a millimetre less in height,
// so that no rounding of a browser's pushes a page's foot onto a page of its own.
inline constexpr double ptPerMm = 72 / 25.4;
inline constexpr double pageWidth = 180 * ptPerMm;
inline constexpr double pageHeight = 266 * ptPerMm;
inline constexpr double ruleWidth = 0.2 * ptPerMm;

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

// A filled rectangle, such as a bar of a chart, in mid grey (half black), in pt from its top
// left corner.
struct Fill {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct Page {
    std::vector<TextRun> texts;
    std::vector<Rule> rules;  // empty for a blank back of two-sided printing
    std::vector<Fill> fills;
};

struct Layout {
    std::vector<Page> pages;
    // Where each sheet begins, where the key ("Výsledky") and its solutions ("Řešení") do,
    // as indexes of `pages`; -1 where there is none.
    std::vector<int> sheetStarts;
    int resultsStart = -1;
    int solutionsStart = -1;
};

// The pages of one printout as they are filled, and whether the last one has anything on it.
class Pages {
  public:
    Pages(Layout& layout, bool duplex) : layout_(layout), duplex_(duplex) {
        layout_.pages.emplace_back();
    }

    void text(std::string text, Face face, double points, double x, double y) {
        layout_.pages.back().texts.push_back({std::move(text), face, points, x, y});
        used_ = true;
    }
    void rule(double x1, double y1, double x2, double y2) {
        layout_.pages.back().rules.push_back({x1, y1, x2, y2});
        used_ = true;
    }
    void fill(double x, double y, double width, double height) {
        layout_.pages.back().fills.push_back({x, y, width, height});
        used_ = true;
    }
    [[nodiscard]] int current() const { return static_cast<int>(layout_.pages.size()) - 1; }

    // A new page, unless the current one is still empty.
    void newPage() {
        if (used_) {
            layout_.pages.emplace_back();
            used_ = false;
        }
    }
    // A new sheet of paper: printed on both sides, the next front page.
    void newPaperSheet() {
        newPage();
        if (duplex_ && current() % 2 == 1) {
            layout_.pages.emplace_back();
        }
    }

  private:
    Layout& layout_;
    bool duplex_;
    bool used_ = false;
};

}  // namespace ciferon
