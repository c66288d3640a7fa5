#include "paper.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "results.h"

namespace ciferon {

namespace {

// Columns are measured in device pixels; a hair of tolerance keeps a line that fits exactly.
constexpr qreal tolerance = 0.5;

QFont serif(qreal points, bool bold = false) {
    // The window's face: Liberation Serif stands in where Times New Roman is missing.
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A list's lines without the line break that ends the last one.
QStringList linesOf(const QString& text) {
    QStringList lines = QString(text)
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                            .split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

struct Line {
    QString label;  // "12." before the text, or empty
    QString text;   // empty, without cells: the gap between two groups
    // A row of numbered results side by side, each as wide as the widest of the printout.
    std::vector<Line> cells;
};

// Lines that belong together: a group of exercises, or one sheet's key. A block is moved to
// the next column rather than split where it fits whole in a column.
struct Block {
    QString title;  // bold above the lines, and again where the block goes on in a new column
    std::vector<Line> lines;
    // Numbered results, which the flow sets out after the lines in rows of cells.
    std::vector<Line> cells;
};

struct Style {
    QFont font;
    QFont titleFont;
    qreal step = 0;        // from one line to the next
    qreal gapStep = 0;     // an empty line between groups
    qreal blockGap = 0;    // between two blocks
    qreal answerRoom = 0;  // left free after every line, to write the result in
    qreal columnGap = 0;
    qreal cellGap = 0;  // between two results in a row
};

// The pages of one printout, and whether the current one has anything on it yet.
class Pages {
  public:
    Pages(QPagedPaintDevice& device, bool duplex) : device_(device), duplex_(duplex) {}
    bool begin() { return painter_.begin(&device_); }
    // False when the device reports that the job failed as it ended.
    bool end() { return painter_.end(); }

    QPaintDevice* device() const { return &device_; }
    qreal width() const { return device_.width(); }
    qreal height() const { return device_.height(); }
    qreal mm(qreal millimetres) const { return millimetres * device_.logicalDpiY() / 25.4; }

    void text(const QFont& font, QPointF baseline, const QString& text) {
        painter_.setFont(font);
        painter_.drawText(baseline, text);
        used_ = true;
    }
    void glyphs(QPointF baseline, const QGlyphRun& run) {
        painter_.drawGlyphRun(baseline, run);
        used_ = true;
    }
    void rule(QPointF from, QPointF to) {
        painter_.setPen(QPen(Qt::black, mm(0.2)));
        painter_.drawLine(from, to);
        used_ = true;
    }
    QPainter& painter() {
        used_ = true;
        return painter_;
    }

    // A new page, unless the current one is still empty.
    void newPage() {
        if (used_) {
            device_.newPage();
            ++page_;
            used_ = false;
        }
    }
    // A new sheet of paper: printed on both sides, the next front page.
    void newPaperSheet() {
        newPage();
        if (duplex_ && page_ % 2 == 0) {
            device_.newPage();
            ++page_;
        }
    }

  private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    bool duplex_;
    int page_ = 1;
    bool used_ = false;
};

// One face at one size on one device, for the many short lines of a printout: each
// character's glyph and advance are looked up once, so that a line is shaped neither twice
// (to measure it and to draw it) nor at all. A line with a character beyond Latin-1 or
// missing from the face goes through Qt's full text layout instead.
class Typeface {
  public:
    Typeface(const QFont& font, QPaintDevice* device)
        : font_(font, device), metrics_(font_, device), raw_(QRawFont::fromFont(font_)) {}

    [[nodiscard]] const QFont& font() const { return font_; }
    [[nodiscard]] const QFontMetricsF& metrics() const { return metrics_; }

    qreal width(const QString& text) {
        qreal width = 0;
        for (const QChar c : text) {
            const Glyph* found = glyph(c);
            if (found == nullptr) {
                return metrics_.horizontalAdvance(text);
            }
            width += found->advance;
        }
        return width;
    }

    // A text from its baseline's point, gathered with the others until flush() draws them
    // all as one glyph run: one text object on the page for a whole block rather than one
    // for every line.
    void add(Pages& pages, QPointF baseline, const QString& text) {
        const qsizetype gathered = indexes_.size();
        qreal x = baseline.x();
        for (const QChar c : text) {
            const Glyph* found = glyph(c);
            if (found == nullptr) {
                indexes_.resize(gathered);
                positions_.resize(gathered);
                pages.text(font_, baseline, text);
                return;
            }
            indexes_ << found->index;
            positions_ << QPointF(x, baseline.y());
            x += found->advance;
        }
    }

    void flush(Pages& pages) {
        if (indexes_.isEmpty()) {
            return;
        }
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        pages.glyphs({0, 0}, run);
        indexes_.clear();
        positions_.clear();
    }

    void draw(Pages& pages, QPointF baseline, const QString& text) {
        add(pages, baseline, text);
        flush(pages);
    }

  private:
    struct Glyph {
        quint32 index = 0;
        qreal advance = 0;
        bool known = false;
        bool present = false;
    };

    const Glyph* glyph(QChar c) {
        if (c.unicode() >= glyphs_.size() || !raw_.isValid()) {
            return nullptr;
        }
        Glyph& slot = glyphs_.at(c.unicode());
        if (!slot.known) {
            slot.known = true;
            int found = 1;
            raw_.glyphIndexesForChars(&c, 1, &slot.index, &found);
            if (found == 1 && slot.index != 0) {
                QPointF advance;
                raw_.advancesForGlyphIndexes(&slot.index, &advance, 1);
                slot.advance = advance.x();
                slot.present = true;
            }
        }
        return slot.present ? &slot : nullptr;
    }

    QFont font_;
    QFontMetricsF metrics_;
    QRawFont raw_;
    std::array<Glyph, 256> glyphs_{};
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

// Splits a line that is wider than the page between two characters that are not both digits,
// so that no number is broken; only a run of digits wider than the page itself is cut.
QStringList breakToWidth(const QString& text, qreal width, const QFontMetricsF& metrics) {
    QStringList pieces;
    QString rest = text;
    while (metrics.horizontalAdvance(rest) > width && rest.size() > 1) {
        qsizetype fit = 1;
        while (fit < rest.size() && metrics.horizontalAdvance(rest.left(fit + 1)) <= width) {
            ++fit;
        }
        qsizetype cut = fit;
        while (cut > 0 && rest.at(cut - 1).isDigit() && rest.at(cut).isDigit()) {
            --cut;
        }
        cut = cut > 0 ? cut : fit;
        pieces << rest.left(cut);
        rest = rest.mid(cut);
    }
    pieces << rest;
    return pieces;
}

// Lays blocks out in columns, down each column and then across, page after page.
class Flow {
  public:
    Flow(Pages& pages, Style style, std::vector<Block> blocks, qreal top,
         std::function<qreal()> nextPageTop)
        : pages_(pages),
          style_(std::move(style)),
          blocks_(std::move(blocks)),
          face_(style_.font, pages.device()),
          titleFace_(style_.titleFont, pages.device()),
          nextPageTop_(std::move(nextPageTop)),
          top_(top),
          y_(top) {
        // Measured through the face's table of characters: shaping text would be most of
        // what a printout costs.
        space_ = face_.width(QStringLiteral(" "));
        arrangeCells();
        qreal widestLabel = 0;
        for (const Block& block : blocks_) {
            for (const Line& line : block.lines) {
                widestLabel = std::max(widestLabel, face_.width(line.label));
            }
        }
        labelWidth_ = widestLabel > 0 ? widestLabel + space_ : 0;
        const qreal textRoom = pages.width() - labelWidth_ - style_.answerRoom;
        qreal widest = 0;
        for (Block& block : blocks_) {
            std::vector<Line> lines;
            for (Line& line : block.lines) {
                if (!line.cells.empty()) {
                    widest = std::max(widest, rowWidth(line.cells.size()));
                    lines.push_back(std::move(line));
                    continue;
                }
                const qreal width = face_.width(line.text);
                if (width <= textRoom) {
                    widest = std::max(widest, width);
                    lines.push_back(std::move(line));
                    continue;
                }
                const QStringList pieces = breakToWidth(line.text, textRoom, face_.metrics());
                for (qsizetype i = 0; i < pieces.size(); ++i) {
                    widest = std::max(widest, face_.width(pieces.at(i)));
                    lines.push_back({i == 0 ? line.label : QString(), pieces.at(i), {}});
                }
            }
            block.lines = std::move(lines);
            widest = std::max(widest, titleFace_.width(block.title) - labelWidth_);
        }
        columnWidth_ = std::min(pages.width(), labelWidth_ + widest + style_.answerRoom);
        columns_ = std::max(1, static_cast<int>((pages.width() + style_.columnGap) /
                                                (columnWidth_ + style_.columnGap)));
        pitch_ = columns_ > 1 ? (pages.width() - columnWidth_) / (columns_ - 1) : 0;
    }

    // Returns how far down the last page the columns reach.
    qreal placeAll() {
        for (const Block& block : blocks_) {
            place(block);
        }
        return std::max(lowest_, y_);
    }

  private:
    [[nodiscard]] qreal rowWidth(std::size_t cells) const {
        return static_cast<qreal>(cells) * cellPitch_ - style_.cellGap;
    }

    // Results side by side, in rows of as many as make the blocks take the fewest lines once
    // the columns that fit beside each other are counted: a block is at least as wide as its
    // title, so a row of two or three results costs no width that the title does not.
    void arrangeCells() {
        qreal labelWidth = 0;
        qreal textWidth = 0;
        qreal titleWidth = 0;
        std::size_t most = 0;
        for (const Block& block : blocks_) {
            for (const Line& cell : block.cells) {
                labelWidth = std::max(labelWidth, face_.width(cell.label));
                textWidth = std::max(textWidth, face_.width(cell.text));
            }
            titleWidth = std::max(titleWidth, titleFace_.width(block.title));
            most = std::max(most, block.cells.size());
        }
        if (most == 0) {
            return;
        }
        cellLabel_ = labelWidth;
        cellPitch_ = labelWidth + space_ + textWidth + style_.cellGap;
        const qreal room = pages_.width();
        std::size_t perRow = 1;
        qreal fewest = std::numeric_limits<qreal>::max();
        for (std::size_t tried = 1; tried <= most && rowWidth(tried) <= room; ++tried) {
            const qreal width = std::max(titleWidth, rowWidth(tried));
            const int columns = std::max(
                1, static_cast<int>((room + style_.columnGap) / (width + style_.columnGap)));
            qreal lines = 0;
            for (const Block& block : blocks_) {
                const auto rows = (block.cells.size() + tried - 1) / tried;
                lines += static_cast<qreal>(rows + 1) + style_.blockGap / style_.step;
            }
            lines /= columns;
            if (lines < fewest) {
                fewest = lines;
                perRow = tried;
            }
        }
        for (Block& block : blocks_) {
            for (std::size_t first = 0; first < block.cells.size(); first += perRow) {
                const auto end = std::min(first + perRow, block.cells.size());
                Line row;
                row.cells.assign(block.cells.begin() + static_cast<std::ptrdiff_t>(first),
                                 block.cells.begin() + static_cast<std::ptrdiff_t>(end));
                block.lines.push_back(std::move(row));
            }
            block.cells.clear();
        }
    }

    void place(const Block& block) {
        const qreal bottom = pages_.height() + tolerance;
        const qreal titleHeight = block.title.isEmpty() ? 0 : style_.step;
        qreal height = titleHeight;
        for (const Line& line : block.lines) {
            height += line.text.isEmpty() && line.cells.empty() ? style_.gapStep : style_.step;
        }
        if (y_ > top_) {
            y_ += style_.blockGap;
        }
        const bool fitsInAColumn = height <= bottom - top_;
        const bool roomToBegin = y_ + titleHeight + 2 * style_.step <= bottom;
        if (y_ > top_ && y_ + height > bottom && (fitsInAColumn || !roomToBegin)) {
            nextColumn();
        }
        if (!block.title.isEmpty()) {
            drawTitle(block.title);
        }
        for (const Line& line : block.lines) {
            if (line.text.isEmpty() && line.cells.empty()) {
                y_ = y_ > top_ ? y_ + style_.gapStep : y_;
                continue;
            }
            if (y_ + style_.step > bottom) {
                nextColumn();
                if (!block.title.isEmpty()) {
                    drawTitle(block.title + QStringLiteral(" (pokračování)"));
                }
            }
            const QFontMetricsF& metrics = face_.metrics();
            const qreal baseline = y_ + (style_.step - metrics.height()) / 2 + metrics.ascent();
            const qreal left = column_ * pitch_;
            // The number right-aligned before its text; a row's results side by side.
            if (!line.cells.empty()) {
                for (std::size_t i = 0; i < line.cells.size(); ++i) {
                    const Line& cell = line.cells.at(i);
                    const qreal cellLeft = left + static_cast<qreal>(i) * cellPitch_;
                    face_.add(pages_, {cellLeft + cellLabel_ - face_.width(cell.label), baseline},
                              cell.label + QLatin1Char(' ') + cell.text);
                }
            } else if (line.label.isEmpty()) {
                face_.add(pages_, {left + labelWidth_, baseline}, line.text);
            } else {
                face_.add(pages_, {left + labelWidth_ - space_ - face_.width(line.label), baseline},
                          line.label + QLatin1Char(' ') + line.text);
            }
            y_ += style_.step;
        }
        face_.flush(pages_);
    }

    // A title wider than its column, as one that goes on "(pokračování)" may be, is set
    // smaller, so that it neither runs into the next column nor off the paper.
    void drawTitle(const QString& title) {
        const QFontMetricsF& metrics = titleFace_.metrics();
        const qreal baseline = y_ + (style_.step - metrics.height()) / 2 + metrics.ascent();
        const qreal width = titleFace_.width(title);
        if (width > columnWidth_ + tolerance) {
            QFont smaller = titleFace_.font();
            smaller.setPointSizeF(smaller.pointSizeF() * columnWidth_ / width);
            pages_.text(smaller, {column_ * pitch_, baseline}, title);
        } else {
            titleFace_.draw(pages_, {column_ * pitch_, baseline}, title);
        }
        y_ += style_.step;
    }

    void nextColumn() {
        face_.flush(pages_);
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
    Typeface face_;
    Typeface titleFace_;
    qreal space_ = 0;
    std::function<qreal()> nextPageTop_;
    qreal labelWidth_ = 0;
    qreal cellLabel_ = 0;  // the widest number of a result
    qreal cellPitch_ = 0;  // from one result in a row to the next
    qreal columnWidth_ = 0;
    qreal pitch_ = 0;
    int columns_ = 1;
    int column_ = 0;
    qreal top_;
    qreal y_;
    qreal lowest_ = 0;  // the foot of the longest column on this page
};

// Groups of lines between empty lines; with `numbered`, every line gets its number.
std::vector<Block> groupsOf(const QString& list, bool numbered) {
    std::vector<Block> blocks(1);
    int number = 0;
    for (const QString& line : linesOf(list)) {
        if (line.isEmpty()) {
            if (!blocks.back().lines.empty()) {
                blocks.emplace_back();
            }
            continue;
        }
        ++number;
        blocks.back().lines.push_back(
            {numbered ? QString::number(number) + QLatin1Char('.') : QString(), line, {}});
    }
    if (blocks.back().lines.empty()) {
        blocks.pop_back();
    }
    return blocks;
}

// A heading wrapped at its blanks; a word too long for the page makes the type smaller.
qreal drawHeading(Pages& pages, const QString& heading, qreal points, qreal y) {
    QFont font = serif(points, true);
    pages.painter().setFont(font);
    QRectF room(0, y, pages.width(), pages.height());
    QRectF needed = pages.painter().boundingRect(room, Qt::TextWordWrap, heading);
    if (needed.width() > pages.width()) {
        font.setPointSizeF(points * pages.width() / needed.width());
    }
    pages.painter().setFont(font);
    needed = pages.painter().boundingRect(room, Qt::TextWordWrap, heading);
    pages.painter().drawText(room, Qt::TextWordWrap, heading);
    return needed.bottom() + pages.mm(2);
}

QString sheetTitle(const PaperSheet& sheet) {
    return sheet.number > 0 ? QStringLiteral("List %1 z %2, kód %3")
                                  .arg(sheet.number)
                                  .arg(sheet.total)
                                  .arg(sheet.code)
                            : QStringLiteral("Kód %1").arg(sheet.code);
}

// The top of a pupil's sheet: heading, name and date to fill in, the sheet's place and code.
qreal drawSheetTop(Pages& pages, const PaperSheet& sheet, const QString& heading) {
    qreal y = 0;
    if (!heading.isEmpty()) {
        y = drawHeading(pages, heading, 16, y);
    }
    const QFont font = serif(12);
    const QFontMetricsF metrics(font, pages.device());
    const qreal width = pages.width();
    qreal baseline = y + metrics.ascent() + pages.mm(4);
    const QString name = QStringLiteral("Jméno:");
    const QString date = QStringLiteral("Datum:");
    const qreal dateLeft = width * 0.68;
    const qreal underline = baseline + pages.mm(1);
    pages.text(font, {0, baseline}, name);
    pages.rule({metrics.horizontalAdvance(name) + pages.mm(2), underline},
               {dateLeft - pages.mm(6), underline});
    pages.text(font, {dateLeft, baseline}, date);
    pages.rule({dateLeft + metrics.horizontalAdvance(date) + pages.mm(2), underline},
               {width, underline});

    baseline += metrics.lineSpacing() + pages.mm(4);
    if (sheet.number > 0) {
        pages.text(font, {0, baseline},
                   QStringLiteral("List %1 z %2").arg(sheet.number).arg(sheet.total));
    }
    const QString code = QStringLiteral("Kód: ") + sheet.code;
    pages.text(font, {width - metrics.horizontalAdvance(code), baseline}, code);
    const qreal below = baseline + metrics.descent() + pages.mm(2);
    pages.rule({0, below}, {width, below});
    return below + pages.mm(4);
}

// Type of `points` from one line to the next `spacing` times its line spacing; an empty line
// and the room between blocks are a whole line unless changed.
Style styleOf(const Pages& pages, qreal points, qreal spacing) {
    Style style;
    style.font = serif(points);
    style.titleFont = serif(points, true);
    style.step = QFontMetricsF(style.font, pages.device()).lineSpacing() * spacing;
    style.gapStep = style.step;
    style.blockGap = style.step;
    style.columnGap = pages.mm(8);
    return style;
}

Style sheetStyle(const Pages& pages) {
    // Room between the lines to write in, and after every "=" for the result.
    Style style = styleOf(pages, 12, 1.6);
    style.gapStep = style.step / 2;
    style.blockGap = style.gapStep;
    style.answerRoom = pages.mm(18);
    return style;
}

// Small and close, so that a class set's results take a page or two.
Style resultsStyle(const Pages& pages) {
    Style style = styleOf(pages, 10, 1.15);
    style.blockGap = style.step / 2;
    style.columnGap = pages.mm(7);
    style.cellGap = pages.mm(4);
    return style;
}

Style keyStyle(const Pages& pages) {
    Style style = styleOf(pages, 11, 1.1);
    style.gapStep = style.step / 3;
    return style;
}

}  // namespace

PaperSheet paperSheet(const Sheet& sheet) {
    const Lists lists = sheetLists(sheet);
    PaperSheet paper{
        QString::fromStdString(sheetCode(sheet)), 0, 0, QString::fromStdString(lists.exercises),
        QString::fromStdString(lists.solutions),  {}};
    // The results of the lists already made, rather than a second run for sheetResults().
    for (const Result& result : readResults(lists.solutions)) {
        paper.results << QString::fromStdString(resultText(result));
    }
    return paper;
}

std::vector<PaperSheet> paperSheets(const std::vector<Sheet>& sheets) {
    std::vector<PaperSheet> paper;
    paper.reserve(sheets.size());
    for (const Sheet& sheet : sheets) {
        paper.push_back(paperSheet(sheet));
        paper.back().number = static_cast<int>(paper.size());
        paper.back().total = static_cast<int>(sheets.size());
    }
    return paper;
}

std::vector<PaperSheet> paperSheets(const std::vector<ClassSetSheet>& sheets) {
    std::vector<Sheet> plain;
    plain.reserve(sheets.size());
    for (const ClassSetSheet& sheet : sheets) {
        plain.push_back(sheet.sheet);
    }
    return paperSheets(plain);
}

QPageLayout a4Layout() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
            QPageLayout::Millimeter};
}

bool printSheets(QPagedPaintDevice& device, const std::vector<PaperSheet>& sheets,
                 const PaperOptions& options) {
    Pages pages(device, options.duplex);
    if (!pages.begin()) {
        return false;
    }
    for (const PaperSheet& sheet : sheets) {
        pages.newPaperSheet();
        const qreal top = drawSheetTop(pages, sheet, options.heading);
        // A sheet too long for one page goes on under a line that names it.
        const auto continued = [&pages, &sheet] {
            const QFont font = serif(10);
            const QFontMetricsF metrics(font, pages.device());
            pages.text(font, {0, metrics.ascent()},
                       sheetTitle(sheet) + QStringLiteral(" (pokračování)"));
            return metrics.lineSpacing() * 2;
        };
        Flow(pages, sheetStyle(pages), groupsOf(sheet.exercises, true), top, continued).placeAll();
    }

    // The key: every sheet's results side by side for marking, then every sheet's worked
    // solutions.
    const auto titled = [&options](const QString& title) {
        return options.heading.isEmpty() ? title : title + QStringLiteral(": ") + options.heading;
    };
    const auto noHeading = [] { return qreal{0}; };
    std::vector<Block> results;
    for (const PaperSheet& sheet : sheets) {
        Block block{sheetTitle(sheet), {}, {}};
        for (qsizetype i = 0; i < sheet.results.size(); ++i) {
            block.cells.push_back(
                {QString::number(i + 1) + QLatin1Char('.'), sheet.results.at(i), {}});
        }
        results.push_back(std::move(block));
    }
    pages.newPaperSheet();
    const qreal resultsTop =
        drawHeading(pages, titled(QStringLiteral("Výsledky")), 14, 0) + pages.mm(2);
    const qreal resultsFoot =
        Flow(pages, resultsStyle(pages), std::move(results), resultsTop, noHeading).placeAll();

    std::vector<Block> key;
    for (const PaperSheet& sheet : sheets) {
        Block block{sheetTitle(sheet), {}, {}};
        int number = 0;
        for (const QString& line : linesOf(sheet.solutions)) {
            block.lines.push_back(
                {line.isEmpty() ? QString() : QString::number(++number) + QLatin1Char('.'),
                 line,
                 {}});
        }
        key.push_back(std::move(block));
    }
    // The solutions follow below the results, on a new page unless their heading and a few
    // lines fit under them.
    const Style style = keyStyle(pages);
    qreal headingTop = resultsFoot + pages.mm(8);
    if (headingTop + pages.mm(12) + 6 * style.step > pages.height()) {
        pages.newPage();
        headingTop = 0;
    }
    const qreal top =
        drawHeading(pages, titled(QStringLiteral("Řešení")), 14, headingTop) + pages.mm(2);
    Flow(pages, style, std::move(key), top, noHeading).placeAll();
    return pages.end();
}

bool printLists(QPagedPaintDevice& device, const QString& exercises, const QString& solutions) {
    Pages pages(device, false);
    if (!pages.begin()) {
        return false;
    }
    const Style style = styleOf(pages, 12, 1);
    const auto top = [] { return qreal{0}; };
    Flow(pages, style, groupsOf(exercises, false), 0, top).placeAll();
    pages.newPage();
    Flow(pages, style, groupsOf(solutions, false), 0, top).placeAll();
    return pages.end();
}

bool drawPdf(QIODevice& out, const QString& title,
             const std::function<bool(QPagedPaintDevice&)>& draw) {
    QPdfWriter writer(&out);
    writer.setPageLayout(a4Layout());
    writer.setCreator(QStringLiteral("Ciferon"));
    writer.setTitle(title);
    return draw(writer);
}

QString writePdf(const QString& path, const QString& title,
                 const std::function<bool(QPagedPaintDevice&)>& draw) {
    // A device, a pipe or a socket (/dev/stdout, /dev/null, a FIFO) is written to as it is:
    // a temporary file beside it would be renamed over it, and /dev/null made a plain file.
    // The PDF is drawn whole first, so that nothing is written when drawing fails.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!drawPdf(buffer, title, draw)) {
            return QStringLiteral("nelze kreslit do PDF");
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() ||
            !file.flush()) {
            return file.errorString();
        }
        return {};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (!drawPdf(file, title, draw)) {
        file.cancelWriting();
        return QStringLiteral("nelze kreslit do PDF");
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace ciferon
