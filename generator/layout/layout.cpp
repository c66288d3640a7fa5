#include "layout/layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <utility>

#include "layout/font_widths.h"
#include "marking/mistakes.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

// Heights are added up in pt; a hair of tolerance keeps a line that fits exactly.
constexpr double tolerance = 0.01;

const fonts::FaceMetrics& metricsOf(Face face) {
    switch (face) {
        case Face::SerifBold:
            return fonts::serifBold;
        case Face::Sans:
            return fonts::sans;
        case Face::SansBold:
            return fonts::sansBold;
        case Face::Serif:
            break;
    }
    return fonts::serif;
}

// One face's widths in font units: Latin-1 from an array, the rest from the sorted table.
class Widths {
  public:
    explicit Widths(const fonts::FaceMetrics& metrics) : metrics_(metrics) {
        latin_.fill(metrics.fallback);
        for (std::size_t i = 0; i < metrics.size; ++i) {
            if (metrics.advances[i].codePoint < latin_.size()) {
                latin_.at(metrics.advances[i].codePoint) = metrics.advances[i].width;
            }
        }
    }

    [[nodiscard]] int of(std::uint32_t c) const {
        if (c < latin_.size()) {
            return latin_.at(c);
        }
        const fonts::Advance* end = metrics_.advances + metrics_.size;
        const fonts::Advance* found = std::lower_bound(
            metrics_.advances, end, c,
            [](const fonts::Advance& a, std::uint32_t b) { return a.codePoint < b; });
        return found != end && found->codePoint == c ? found->width : metrics_.fallback;
    }

  private:
    const fonts::FaceMetrics& metrics_;
    std::array<int, 256> latin_{};
};

const Widths& widthsOf(Face face) {
    static const std::array<Widths, 4> all{Widths(fonts::serif), Widths(fonts::serifBold),
                                           Widths(fonts::sans), Widths(fonts::sansBold)};
    return all.at(static_cast<std::size_t>(face));
}

// The code point that starts at `at`, moving `at` past it; a malformed byte counts as one
// character of the fallback width.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || at + length > text.size()) {
        ++at;
        return lead < 0x80 ? lead : 0xFFFD;
    }
    std::uint32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return c;
}

// A character's first byte, to cut a text only between characters.
bool startsCharacter(std::string_view text, std::size_t at) {
    return at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}

double units(Face face, double points) {
    return points / metricsOf(face).unitsPerEm;
}

}  // namespace

double textWidth(std::string_view text, Face face, double points) {
    const Widths& widths = widthsOf(face);
    long total = 0;
    for (std::size_t at = 0; at < text.size();) {
        total += widths.of(nextCodePoint(text, at));
    }
    return static_cast<double>(total) * units(face, points);
}

double lineSpacing(Face face, double points) {
    const fonts::FaceMetrics& m = metricsOf(face);
    return (m.ascent + m.descent + m.lineGap) * units(face, points);
}

double ascentOf(Face face, double points) {
    return metricsOf(face).ascent * units(face, points);
}

double descentOf(Face face, double points) {
    return metricsOf(face).descent * units(face, points);
}

namespace {

Face bold(Face face) {
    return face == Face::Sans || face == Face::SansBold ? Face::SansBold : Face::SerifBold;
}

struct Cell {
    std::string label;       // "12."
    std::string text;        // "61", "8 (3)", or with the common mistakes' answers "21 [Z 48]"
    bool annotated = false;  // with the mistakes' answers: as many places of a row as it needs
    int slot = 0;            // its place in its row, counted in places of the widest plain result
};

struct Line {
    std::string label;  // "12." before the text, or empty
    std::string text;   // empty, without cells: the gap between two groups
    // A row of numbered results side by side, each in as many places as wide as the widest
    // plain result of the printout as it needs.
    std::vector<Cell> cells;
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

// The pages of one printout, and whether the last one has anything on it yet.
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

// Splits a line that is wider than `width` between two characters that are not both digits,
// so that no number is broken; only a run of digits wider than the room itself is cut.
std::vector<std::string> breakToWidth(std::string_view text, double width, Face face,
                                      double points) {
    std::vector<std::string> pieces;
    std::string_view rest = text;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (textWidth(rest, face, points) > width && rest.size() > 1) {
        std::size_t fit = 0;
        double used = 0;
        for (std::size_t at = 0; at < rest.size();) {
            std::size_t next = at;
            nextCodePoint(rest, next);
            used += textWidth(rest.substr(at, next - at), face, points);
            if (used > width && fit > 0) {
                break;
            }
            fit = next;
            at = next;
        }
        std::size_t cut = fit;
        while (cut > 0 && cut < rest.size() && digit(rest[cut - 1]) && digit(rest[cut])) {
            --cut;
        }
        cut = cut > 0 ? cut : fit;
        while (cut < rest.size() && !startsCharacter(rest, cut)) {
            ++cut;
        }
        pieces.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut);
    }
    pieces.emplace_back(rest);
    return pieces;
}

// Lays blocks out in columns, down each column and then across, page after page. A block
// that does not fit under the last one goes whole to the next column where it fits in one;
// a longer one goes on in the next column under its title marked as continued.
class Flow {
  public:
    Flow(Pages& pages, Style style, std::vector<Block> blocks, double top,
         std::function<double()> nextPageTop)
        : pages_(pages),
          style_(style),
          blocks_(std::move(blocks)),
          titleFace_(bold(style.face)),
          nextPageTop_(std::move(nextPageTop)),
          top_(top),
          y_(top) {
        space_ = width(" ");
        arrangeCells();
        double widestLabel = 0;
        for (const Block& block : blocks_) {
            for (const Line& line : block.lines) {
                widestLabel = std::max(widestLabel, width(line.label));
            }
        }
        labelWidth_ = widestLabel > 0 ? widestLabel + space_ : 0;
        const double textRoom = pageWidth - labelWidth_ - style_.answerRoom;
        double widest = 0;
        for (Block& block : blocks_) {
            std::vector<Line> lines;
            for (Line& line : block.lines) {
                if (!line.cells.empty()) {
                    const Cell& last = line.cells.back();
                    widest = std::max(widest,
                                      rowWidth(static_cast<std::size_t>(last.slot) + span(last)));
                    lines.push_back(std::move(line));
                    continue;
                }
                const double lineWidth = width(line.text);
                if (lineWidth <= textRoom || style_.answerBoxes) {
                    widest = std::max(widest, lineWidth);
                    lines.push_back(std::move(line));
                    continue;
                }
                const auto pieces = breakToWidth(line.text, textRoom, style_.face, style_.points);
                for (std::size_t i = 0; i < pieces.size(); ++i) {
                    widest = std::max(widest, width(pieces[i]));
                    lines.push_back({i == 0 ? line.label : std::string(), pieces[i], {}, false});
                }
            }
            block.lines = std::move(lines);
            widest =
                std::max(widest, textWidth(block.title, titleFace_, style_.points) - labelWidth_);
        }
        widest_ = widest;
        columnWidth_ = std::min(pageWidth, labelWidth_ + widest + style_.answerRoom);
        columns_ = style_.answerBoxes
                       ? 1
                       : std::max(1, static_cast<int>((pageWidth + style_.columnGap) /
                                                      (columnWidth_ + style_.columnGap)));
        pitch_ = columns_ > 1 ? (pageWidth - columnWidth_) / (columns_ - 1) : 0;
    }

    // Returns how far down the last page the columns reach.
    double placeAll() {
        for (const Block& block : blocks_) {
            place(block);
        }
        return std::max(lowest_, y_);
    }

  private:
    [[nodiscard]] double width(std::string_view text) const {
        return textWidth(text, style_.face, style_.points);
    }
    [[nodiscard]] double rowWidth(std::size_t cells) const {
        return static_cast<double>(cells) * cellPitch_ - style_.cellGap;
    }

    // The places a result takes in a row: one, or for one with the mistakes' answers as many as
    // its width needs.
    [[nodiscard]] std::size_t span(const Cell& cell) const {
        if (!cell.annotated) {
            return 1;
        }
        const double needed = cellLabel_ + space_ + width(cell.text) + style_.cellGap;
        return std::max<std::size_t>(
            1, static_cast<std::size_t>(std::ceil(needed / cellPitch_ - 1e-9)));
    }

    // How many rows of `places` the results take, filled in order.
    [[nodiscard]] std::size_t rowsOf(const std::vector<Cell>& cells, std::size_t places) const {
        std::size_t rows = 0;
        std::size_t used = places;
        for (const Cell& cell : cells) {
            const std::size_t needs = span(cell);
            if (used + needs > places) {
                ++rows;
                used = 0;
            }
            used += needs;
        }
        return rows;
    }

    // Results side by side, in rows of as many places as make the blocks take the fewest lines
    // once the columns that fit beside each other are counted: a block is at least as wide as
    // its title, so a row of two or three results costs no width that the title does not. A
    // place is as wide as the widest plain result; one with the mistakes' answers takes as many
    // places as it needs, so that a few long ones do not widen every result.
    void arrangeCells() {
        double labelWidth = 0;
        double textWidest = 0;
        double titleWidth = 0;
        std::size_t most = 0;
        for (const Block& block : blocks_) {
            for (const Cell& cell : block.cells) {
                labelWidth = std::max(labelWidth, width(cell.label));
                if (!cell.annotated) {
                    textWidest = std::max(textWidest, width(cell.text));
                }
            }
            titleWidth = std::max(titleWidth, textWidth(block.title, titleFace_, style_.points));
            most = std::max(most, block.cells.size());
        }
        if (most == 0) {
            return;
        }
        cellLabel_ = labelWidth;
        cellPitch_ = labelWidth + space_ + textWidest + style_.cellGap;
        std::size_t widestSpan = 1;
        for (const Block& block : blocks_) {
            for (const Cell& cell : block.cells) {
                widestSpan = std::max(widestSpan, span(cell));
            }
        }
        std::size_t perRow = widestSpan;
        double fewest = std::numeric_limits<double>::max();
        for (std::size_t tried = widestSpan;
             tried <= most * widestSpan && rowWidth(tried) <= pageWidth; ++tried) {
            const double rowRoom = std::max(titleWidth, rowWidth(tried));
            const int columns = std::max(
                1, static_cast<int>((pageWidth + style_.columnGap) / (rowRoom + style_.columnGap)));
            double lines = 0;
            for (const Block& block : blocks_) {
                lines += static_cast<double>(rowsOf(block.cells, tried) + 1) +
                         style_.blockGap / style_.step;
            }
            lines /= columns;
            if (lines < fewest) {
                fewest = lines;
                perRow = tried;
            }
        }
        for (Block& block : blocks_) {
            std::size_t used = perRow;
            for (Cell& cell : block.cells) {
                const std::size_t needs = span(cell);
                if (used + needs > perRow) {
                    block.lines.emplace_back();
                    used = 0;
                }
                cell.slot = static_cast<int>(used);
                used += needs;
                block.lines.back().cells.push_back(std::move(cell));
            }
            block.cells.clear();
        }
    }

    [[nodiscard]] static bool gap(const Line& line) {
        return line.text.empty() && line.cells.empty();
    }

    void place(const Block& block) {
        const double bottom = pageHeight + tolerance;
        const double titleHeight = block.title.empty() ? 0 : style_.step;
        double height = titleHeight;
        for (const Line& line : block.lines) {
            height += gap(line) ? style_.gapStep : style_.step;
        }
        if (y_ > top_) {
            y_ += style_.blockGap;
        }
        const bool fitsInAColumn = height <= bottom - top_;
        const bool roomToBegin = y_ + titleHeight + 2 * style_.step <= bottom;
        if (y_ > top_ && y_ + height > bottom && (fitsInAColumn || !roomToBegin)) {
            nextColumn();
        }
        if (!block.title.empty()) {
            title(block.title);
        }
        for (const Line& line : block.lines) {
            if (gap(line)) {
                y_ = y_ > top_ ? y_ + style_.gapStep : y_;
                continue;
            }
            if (y_ + style_.step > bottom) {
                nextColumn();
                if (!block.title.empty()) {
                    title(continuedTitle(block.title));
                }
            }
            const double baseline = baselineIn(style_.face, style_.points);
            const double left = column_ * pitch_;
            // The number right-aligned before its text; a row's results side by side.
            if (!line.cells.empty()) {
                for (const Cell& cell : line.cells) {
                    const double cellLeft = left + static_cast<double>(cell.slot) * cellPitch_;
                    pages_.text(cell.label + ' ' + cell.text, style_.face, style_.points,
                                cellLeft + cellLabel_ - width(cell.label), baseline);
                }
            } else if (line.label.empty()) {
                pages_.text(line.text, style_.face, style_.points, left + labelWidth_, baseline);
            } else {
                pages_.text(line.label + ' ' + line.text, style_.face, style_.points,
                            left + labelWidth_ - space_ - width(line.label), baseline);
            }
            if (style_.answerBoxes) {
                answerBoxes(left + labelWidth_ + widest_ + space_, baseline, line.remainder);
            }
            y_ += style_.step;
        }
    }

    // Ruled boxes on the line's baseline, wide enough for a three-digit result, the second
    // after "zb." for a remainder.
    void answerBoxes(double left, double baseline, bool remainder) {
        const double boxWidth = width("0000");
        const double top = baseline - ascentOf(style_.face, style_.points);
        const double foot = baseline + descentOf(style_.face, style_.points);
        const auto box = [this, top, foot, boxWidth](double x) {
            pages_.rule(x, top, x + boxWidth, top);
            pages_.rule(x, foot, x + boxWidth, foot);
            pages_.rule(x, top, x, foot);
            pages_.rule(x + boxWidth, top, x + boxWidth, foot);
        };
        box(left);
        if (remainder) {
            const double after = left + boxWidth + space_;
            pages_.text("zb.", style_.face, style_.points, after, baseline);
            box(after + width("zb.") + space_);
        }
    }

    [[nodiscard]] double baselineIn(Face face, double points) const {
        return y_ + (style_.step - lineSpacing(face, points)) / 2 + ascentOf(face, points);
    }

    // A title wider than its column, as a continued one may be, is set smaller, so that it
    // neither runs into the next column nor off the paper.
    void title(const std::string& text) {
        const double titleWidth = textWidth(text, titleFace_, style_.points);
        const double points = titleWidth > columnWidth_ + tolerance
                                  ? style_.points * columnWidth_ / titleWidth
                                  : style_.points;
        pages_.text(text, titleFace_, points, column_ * pitch_, baselineIn(titleFace_, points));
        y_ += style_.step;
    }

    void nextColumn() {
        lowest_ = std::max(lowest_, y_);
        if (++column_ < columns_) {
            y_ = top_;
            return;
        }
        pages_.newPage();
        column_ = 0;
        top_ = nextPageTop_();
        y_ = top_;
        lowest_ = top_;
    }

    Pages& pages_;
    Style style_;
    std::vector<Block> blocks_;
    Face titleFace_;
    std::function<double()> nextPageTop_;
    double space_ = 0;
    double labelWidth_ = 0;
    double widest_ = 0;     // the widest text of a line
    double cellLabel_ = 0;  // the widest number of a result
    double cellPitch_ = 0;  // from one result in a row to the next
    double columnWidth_ = 0;
    double pitch_ = 0;
    int columns_ = 1;
    int column_ = 0;
    double top_;
    double y_;
    double lowest_ = 0;  // the foot of the longest column on this page
};

// Type of `points` from one line to the next `spacing` times its line spacing; an empty line
// and the room between blocks are a whole line unless changed.
Style styleOf(Face face, double points, double spacing) {
    Style style;
    style.face = face;
    style.points = points;
    style.step = lineSpacing(face, points) * spacing;
    style.gapStep = style.step;
    style.blockGap = style.step;
    style.columnGap = 8 * ptPerMm;
    return style;
}

// A pupil's sheet: room between the lines to write in, and after every "=" for the result.
Style sheetStyle(SheetStyle kind) {
    if (kind == SheetStyle::Adapted) {
        // Half as large again in a plain sans-serif, twice the type size from line to line,
        // and a clear line between groups.
        Style style = styleOf(Face::Sans, 18, 1);
        style.step = 2 * style.points;
        style.gapStep = style.step;
        style.blockGap = style.step;
        style.answerBoxes = true;
        return style;
    }
    Style style = styleOf(Face::Serif, 12, 1.6);
    style.gapStep = style.step / 2;
    style.blockGap = style.gapStep;
    style.answerRoom = 18 * ptPerMm;
    return style;
}

// Small and close, so that a class set's results take a page or two.
Style resultsStyle() {
    Style style = styleOf(Face::Serif, 10, 1.15);
    style.blockGap = style.step / 2;
    style.columnGap = 7 * ptPerMm;
    style.cellGap = 4 * ptPerMm;
    return style;
}

Style keyStyle() {
    Style style = styleOf(Face::Serif, 11, 1.1);
    style.gapStep = style.step / 3;
    return style;
}

// A heading wrapped at its blanks, from `y` down; a word too long for the page makes the
// type smaller. Returns where the heading's last line ends, 2 mm below it.
double heading(Pages& pages, std::string_view text, Face face, double points, double y) {
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) {
            words.push_back(text.substr(at, end - at));
        }
        at = end + 1;
    }
    double widestWord = 0;
    for (const std::string_view word : words) {
        widestWord = std::max(widestWord, textWidth(word, face, points));
    }
    if (widestWord > pageWidth) {
        points *= pageWidth / widestWord;
    }
    const double step = lineSpacing(face, points);
    std::string line;
    const auto flush = [&] {
        pages.text(line, face, points, 0, y + ascentOf(face, points));
        y += step;
        line.clear();
    };
    for (const std::string_view word : words) {
        std::string longer = line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (!line.empty() && textWidth(longer, face, points) > pageWidth + tolerance) {
            flush();
            longer = std::string(word);
        }
        line = std::move(longer);
    }
    if (!line.empty()) {
        flush();
    }
    return y + 2 * ptPerMm;
}

// The top of a pupil's sheet: heading, name and date to fill in, the sheet's place and code.
double sheetTop(Pages& pages, const PrintSheet& sheet, std::string_view headingText,
                const Style& style) {
    const double scale = style.points / 12;
    const Face face = style.face;
    const double points = style.points;
    double y = 0;
    if (!headingText.empty()) {
        y = heading(pages, headingText, bold(face), 16 * scale, y);
    }
    const double mm = ptPerMm * scale;
    double baseline = y + ascentOf(face, points) + 4 * mm;
    const std::string name = "Jméno:";
    const std::string date = "Datum:";
    const double dateLeft = pageWidth * 0.68;
    const double underline = baseline + 1 * mm;
    pages.text(name, face, points, 0, baseline);
    pages.rule(textWidth(name, face, points) + 2 * mm, underline, dateLeft - 6 * mm, underline);
    pages.text(date, face, points, dateLeft, baseline);
    pages.rule(dateLeft + textWidth(date, face, points) + 2 * mm, underline, pageWidth, underline);
    baseline += lineSpacing(face, points) + 4 * mm;
    if (sheet.number > 0) {
        pages.text("List " + std::to_string(sheet.number) + " z " + std::to_string(sheet.total),
                   face, points, 0, baseline);
    }
    const std::string code = "Kód: " + sheet.code;
    pages.text(code, face, points, pageWidth - textWidth(code, face, points), baseline);
    const double below = baseline + descentOf(face, points) + 2 * mm;
    pages.rule(0, below, pageWidth, below);
    return below + 4 * mm;
}

std::string numbered(int number) {
    return std::to_string(number) + '.';
}

// A sheet's exercises as blocks, a group each.
std::vector<Block> exerciseGroups(const PrintSheet& sheet) {
    std::vector<Block> blocks(1);
    for (const SheetItem& item : sheet.items) {
        blocks.back().lines.push_back(
            {numbered(item.number), item.exercise, {}, item.result.remainder.has_value()});
        if (item.groupEnd && &item != &sheet.items.back()) {
            blocks.emplace_back();
        }
    }
    if (blocks.back().lines.empty()) {
        blocks.pop_back();
    }
    return blocks;
}

// A sheet's title in the key, which names an adapted sheet as one.
std::string keyTitle(const PrintSheet& sheet) {
    const std::string title = sheetTitle(sheet.number, sheet.total, sheet.code);
    return sheet.style == SheetStyle::Adapted ? adaptedTitle(title) : title;
}

// A list's lines without the line break that ends the last one.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// Groups of a field's lines between its empty lines, unnumbered.
std::vector<Block> groupsOf(std::string_view list) {
    std::vector<Block> blocks(1);
    for (const std::string_view line : linesOf(list)) {
        if (line.empty()) {
            if (!blocks.back().lines.empty()) {
                blocks.emplace_back();
            }
            continue;
        }
        blocks.back().lines.push_back({{}, std::string(line), {}, false});
    }
    if (blocks.back().lines.empty()) {
        blocks.pop_back();
    }
    return blocks;
}

}  // namespace

Layout sheetsLayout(const std::vector<PrintSheet>& sheets, std::string_view headingText,
                    const PrintOptions& options) {
    Layout layout;
    Pages pages(layout, options.duplex);
    for (const PrintSheet& sheet : sheets) {
        pages.newPaperSheet();
        layout.sheetStarts.push_back(pages.current());
        const Style style = sheetStyle(sheet.style);
        const double top = sheetTop(pages, sheet, headingText, style);
        // A sheet too long for one page goes on under a line that names it.
        const auto continued = [&pages, &sheet, &style] {
            const double points = style.points * 10 / 12;
            pages.text(continuedTitle(sheetTitle(sheet.number, sheet.total, sheet.code)),
                       style.face, points, 0, ascentOf(style.face, points));
            return lineSpacing(style.face, points) * 2;
        };
        Flow(pages, style, exerciseGroups(sheet), top, continued).placeAll();
    }

    // The key: every sheet's results side by side for marking, then its worked solutions.
    const auto titled = [headingText](std::string title) {
        return headingText.empty() ? title : title.append(": ").append(headingText);
    };
    const auto noHeading = [] { return 0.0; };
    std::vector<Block> results;
    std::vector<Block> key;
    for (const PrintSheet& sheet : sheets) {
        Block block{keyTitle(sheet), {}, {}};
        Block solutions{block.title, {}, {}};
        for (const SheetItem& item : sheet.items) {
            Cell cell;
            cell.label = numbered(item.number);
            cell.text = resultText(item.result);
            if (const std::string mistaken = options.mistakes ? keyMistakes(item) : std::string();
                !mistaken.empty()) {
                cell.text += mistaken;
                cell.annotated = true;
            }
            block.cells.push_back(std::move(cell));
            solutions.lines.push_back({numbered(item.number), item.solution, {}, false});
            if (item.groupEnd) {
                solutions.lines.emplace_back();
            }
        }
        results.push_back(std::move(block));
        key.push_back(std::move(solutions));
    }
    pages.newPaperSheet();
    layout.resultsStart = pages.current();
    double resultsTop = heading(pages, titled("Výsledky"), Face::SerifBold, 14, 0) + 2 * ptPerMm;
    if (options.mistakes) {
        resultsTop = heading(pages, keyLegend(), Face::Serif, 10, resultsTop) + 2 * ptPerMm;
    }
    const double resultsFoot =
        Flow(pages, resultsStyle(), std::move(results), resultsTop, noHeading).placeAll();

    // The solutions follow below the results, on a new page unless their heading and a few
    // lines fit under them.
    const Style style = keyStyle();
    double headingTop = resultsFoot + 8 * ptPerMm;
    if (headingTop + 12 * ptPerMm + 6 * style.step > pageHeight) {
        pages.newPage();
        headingTop = 0;
    }
    layout.solutionsStart = pages.current();
    const double top =
        heading(pages, titled("Řešení"), Face::SerifBold, 14, headingTop) + 2 * ptPerMm;
    Flow(pages, style, std::move(key), top, noHeading).placeAll();
    return layout;
}

Layout listsLayout(std::string_view exercises, std::string_view solutions) {
    Layout layout;
    Pages pages(layout, false);
    const Style style = styleOf(Face::Serif, 12, 1);
    const auto top = [] { return 0.0; };
    Flow(pages, style, groupsOf(exercises), 0, top).placeAll();
    pages.newPage();
    layout.solutionsStart = pages.current();
    Flow(pages, style, groupsOf(solutions), 0, top).placeAll();
    return layout;
}

}  // namespace ciferon
