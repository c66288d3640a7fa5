#include "classset/entry.h"

#include <charconv>

namespace ciferon {

namespace {

std::string_view withoutBlanks(std::string_view text) {
    constexpr std::string_view blanks{" \t"};
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

int typedCount(std::string_view typed) {
    std::string_view number = withoutBlanks(typed);
    // from_chars takes a minus sign, not a plus.
    if (number.starts_with('+') && !number.substr(1).starts_with('-')) {
        number.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
        return 0;
    }
    return value;
}

int typedAdaptedCount(std::string_view typed) {
    const int count = typedCount(typed);
    return count == 0 ? -1 : count;
}

bool adaptedSheetsListed(std::string_view adapted) {
    return !withoutBlanks(adapted).empty();
}

bool adaptedCountFollows(bool followed, int adaptedCount, int count) {
    return followed && adaptedCount == count;
}

int adaptedCountSetting(bool follows, int adaptedCount, std::string_view adapted) {
    return follows || !adaptedSheetsListed(adapted) ? 0 : adaptedCount;
}

}  // namespace ciferon
