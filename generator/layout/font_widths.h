// The faces the printouts are set in, measured once: advance widths in font units of every
// character the sheets, keys and headings use, and each face's vertical metrics (hhea). Both
// front-ends print with these faces or metric-compatible ones (Times New Roman, Arial), so
// a text measured here is as wide on the desktop's paper as on the page's.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ciferon::fonts {

struct Advance {
    std::uint16_t codePoint;  // every character the printouts use lies in the BMP
    std::uint16_t width;      // in font units
};

struct FaceMetrics {
    int unitsPerEm;
    int ascent;   // above the baseline, in font units
    int descent;  // below the baseline, positive
    int lineGap;
    int fallback;             // the width of a character not in the table: the widest
    const Advance* advances;  // by code point, ascending
    std::size_t size;
};

extern const FaceMetrics serif;      // Liberation Serif
extern const FaceMetrics serifBold;  // Liberation Serif Bold
extern const FaceMetrics sans;       // Liberation Sans
extern const FaceMetrics sansBold;   // Liberation Sans Bold

}  // namespace ciferon::fonts
