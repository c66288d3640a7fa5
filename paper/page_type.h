// Page geometry and type on Qt's paint devices: A4 with its margins, the core's faces as Qt
// fonts, and the core's pt as a device's pixels.
#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPaintDevice>
#include <QString>
#include <string_view>

#include "layout/layout.h"

namespace ciferon {

// A4 portrait with 15 mm margins, which every printout starts from.
QPageLayout a4Layout();

// The face the core measures with: "Times New Roman", which Liberation Serif stands in for
// where it is missing, or "Arial" for Liberation Sans, both metric-compatible.
QFont qtFont(Face face, double points);

// Device pixels in a pt of the core's layout.
double pixelsPerPoint(const QPaintDevice& device);

// A core text (UTF-8) as Qt holds it.
QString toQString(std::string_view text);

}  // namespace ciferon
