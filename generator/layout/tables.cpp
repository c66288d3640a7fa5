#include "layout/tables.h"

#include <algorithm>
#include <cstddef>

#include "base/utf8.h"
#include "layout/flow.h"
#include "layout/metrics.h"

namespace ciferon {

namespace {

using flow::tolerance;

constexpr double gridGap = 4 * ptPerMm;     // between two columns of a grid
constexpr double barGap = 3 * ptPerMm;      // between a label, its bar and its count
constexpr double narrowest = 20 * ptPerMm;  // the least a wide column is given

// A word wider than `width` in pieces that fit, cut between characters.
void cutWord(std::string_view word, Face face, double points, double width,
             std::vector<std::string>& lines) {
    std::string piece;
    for (std::size_t at = 0; at < word.size();) {
        const std::size_t from = at;
        nextCodePoint(word, at);
        const std::string_view character = word.substr(from, at - from);
        if (!piece.empty() &&
            textWidth(piece + std::string(character), face, points) > width + tolerance) {
            lines.push_back(std::move(piece));
            piece.clear();
        }
        piece.append(character);
    }
    lines.push_back(std::move(piece));
}

}  // namespace

std::vector<std::string> wrapAtBlanks(std::string_view text, Face face, double points,
                                      double width) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) {
            continue;
        }
        std::string longer = line;
        longer.append(line.empty() ? "" : " ").append(word);
        if (textWidth(longer, face, points) <= width + tolerance) {
            line = std::move(longer);
            continue;
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
            line.clear();
        }
        if (textWidth(word, face, points) <= width + tolerance) {
            line = std::string(word);
        } else {
            cutWord(word, face, points, width, lines);
            line = std::move(lines.back());
            lines.pop_back();
        }
    }
    if (!line.empty() || lines.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

double setGrid(Pages& pages, const doc::Grid& grid, double top) {
    const std::size_t count = grid.columns.size();
    if (grid.rows.empty() || count == 0) {
        return top;
    }
    const Face face = grid.face;
    const Face bold = boldOf(face);
    const double points = grid.points;
    const double step = lineSpacing(face, points) * 1.15;
    const double ascent = ascentOf(face, points);

    // Every column as wide as its widest text, a text across the columns left aside; the wide
    // column with what the others leave, where that is less.
    std::vector<double> widths(count);
    for (std::size_t c = 0; c < count; ++c) {
        widths[c] = textWidth(grid.columns[c].title, bold, points);
    }
    for (const std::vector<std::string>& row : grid.rows) {
        const std::size_t own = row.size() < count ? row.size() - 1 : count;
        for (std::size_t c = 0; c < own && c < row.size(); ++c) {
            widths[c] = std::max(widths[c], textWidth(row[c], face, points));
        }
    }
    double others = gridGap * static_cast<double>(count - 1);
    for (std::size_t c = 0; c < count; ++c) {
        others += grid.columns[c].wide ? 0 : widths[c];
    }
    std::vector<double> lefts(count);
    double x = 0;
    for (std::size_t c = 0; c < count; ++c) {
        if (grid.columns[c].wide) {
            widths[c] = std::min(widths[c], std::max(pageWidth - others, narrowest));
        }
        lefts[c] = x;
        x += widths[c] + gridGap;
    }
    const double right = x - gridGap;

    const auto place = [&](const std::string& text, std::size_t c, Face f, double baseline) {
        const double left =
            grid.columns[c].right ? lefts[c] + widths[c] - textWidth(text, f, points) : lefts[c];
        pages.text(text, f, points, left, baseline);
    };
    const auto headingRow = [&](double y) {
        for (std::size_t c = 0; c < count; ++c) {
            place(grid.columns[c].title, c, bold, y + ascent);
        }
        pages.rule(0, y + step, right, y + step);
        return y + step + 1 * ptPerMm;  // as `fresh` below counts it
    };

    const auto nextPage = [&] {
        pages.newPage();
        double y = 0;
        if (!grid.continued.empty()) {
            pages.text(grid.continued, bold, points, 0, ascent);
            y = 1.5 * step;
        }
        return headingRow(y);
    };
    double y = headingRow(top);
    for (const std::vector<std::string>& row : grid.rows) {
        std::vector<std::vector<std::string>> cells(row.size());
        std::size_t lines = 1;
        for (std::size_t c = 0; c < row.size() && c < count; ++c) {
            const bool across = row.size() < count && c + 1 == row.size();
            cells[c] = across || !grid.columns[c].wide
                           ? std::vector<std::string>{row[c]}
                           : wrapAtBlanks(row[c], face, points, widths[c]);
            lines = std::max(lines, cells[c].size());
        }
        // A row goes whole to the next page where it fits there; one longer than a page goes
        // on from line to line.
        const double height = static_cast<double>(lines) * step;
        if (y + height > pageHeight + tolerance) {
            const double fresh =
                pageHeight - (grid.continued.empty() ? 0 : 1.5 * step) - step - 1 * ptPerMm;
            if (height <= fresh + tolerance || y + step > pageHeight + tolerance) {
                y = nextPage();
            }
        }
        for (std::size_t line = 0; line < lines; ++line) {
            if (line > 0 && y + step > pageHeight + tolerance) {
                y = nextPage();
            }
            for (std::size_t c = 0; c < cells.size(); ++c) {
                if (line >= cells[c].size()) {
                    continue;
                }
                if (row.size() < count && c + 1 == row.size()) {
                    pages.text(cells[c][line], face, points, lefts[c], y + ascent);
                } else {
                    place(cells[c][line], c, face, y + ascent);
                }
            }
            y += step;
        }
    }
    pages.rule(0, y, right, y);
    return y + 1 * ptPerMm;
}

double setBars(Pages& pages, const doc::Bars& bars, double top) {
    const Face face = bars.face;
    const double points = bars.points;
    const double step = lineSpacing(face, points) * 1.5;
    double labels = 0;
    double counts = 0;
    for (const doc::Bar& bar : bars.bars) {
        labels = std::max(labels, textWidth(bar.label, face, points));
        counts = std::max(counts, textWidth(bar.count, face, points));
    }
    labels = std::min(labels, pageWidth * 0.45);
    const double barLeft = labels + barGap;
    const double barWidth = std::max(pageWidth - counts - barGap - barLeft, narrowest);
    const double barHeight = points * 0.8;
    double y = top;
    for (const doc::Bar& bar : bars.bars) {
        if (y + step > pageHeight + tolerance) {
            pages.newPage();
            y = 0;
        }
        const double baseline = y + (step + ascentOf(face, points) - descentOf(face, points)) / 2;
        // The bar stands on the middle of the digits' height.
        const double barTop = baseline - 0.35 * points - barHeight / 2;
        const double barBottom = barTop + barHeight;
        const double barRight = barLeft + barWidth;
        pages.text(bar.label, face, points, 0, baseline);
        if (bar.whole > 0 && bar.part > 0) {
            pages.fill(barLeft, barTop, barWidth * std::min(bar.part, bar.whole) / bar.whole,
                       barHeight);
        }
        pages.rule(barLeft, barTop, barRight, barTop);
        pages.rule(barLeft, barBottom, barRight, barBottom);
        pages.rule(barLeft, barTop, barLeft, barBottom);
        pages.rule(barRight, barTop, barRight, barBottom);
        pages.text(bar.count, face, points, barRight + barGap, baseline);
        y += step;
    }
    return y;
}

}  // namespace ciferon
