// Text metrics of the printouts' faces: how wide a text is and how high a line, in pt, from
// the one table of advance widths (font_widths.h) that the desktop's paper and the web page
// both print with.
#pragma once

#include <string_view>

namespace ciferon {

// The faces a printout is set in: Liberation Serif (or Times New Roman) for the regular
// sheets and the key, Liberation Sans (or Arial) for adapted sheets.
enum class Face { Serif, SerifBold, Sans, SansBold };

// The bold face of the same family.
Face boldOf(Face face);

// A UTF-8 text's advance width in pt, set in `face` at `points`. A malformed sequence counts
// as one character as wide as the face's widest.
double textWidth(std::string_view text, Face face, double points);
// From one line to the next as the face sets it (ascent, descent and line gap), in pt.
double lineSpacing(Face face, double points);
// The face's ascent and descent at `points`, in pt.
double ascentOf(Face face, double points);
double descentOf(Face face, double points);

}  // namespace ciferon
