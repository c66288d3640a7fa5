#include "page_type.h"

#include <QMarginsF>
#include <QPageSize>

namespace ciferon {

QPageLayout a4Layout() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
            QPageLayout::Millimeter};
}

QFont qtFont(Face face, double points) {
    const bool sans = face == Face::Sans || face == Face::SansBold;
    QFont font(sans ? QStringLiteral("Arial") : QStringLiteral("Times New Roman"));
    font.setStyleHint(sans ? QFont::SansSerif : QFont::Serif);
    font.setPointSizeF(points);
    font.setBold(face == Face::SerifBold || face == Face::SansBold);
    return font;
}

double pixelsPerPoint(const QPaintDevice& device) {
    return device.logicalDpiY() / 72.0;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace ciferon
