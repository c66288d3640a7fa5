// The core's UTF-8 texts as Qt's strings, for every Qt front-end.
#pragma once

#include <QString>
#include <string_view>

namespace ciferon {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace ciferon
