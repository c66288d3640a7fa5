#include "layout/metrics.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/utf8.h"
#include "layout/font_widths.h"

namespace ciferon {

namespace {

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

double units(Face face, double points) {
    return points / metricsOf(face).unitsPerEm;
}

}  // namespace

Face boldOf(Face face) {
    return face == Face::Sans || face == Face::SansBold ? Face::SansBold : Face::SerifBold;
}

double textWidth(std::string_view text, Face face, double points) {
    const Widths& widths = widthsOf(face);
    long total = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto c = nextCodePoint(text, at);
        total += widths.of(c ? static_cast<std::uint32_t>(*c) : 0xFFFDU);
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

}  // namespace ciferon
