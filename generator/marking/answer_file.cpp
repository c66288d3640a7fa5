#include "marking/answer_file.h"

#include <string_view>

namespace ciferon {

namespace {

bool blank(std::string_view line) {
    return line.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

// Whether the bytes are UTF-8 text without a NUL byte: every sequence of the shortest form,
// no surrogate (U+D800..U+DFFF) and nothing beyond U+10FFFF.
bool isText(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead == 0) {
            return false;
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The length of the sequence, and the range its second byte must lie in.
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;   // not overlong
            high = lead == 0xED ? 0x9F : 0xBF;  // no surrogate
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;   // not overlong
            high = lead == 0xF4 ? 0x8F : 0xBF;  // not beyond U+10FFFF
        } else {
            return false;
        }
        if (bytes.size() - i < length) {
            return false;
        }
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < low || second > high) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < 0x80 || next > 0xBF) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

FileMarks markAnswerFile(std::string_view bytes, const std::vector<SheetItem>& items) {
    if (bytes.size() > answerFileMax) {
        return {FileMarks::Fault::TooLarge, {}};
    }
    if (!isText(bytes)) {
        return {FileMarks::Fault::NotText, {}};
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    while (lines.size() > items.size() && blank(lines.back())) {
        lines.pop_back();
    }
    if (lines.size() > items.size()) {
        return {FileMarks::Fault::TooManyLines, {}};
    }
    FileMarks file;
    for (std::size_t i = 0; i < items.size(); ++i) {
        file.marks.push_back(
            markLineWithMistakes(items[i], i < lines.size() ? lines[i] : std::string_view()));
    }
    return file;
}

}  // namespace ciferon
