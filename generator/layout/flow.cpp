#include "layout/flow.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

#include "base/utf8.h"
#include "texts/texts.h"

namespace ciferon::flow {

namespace {

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
          titleFace_(boldOf(style.face)),
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
            const std::string_view label = remainderLabel();
            pages_.text(std::string(label), style_.face, style_.points, after, baseline);
            box(after + width(label) + space_);
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

}  // namespace

double setInColumns(Pages& pages, const Style& style, std::vector<Block> blocks, double top,
                    const std::function<double()>& nextPageTop) {
    return Flow(pages, style, std::move(blocks), top, nextPageTop).placeAll();
}

}  // namespace ciferon::flow
