#include "marking/answer_file.h"

#include <optional>
#include <string_view>

#include "base/utf8.h"

namespace ciferon {

namespace {

bool blank(std::string_view line) {
    return line.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

// Whether the bytes are UTF-8 text without a NUL byte: every sequence of the shortest form,
// no surrogate (U+D800..U+DFFF) and nothing beyond U+10FFFF.
bool isText(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::optional<char32_t> character = nextCodePoint(bytes, at);
        if (!character || *character == 0) {
            return false;
        }
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
