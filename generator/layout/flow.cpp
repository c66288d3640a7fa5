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
                    widest = std::max(widest, line.right);
                    lines.push_back(std::move(line));
                    continue;
                }
                const double lineWidth = width(line.text);
                if (lineWidth <= textRoom || style_.answerBoxes) {
                    // Lines to write a quotient and its remainder on may need more than the
                    // room left for a result.
                    const double extra =
                        line.remainder && !style_.answerBoxes
                            ? std::max(0.0, remainderLinesWidth() - style_.answerRoom)
                            : 0.0;
                    widest = std::max(widest, lineWidth + extra);
                    lines.push_back(std::move(line));
                    continue;
                }
                const auto pieces = breakToWidth(line.text, textRoom, style_.face, style_.points);
                for (std::size_t i = 0; i < pieces.size(); ++i) {
                    widest = std::max(widest, width(pieces[i]));
                    lines.push_back({i == 0 ? line.label : std::string(), pieces[i], {}, 0, false});
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

    // Where the columns of a block's results begin when set `perRow` to a row, from the row's
    // left, and where one more would: every column as wide as the widest plain result of the
    // printout; with the mistakes' answers (`fitted`), every column as wide as the widest
    // result in it, its mistakes' answers included.
    [[nodiscard]] std::vector<double> gridOf(const std::vector<Cell>& cells, std::size_t perRow,
                                             bool fitted) const {
        const std::size_t used = std::min(perRow, cells.size());
        std::vector<double> lefts(used + 1, 0.0);
        if (!fitted) {
            for (std::size_t j = 1; j <= used; ++j) {
                lefts[j] = static_cast<double>(j) * cellPitch_;
            }
        } else {
            std::vector<double> widths(used, 0.0);
            for (std::size_t i = 0; i < cells.size(); ++i) {
                widths[i % perRow] = std::max(widths[i % perRow], width(cells[i].text));
            }
            for (std::size_t j = 0; j < used; ++j) {
                lefts[j + 1] = lefts[j] + cellLabel_ + space_ + widths[j] + style_.cellGap;
            }
        }
        return lefts;
    }

    // Results side by side in a grid, every sheet's in rows under its title, the numbers and
    // results of a column one under the other. Without the mistakes' answers, every column is
    // as wide as the widest result, and all sheets take as many a row as make the blocks take
    // the fewest lines once the columns that fit beside each other are counted (a block is at
    // least as wide as its title, so a row of two or three results costs no width that the
    // title does not). With them, a column is as wide as what it holds, and each sheet takes as
    // many a row as fit the width that makes the fewest lines, spread evenly over its rows. A
    // block's lines of text above its results (a follow-up key's kinds) count among its lines.
    void arrangeCells() {
        double labelWidth = 0;
        double textWidest = 0;
        double titleWidth = 0;
        std::size_t most = 0;
        bool fitted = false;
        for (const Block& block : blocks_) {
            for (const Cell& cell : block.cells) {
                labelWidth = std::max(labelWidth, width(cell.label));
                if (!cell.annotated) {
                    textWidest = std::max(textWidest, width(cell.text));
                }
                fitted = fitted || cell.annotated;
            }
            titleWidth = std::max(titleWidth, textWidth(block.title, titleFace_, style_.points));
            most = std::max(most, block.cells.size());
        }
        if (most == 0) {
            return;
        }
        cellLabel_ = labelWidth;
        cellPitch_ = labelWidth + space_ + textWidest + style_.cellGap;
        const double gapLines = style_.blockGap / style_.step;
        const auto rowsOf = [](std::size_t cells, std::size_t perRow) {
            return (cells + perRow - 1) / perRow;
        };
        std::vector<std::size_t> perRow(blocks_.size(), 1);
        double fewest = std::numeric_limits<double>::max();
        if (!fitted) {
            for (std::size_t tried = 1; tried <= most; ++tried) {
                const double rowWidth = static_cast<double>(tried) * cellPitch_ - style_.cellGap;
                if (tried > 1 && rowWidth > pageWidth) {
                    break;
                }
                const double rowRoom = std::max(titleWidth, rowWidth);
                const int columns = std::max(1, static_cast<int>((pageWidth + style_.columnGap) /
                                                                 (rowRoom + style_.columnGap)));
                double lines = 0;
                for (const Block& block : blocks_) {
                    lines += static_cast<double>(rowsOf(block.cells.size(), tried) + 1 +
                                                 block.lines.size()) +
                             gapLines;
                }
                lines /= columns;
                if (lines < fewest) {
                    fewest = lines;
                    perRow.assign(blocks_.size(), tried);
                }
            }
        } else {
            for (int columns = 1;; ++columns) {
                const double room = (pageWidth + style_.columnGap) / columns - style_.columnGap;
                if (columns > 1 && room < titleWidth) {
                    break;
                }
                std::vector<std::size_t> fit(blocks_.size(), 1);
                double lines = 0;
                for (std::size_t b = 0; b < blocks_.size(); ++b) {
                    const std::vector<Cell>& cells = blocks_[b].cells;
                    std::size_t& k = fit[b];
                    while (k < cells.size() &&
                           gridOf(cells, k + 1, true).back() - style_.cellGap <= room) {
                        ++k;
                    }
                    // As few a row as give the same rows, so that the last row is not short.
                    const std::size_t rows = rowsOf(cells.size(), k);
                    while (k > 1 && rowsOf(cells.size(), k - 1) == rows) {
                        --k;
                    }
                    lines += static_cast<double>(rows + 1 + blocks_[b].lines.size()) + gapLines;
                }
                lines /= columns;
                if (lines < fewest) {
                    fewest = lines;
                    perRow = std::move(fit);
                }
            }
        }
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            Block& block = blocks_[b];
            const std::vector<double> lefts = gridOf(block.cells, perRow[b], fitted);
            for (std::size_t i = 0; i < block.cells.size(); ++i) {
                const std::size_t column = i % perRow[b];
                if (column == 0) {
                    block.lines.emplace_back();
                }
                Cell& cell = block.cells[i];
                cell.x = lefts[column];
                block.lines.back().right = lefts[column + 1] - style_.cellGap;
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
                    const double cellLeft = left + cell.x;
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
            } else if (line.remainder) {
                remainderLines(left + labelWidth_ + width(line.text) + space_, baseline);
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

    // On a regular sheet, after a division with remainder: a line to write the quotient on,
    // "zb." and a line for the remainder, "57:8 = ____ zb. ____".
    [[nodiscard]] double remainderLineWidth() const { return width("000"); }
    [[nodiscard]] double remainderLinesWidth() const {
        return space_ + remainderLineWidth() + space_ + width(remainderLabel()) + space_ +
               remainderLineWidth();
    }
    void remainderLines(double left, double baseline) {
        const double line = remainderLineWidth();
        const double underline = baseline + ptPerMm * style_.points / 12;
        pages_.rule(left, underline, left + line, underline);
        const double after = left + line + space_;
        const std::string_view label = remainderLabel();
        pages_.text(std::string(label), style_.face, style_.points, after, baseline);
        const double second = after + width(label) + space_;
        pages_.rule(second, underline, second + line, underline);
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
