#include "marking/results.h"

#include <algorithm>
#include <array>
#include <utility>

namespace ciferon {

namespace {

// The most digits a number may have: 10^18 - 1 fits a long long.
constexpr std::size_t digitsMax = 18;

// The blanks a pupil may type between digits, as UTF-8.
constexpr std::array<std::string_view, 5> blanks{" ", "\t", "\u00A0", "\u202F", "\u2009"};
constexpr std::array<std::string_view, 2> minusSigns{"-", "\u2212"};

// The length of the sign from `signs` that the text begins with, or 0.
template <std::size_t n>
std::size_t signAt(std::string_view text, const std::array<std::string_view, n>& signs) {
    for (const std::string_view sign : signs) {
        if (text.starts_with(sign)) {
            return sign.size();
        }
    }
    return 0;
}

// The blanks that the text begins with, as a count of bytes.
std::size_t blanksAt(std::string_view text) {
    std::size_t length = 0;
    for (std::size_t blank = signAt(text, blanks); blank != 0;
         blank = signAt(text.substr(length), blanks)) {
        length += blank;
    }
    return length;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of the word for a remainder that the text begins with, in any case: "zbytek",
// or "zb" with or without its dot, either followed by a colon or not ("zbytek: 3"); 0 for
// none.
std::size_t remainderWordAt(std::string_view text) {
    const auto startsWith = [text](std::string_view word) {
        return text.size() >= word.size() &&
               std::equal(word.begin(), word.end(), text.begin(),
                          [](char w, char t) { return w == lowerAscii(t); });
    };
    std::size_t length = 0;
    if (startsWith("zbytek")) {
        length = 6;
    } else if (startsWith("zb")) {
        length = text.size() > 2 && text[2] == '.' ? 3 : 2;
    } else {
        return 0;
    }
    return text.size() > length && text[length] == ':' ? length + 1 : length;
}

// Where the word for a remainder first stands in the text, and its length; npos for none.
std::pair<std::size_t, std::size_t> findRemainderWord(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const std::size_t length = remainderWordAt(text.substr(i)); length != 0) {
            return {i, length};
        }
    }
    return {std::string_view::npos, 0};
}

}  // namespace

std::string resultText(const Result& result) {
    std::string text = std::to_string(result.value);
    if (result.remainder) {
        text.append(" (").append(std::to_string(*result.remainder)).append(")");
    }
    return text;
}

Answer readAnswer(std::string_view typed) {
    if (typed.size() > answerMax) {
        return {Answer::State::NotNumber};
    }
    // Digits separated by blanks stand in groups: the first of one to three digits, each
    // further one of exactly three.
    std::size_t digits = 0;
    std::size_t groups = 1;
    std::size_t group = 0;
    bool blankAfterDigit = false;
    bool negative = false;
    long long value = 0;
    for (std::size_t i = 0; i < typed.size();) {
        const std::string_view rest = typed.substr(i);
        if (const std::size_t blank = signAt(rest, blanks); blank != 0) {
            blankAfterDigit = digits != 0;
            i += blank;
        } else if (rest.front() >= '0' && rest.front() <= '9') {
            if (blankAfterDigit) {
                if (groups == 1 ? group > 3 : group != 3) {
                    return {Answer::State::NotNumber};
                }
                ++groups;
                group = 0;
                blankAfterDigit = false;
            }
            if (++digits > digitsMax) {
                return {Answer::State::NotNumber};
            }
            ++group;
            value = value * 10 + (rest.front() - '0');
            ++i;
        } else if (const std::size_t minus = signAt(rest, minusSigns);
                   minus != 0 && digits == 0 && !negative) {
            negative = true;
            i += minus;
        } else {
            return {Answer::State::NotNumber};
        }
    }
    if (digits == 0) {
        return {negative ? Answer::State::NotNumber : Answer::State::Empty};
    }
    if (groups > 1 && group != 3) {
        return {Answer::State::NotNumber};
    }
    return {Answer::State::Number, negative ? -value : value};
}

Mark markAnswer(const Result& result, std::string_view answer, std::string_view remainder) {
    const Answer given = readAnswer(answer);
    const Answer givenRemainder =
        result.remainder ? readAnswer(remainder) : Answer{Answer::State::Empty};
    if (given.state == Answer::State::Empty && givenRemainder.state == Answer::State::Empty) {
        return Mark::Unanswered;
    }
    if (given.state == Answer::State::NotNumber ||
        givenRemainder.state == Answer::State::NotNumber) {
        return Mark::Unreadable;
    }
    const bool valueRight = given.state == Answer::State::Number && given.value == result.value;
    if (!result.remainder) {
        return valueRight ? Mark::Right : Mark::Wrong;
    }
    const bool remainderRight =
        givenRemainder.state == Answer::State::Number && givenRemainder.value == *result.remainder;
    return valueRight && remainderRight ? Mark::Right : Mark::Wrong;
}

std::optional<AnswerFields> lineFields(const Result& result, std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    if (!result.remainder) {
        return AnswerFields{line, {}};
    }
    // «8 (3)», «8 (zb. 3)»: the remainder in brackets, nothing but blanks after them.
    if (const std::size_t open = line.find('('); open != std::string_view::npos) {
        const std::size_t close = line.rfind(')');
        if (close == std::string_view::npos || close < open ||
            readAnswer(line.substr(close + 1)).state != Answer::State::Empty) {
            return std::nullopt;
        }
        std::string_view inside = line.substr(open + 1, close - open - 1);
        const std::size_t lead = blanksAt(inside);
        if (const std::size_t word = remainderWordAt(inside.substr(lead)); word != 0) {
            inside.remove_prefix(lead + word);
        }
        return AnswerFields{line.substr(0, open), inside};
    }
    // «8 zb. 3», «8 zb 3», «8zb3», «8 zbytek 3», «8 zbytek: 3»
    if (const auto [at, length] = findRemainderWord(line); at != std::string_view::npos) {
        return AnswerFields{line.substr(0, at), line.substr(at + length)};
    }
    // The quotient alone, or nothing.
    return AnswerFields{line, {}};
}

Mark markAnswerLine(const Result& result, std::string_view line) {
    const auto fields = lineFields(result, line);
    return fields ? markAnswer(result, fields->answer, fields->remainder) : Mark::Unreadable;
}

std::string_view markWord(Mark mark) {
    switch (mark) {
        case Mark::Right:
            return "správně";
        case Mark::Wrong:
            return "chybně";
        case Mark::Unreadable:
            return "nečitelné";
        case Mark::Unanswered:
            break;
    }
    return "bez odpovědi";
}

std::string summaryText(const std::vector<Mark>& marks, int shown) {
    const auto right = std::count(marks.begin(), marks.end(), Mark::Right);
    const auto unreadable = std::count(marks.begin(), marks.end(), Mark::Unreadable);
    std::string text =
        "Správně " + std::to_string(right) + " z " + std::to_string(marks.size()) + ".";
    if (unreadable > 0) {
        text.append(" Nečitelné odpovědi: ").append(std::to_string(unreadable)).append(".");
    }
    if (shown > 0) {
        text.append(" Ukázaná řešení: ").append(std::to_string(shown)).append(".");
    }
    return text;
}

}  // namespace ciferon
