#include "drawing.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <map>
#include <memory>
#include <utility>

#include "page_type.h"

namespace ciferon {

namespace {

// One face at one size on one device, for the many short texts of a printout: each
// character's glyph and advance are looked up once, so that no text is shaped, and texts that
// follow each other in the same face are drawn as one glyph run: one text object on the page
// for a whole block rather than one for every line. A text with a character beyond Latin-1
// or missing from the face goes through Qt's full text layout instead.
class Typeface {
  public:
    Typeface(const QFont& font, QPaintDevice* device)
        : font_(font, device), raw_(QRawFont::fromFont(font_)) {}

    // Gathers the text from its baseline's point (device pixels) until flush() draws it.
    void add(QPainter& painter, QPointF baseline, const QString& text) {
        const qsizetype gathered = indexes_.size();
        qreal x = baseline.x();
        for (const QChar c : text) {
            const Glyph* found = glyph(c);
            if (found == nullptr) {
                indexes_.resize(gathered);
                positions_.resize(gathered);
                flush(painter);
                painter.setFont(font_);
                painter.drawText(baseline, text);
                return;
            }
            indexes_ << found->index;
            positions_ << QPointF(x, baseline.y());
            x += found->advance;
        }
    }

    void flush(QPainter& painter) {
        if (indexes_.isEmpty()) {
            return;
        }
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        painter.drawGlyphRun({0, 0}, run);
        indexes_.clear();
        positions_.clear();
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
    QRawFont raw_;
    std::array<Glyph, 256> glyphs_{};
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

}  // namespace

bool drawLayout(QPagedPaintDevice& device, const Layout& layout) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const double scale = pixelsPerPoint(device);
    painter.setPen(QPen(Qt::black, ruleWidth * scale));
    std::map<std::pair<Face, double>, std::unique_ptr<Typeface>> faces;
    Typeface* last = nullptr;
    bool first = true;
    for (const Page& page : layout.pages) {
        if (!first) {
            device.newPage();
        }
        first = false;
        for (const TextRun& text : page.texts) {
            std::unique_ptr<Typeface>& face = faces[{text.face, text.points}];
            if (!face) {
                face = std::make_unique<Typeface>(qtFont(text.face, text.points), &device);
            }
            if (last != nullptr && last != face.get()) {
                last->flush(painter);
            }
            last = face.get();
            face->add(painter, {text.x * scale, text.y * scale}, toQString(text.text));
        }
        if (last != nullptr) {
            last->flush(painter);
        }
        for (const Fill& fill : page.fills) {
            painter.fillRect(
                QRectF(fill.x * scale, fill.y * scale, fill.width * scale, fill.height * scale),
                QColor(0x80, 0x80, 0x80));
        }
        for (const Rule& rule : page.rules) {
            painter.drawLine(QPointF(rule.x1 * scale, rule.y1 * scale),
                             QPointF(rule.x2 * scale, rule.y2 * scale));
        }
    }
    return painter.end();
}

}  // namespace ciferon
