#include "base/utf8.h"

namespace ciferon {

namespace {

bool continuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

}  // namespace

std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    if (lead < 0x80U) {
        return lead;
    }
    int more = 0;
    char32_t value = 0;
    char32_t least = 0;  // the smallest code point this length may carry
    if ((lead & 0xE0U) == 0xC0U) {
        more = 1;
        value = lead & 0x1FU;
        least = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        more = 2;
        value = lead & 0x0FU;
        least = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
        more = 3;
        value = lead & 0x07U;
        least = 0x10000;
    } else {
        return std::nullopt;
    }
    for (; more > 0 && at < text.size() && continuation(byte(at)); --more) {
        value = (value << 6U) | (byte(at++) & 0x3FU);
    }
    if (more > 0 || value < least || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        return std::nullopt;
    }
    return value;
}

bool startsCharacter(std::string_view text, std::size_t at) {
    return at >= text.size() || !continuation(static_cast<unsigned char>(text[at]));
}

}  // namespace ciferon
