#include "layout/layout.h"

#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "layout/flow.h"
#include "layout/tables.h"

namespace ciferon {

namespace {

using flow::Style;
using flow::tolerance;

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

Style columnsStyle(const doc::Columns& columns) {
    switch (columns.spacing) {
        case doc::Spacing::Sheet: {
            // Room between the lines to write in, and after every "=" for the result.
            Style style = styleOf(columns.face, columns.points, 1.6);
            style.gapStep = style.step / 2;
            style.blockGap = style.gapStep;
            style.answerRoom = 18 * ptPerMm;
            return style;
        }
        case doc::Spacing::AdaptedSheet: {
            // Twice the type size from line to line, a clear line between groups, and boxes
            // to answer in.
            Style style = styleOf(columns.face, columns.points, 1);
            style.step = 2 * style.points;
            style.gapStep = style.step;
            style.blockGap = style.step;
            style.answerBoxes = true;
            return style;
        }
        case doc::Spacing::Solutions: {
            Style style = styleOf(columns.face, columns.points, 1.1);
            style.gapStep = style.step / 3;
            return style;
        }
        case doc::Spacing::List:
            break;
    }
    return styleOf(columns.face, columns.points, 1);
}

// Small and close, so that a class set's results take a page or two.
Style tableStyle(const doc::Table& table) {
    Style style = styleOf(table.face, table.points, 1.15);
    style.blockGap = style.step / 2;
    style.columnGap = 7 * ptPerMm;
    style.cellGap = 4 * ptPerMm;
    return style;
}

Style styleOfBody(const doc::Table& table) {
    return tableStyle(table);
}
Style styleOfBody(const doc::Columns& columns) {
    return columnsStyle(columns);
}
// A grid's or a chart's line, to tell whether a few of them fit under a section's heading.
Style styleOfBody(const doc::Grid& grid) {
    return styleOf(grid.face, grid.points, 1.15);
}
Style styleOfBody(const doc::Bars& bars) {
    return styleOf(bars.face, bars.points, 1.5);
}

std::vector<flow::Block> blocksOf(const doc::Columns& columns) {
    std::vector<flow::Block> blocks;
    blocks.reserve(columns.groups.size());
    for (const doc::Group& group : columns.groups) {
        flow::Block block{group.title, {}, {}};
        for (const doc::Entry& entry : group.entries) {
            const bool remainder = entry.place == doc::AnswerPlace::BoxAndRemainder ||
                                   entry.place == doc::AnswerPlace::RoomAndRemainder;
            block.lines.push_back({entry.number, entry.text, {}, 0, remainder});
            if (entry.gapAfter) {
                block.lines.emplace_back();
            }
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::vector<flow::Block> blocksOf(const doc::Table& table) {
    std::vector<flow::Block> blocks;
    blocks.reserve(table.rows.size());
    for (const doc::TableRow& row : table.rows) {
        flow::Block block{row.title, {}, {}};
        if (!row.note.empty()) {
            block.lines.push_back({{}, row.note, {}, 0, false});
        }
        for (const doc::Cell& cell : row.cells) {
            block.cells.push_back(
                {cell.number, cell.result + cell.mistakes, !cell.mistakes.empty(), 0});
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
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
    if (!words.empty()) {
        for (std::string& line : wrapAtBlanks(text, face, points, pageWidth)) {
            pages.text(std::move(line), face, points, 0, y + ascentOf(face, points));
            y += step;
        }
    }
    return y + 2 * ptPerMm;
}

// Sets a document's blocks one below the other, page after page.
class Pagination {
  public:
    Pagination(Layout& layout, bool duplex) : layout_(layout), pages_(layout, duplex) {}

    void operator()(const doc::Break& block) {
        if (block.paperSheet) {
            pages_.newPaperSheet();
        } else {
            pages_.newPage();
        }
        y_ = 0;
        fresh_ = true;
        begins(block.part);
    }

    void operator()(const doc::Heading& block) {
        y_ = heading(pages_, block.text, block.face, block.points, y_);
        fresh_ = false;
    }

    // The labels with a line to write on after each, the second from about two thirds across;
    // a sheet in larger type has its room larger alike.
    void operator()(const doc::NameLine& block) {
        const double mm = ptPerMm * (block.points / 12);
        const double baseline = y_ + ascentOf(block.face, block.points) + 4 * mm;
        const double dateLeft = pageWidth * 0.68;
        const double underline = baseline + 1 * mm;
        pages_.text(block.name, block.face, block.points, 0, baseline);
        pages_.rule(textWidth(block.name, block.face, block.points) + 2 * mm, underline,
                    dateLeft - 6 * mm, underline);
        pages_.text(block.date, block.face, block.points, dateLeft, baseline);
        pages_.rule(dateLeft + textWidth(block.date, block.face, block.points) + 2 * mm, underline,
                    pageWidth, underline);
        nameBaseline_ = baseline;
        y_ = baseline + descentOf(block.face, block.points);
        fresh_ = false;
    }

    // A line and 4 mm below the name line, the code flush right, and a rule across.
    void operator()(const doc::SheetLine& block) {
        const double mm = ptPerMm * (block.points / 12);
        const double baseline = nameBaseline_ + (lineSpacing(block.face, block.points) + 4 * mm);
        if (!block.place.empty()) {
            pages_.text(block.place, block.face, block.points, 0, baseline);
        }
        pages_.text(block.code, block.face, block.points,
                    pageWidth - textWidth(block.code, block.face, block.points), baseline);
        const double below = baseline + descentOf(block.face, block.points) + 2 * mm;
        pages_.rule(0, below, pageWidth, below);
        y_ = below + 4 * mm;
        fresh_ = false;
    }

    void operator()(const doc::Columns& block) {
        const Style style = columnsStyle(block);
        y_ = flow::setInColumns(pages_, style, blocksOf(block), y_, continuedLine(block));
        fresh_ = false;
    }

    // Its heading at the page's top after a break; otherwise 8 mm below what stands above it,
    // or on a new page where the heading and a few lines of the body do not fit there.
    void operator()(const doc::Section& block) {
        const Style style =
            std::visit([](const auto& body) { return styleOfBody(body); }, block.body);
        double top = y_;
        if (!block.title.text.empty()) {
            double headingTop = fresh_ ? y_ : y_ + 8 * ptPerMm;
            if (headingTop + 12 * ptPerMm + 6 * style.step > pageHeight) {
                pages_.newPage();
                headingTop = 0;
            }
            begins(block.part);
            top = heading(pages_, block.title.text, block.title.face, block.title.points,
                          headingTop) +
                  2 * ptPerMm;
            for (const doc::Heading& note : block.notes) {
                top = heading(pages_, note.text, note.face, note.points, top) + 2 * ptPerMm;
            }
        } else {
            begins(block.part);
        }
        const auto noLine = [] { return 0.0; };
        y_ = std::visit(
            [&](const auto& body) {
                using Body = std::decay_t<decltype(body)>;
                if constexpr (std::is_same_v<Body, doc::Grid>) {
                    return setGrid(pages_, body, top);
                } else if constexpr (std::is_same_v<Body, doc::Bars>) {
                    return setBars(pages_, body, top);
                } else {
                    return flow::setInColumns(pages_, style, blocksOf(body), top, noLine);
                }
            },
            block.body);
        fresh_ = false;
    }

  private:
    void begins(doc::Part part) {
        switch (part) {
            case doc::Part::Sheet:
                layout_.sheetStarts.push_back(pages_.current());
                break;
            case doc::Part::Results:
                layout_.resultsStart = pages_.current();
                break;
            case doc::Part::Solutions:
                layout_.solutionsStart = pages_.current();
                break;
            case doc::Part::None:
                break;
        }
    }

    // What a later page of the columns begins with: a smaller line naming what goes on, on
    // the same baseline as the name label with its line to write on where there is one, then
    // a line's room; nothing where the columns name nothing.
    std::function<double()> continuedLine(const doc::Columns& block) {
        if (block.continued.empty()) {
            return [] { return 0.0; };
        }
        return [this, &block] {
            const double points = block.points * 10 / 12;
            const double top = lineSpacing(block.face, points) * 2;
            if (block.continuedName.empty()) {
                pages_.text(block.continued, block.face, points, 0, ascentOf(block.face, points));
                return top;
            }
            const double mm = ptPerMm * (block.points / 12);
            const double baseline = ascentOf(block.face, block.points);
            const double titleLeft = pageWidth - textWidth(block.continued, block.face, points);
            const double underline = baseline + 1 * mm;
            pages_.text(block.continuedName, block.face, block.points, 0, baseline);
            pages_.rule(textWidth(block.continuedName, block.face, block.points) + 2 * mm,
                        underline, titleLeft - 6 * mm, underline);
            pages_.text(block.continued, block.face, points, titleLeft, baseline);
            return top;
        };
    }

    Layout& layout_;
    Pages pages_;
    double y_ = 0;
    bool fresh_ = true;  // nothing set since the last break
    double nameBaseline_ = 0;
};

}  // namespace

Layout paginate(const Document& document, bool duplex) {
    Layout layout;
    Pagination pagination(layout, duplex);
    for (const doc::Block& block : document.blocks) {
        std::visit(pagination, block);
    }
    return layout;
}

Layout sheetsLayout(const std::vector<PrintSheet>& sheets, std::string_view heading,
                    const PrintOptions& options) {
    return paginate(sheetsDocument(sheets, heading, options), options.duplex);
}

Layout listsLayout(std::string_view exercises, std::string_view solutions) {
    return paginate(listsDocument(exercises, solutions), false);
}

}  // namespace ciferon
