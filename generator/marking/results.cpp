#include "marking/results.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace ciferon {

namespace {

// The most digits a number may have: 10^18 - 1 fits a long long.
constexpr std::size_t digitsMax = 18;

// A whole number as the solution list writes it: digits, no sign, no leading zero, and few
// enough of them to fit; nullopt for anything else.
std::optional<long long> solutionNumber(std::string_view text) {
    if (text.empty() || text.size() > digitsMax || (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

[[noreturn]] void notASolutionLine(std::string_view line) {
    throw std::logic_error("not a solution line: \"" + std::string(line) + "\"");
}

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

// Where "zb." (in any case) first stands in the text, or npos.
std::size_t findZb(std::string_view text) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if (lower(text[i]) == 'z' && lower(text[i + 1]) == 'b' && text[i + 2] == '.') {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

Result resultOfSolution(std::string_view line) {
    const std::size_t equals = line.rfind('=');
    if (equals == std::string_view::npos) {
        notASolutionLine(line);
    }
    const std::string_view text = line.substr(equals + 1);
    Result result;
    if (text.ends_with(')')) {
        const std::size_t open = text.find(" (");
        const auto remainder = open == std::string_view::npos
                                   ? std::nullopt
                                   : solutionNumber(text.substr(open + 2, text.size() - open - 3));
        const auto quotient = remainder ? solutionNumber(text.substr(0, open)) : std::nullopt;
        if (!quotient || equals == 0 || line[equals - 1] != ' ') {
            notASolutionLine(line);
        }
        result.value = *quotient;
        result.remainder = *remainder;
    } else {
        const auto value = solutionNumber(text);
        if (!value) {
            notASolutionLine(line);
        }
        result.value = *value;
    }
    return result;
}

std::vector<Result> readResults(std::string_view solutions) {
    std::vector<Result> results;
    while (!solutions.empty()) {
        const std::size_t end = solutions.find(crlf);
        if (end == std::string_view::npos) {
            notASolutionLine(solutions);
        }
        const std::string_view line = solutions.substr(0, end);
        solutions.remove_prefix(end + crlf.size());
        if (!line.empty()) {
            results.push_back(resultOfSolution(line));
        }
    }
    return results;
}

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
    std::size_t digits = 0;
    bool negative = false;
    long long value = 0;
    for (std::size_t i = 0; i < typed.size();) {
        const std::string_view rest = typed.substr(i);
        if (const std::size_t blank = signAt(rest, blanks); blank != 0) {
            i += blank;
        } else if (rest.front() >= '0' && rest.front() <= '9') {
            if (++digits > digitsMax) {
                return {Answer::State::NotNumber};
            }
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
    return {Answer::State::Number, negative ? -value : value};
}

Mark markAnswer(const Result& result, std::string_view answer, std::string_view remainder) {
    const Answer given = readAnswer(answer);
    const bool valueRight = given.state == Answer::State::Number && given.value == result.value;
    if (!result.remainder) {
        if (given.state == Answer::State::Empty) {
            return Mark::Unanswered;
        }
        return valueRight ? Mark::Right : Mark::Wrong;
    }
    const Answer givenRemainder = readAnswer(remainder);
    if (given.state == Answer::State::Empty && givenRemainder.state == Answer::State::Empty) {
        return Mark::Unanswered;
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
    // «8 (3)»: the remainder in brackets, nothing but blanks after them.
    if (const std::size_t open = line.find('('); open != std::string_view::npos) {
        const std::size_t close = line.rfind(')');
        if (close == std::string_view::npos || close < open ||
            readAnswer(line.substr(close + 1)).state != Answer::State::Empty) {
            return std::nullopt;
        }
        return AnswerFields{line.substr(0, open), line.substr(open + 1, close - open - 1)};
    }
    // «8 zb. 3»
    if (const std::size_t zb = findZb(line); zb != std::string_view::npos) {
        return AnswerFields{line.substr(0, zb), line.substr(zb + 3)};
    }
    // The quotient alone, or nothing.
    return AnswerFields{line, {}};
}

Mark markAnswerLine(const Result& result, std::string_view line) {
    const auto fields = lineFields(result, line);
    return fields ? markAnswer(result, fields->answer, fields->remainder) : Mark::Wrong;
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
    std::string text =
        "Správně " + std::to_string(right) + " z " + std::to_string(marks.size()) + ".";
    if (shown > 0) {
        text.append(" Ukázaná řešení: ").append(std::to_string(shown)).append(".");
    }
    return text;
}

}  // namespace ciferon
