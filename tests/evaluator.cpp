#include "evaluator.h"

#include <optional>
#include <vector>

namespace ciferon::testing {
namespace {

struct Token {
    char kind;  // 'n' for a number, else the character: ( ) + - . :
    int number = 0;
};

// Splits a text into numbers and signs; nullopt on anything else, a blank included.
std::optional<std::vector<Token>> tokensOf(std::string_view text) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (c == '0' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') {
                return std::nullopt;  // a leading zero
            }
            int number = 0;
            for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
                number = number * 10 + (text[i] - '0');
                if (number > 100000) {
                    return std::nullopt;
                }
            }
            tokens.push_back({'n', number});
        } else if (std::string_view("()+-.:").find(c) != std::string_view::npos) {
            tokens.push_back({c});
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

std::string shapeOf(const std::vector<Token>& tokens) {
    std::string shape;
    for (const auto& token : tokens) {
        shape.push_back(token.kind);
    }
    return shape;
}

std::vector<int> numbersOf(const std::vector<Token>& tokens) {
    std::vector<int> numbers;
    for (const auto& token : tokens) {
        if (token.kind == 'n') {
            numbers.push_back(token.number);
        }
    }
    return numbers;
}

// Arithmetic with brackets, "." and ":" before "+" and "-", left to right. Every division
// must come out whole and every intermediate result must be non-negative.
class Evaluator {
  public:
    explicit Evaluator(const std::vector<Token>& tokens) : tokens_(tokens) {}

    std::optional<int> value() {
        const auto result = sum();
        if (!result || at_ != tokens_.size()) {
            return std::nullopt;
        }
        return result;
    }
    std::string fault;

  private:
    bool accept(char kind) {
        if (at_ < tokens_.size() && tokens_[at_].kind == kind) {
            ++at_;
            return true;
        }
        return false;
    }
    std::optional<int> sum() {
        auto left = product();
        while (left) {
            if (accept('+')) {
                const auto right = product();
                left = right ? std::optional(*left + *right) : std::nullopt;
            } else if (accept('-')) {
                const auto right = product();
                if (right && *right > *left) {
                    fault = "negative intermediate result";
                    return std::nullopt;
                }
                left = right ? std::optional(*left - *right) : std::nullopt;
            } else {
                break;
            }
        }
        return left;
    }
    std::optional<int> product() {
        auto left = factor();
        while (left) {
            if (accept('.')) {
                const auto right = factor();
                left = right ? std::optional(*left * *right) : std::nullopt;
            } else if (accept(':')) {
                const auto right = factor();
                if (right && (*right == 0 || *left % *right != 0)) {
                    fault = "a division that is not whole";
                    return std::nullopt;
                }
                left = right ? std::optional(*left / *right) : std::nullopt;
            } else {
                break;
            }
        }
        return left;
    }
    std::optional<int> factor() {
        if (at_ < tokens_.size() && tokens_[at_].kind == 'n') {
            return tokens_[at_++].number;
        }
        if (accept('(')) {
            const auto inner = sum();
            if (inner && accept(')')) {
                return inner;
            }
        }
        return std::nullopt;
    }

    const std::vector<Token>& tokens_;
    std::size_t at_ = 0;
};

bool within(int value, int lo, int hi) {
    return value >= lo && value <= hi;
}

std::optional<int> evaluate(std::string_view text, std::string& fault) {
    const auto tokens = tokensOf(text);
    if (!tokens) {
        fault = "unreadable text «" + std::string(text) + "»";
        return std::nullopt;
    }
    Evaluator evaluator(*tokens);
    const auto result = evaluator.value();
    if (!result) {
        fault = "«" + std::string(text) +
                "»: " + (evaluator.fault.empty() ? "not an expression" : evaluator.fault);
    }
    return result;
}

// The worked steps of a solution: the parts between equals signs after the exercise, each
// worth the exercise's value. `spaced` says whether each "=" has a blank before it.
std::string checkSteps(std::string_view exercise, std::string_view solution, bool spaced,
                       int steps) {
    std::string fault;
    const std::string_view closing = spaced ? " =" : "=";
    const auto value = evaluate(exercise.substr(0, exercise.size() - closing.size()), fault);
    if (!value) {
        return fault;
    }
    int count = 0;
    for (std::size_t start = 0;; ++count) {
        const std::size_t end = solution.find('=', start);
        std::string_view step =
            solution.substr(start, end == std::string_view::npos ? end : end - start);
        if (end != std::string_view::npos) {
            if (!step.ends_with(closing.substr(0, closing.size() - 1))) {
                return "a step not closed by «" + std::string(closing) + "»";
            }
            step.remove_suffix(closing.size() - 1);
        }
        const auto stepValue = evaluate(step, fault);
        if (!stepValue) {
            return fault;
        }
        if (*stepValue != *value) {
            return "step «" + std::string(step) + "» is not worth " + std::to_string(*value);
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (count + 1 != steps) {
        return "expected " + std::to_string(steps) + " worked steps";
    }
    return {};
}

Verdict recognise(std::string_view exercise) {
    const bool spaced = exercise.ends_with(" =");
    const std::string_view body = exercise.substr(0, exercise.size() - (spaced ? 2 : 1));
    const auto tokens = tokensOf(body);
    if (!exercise.ends_with("=") || !tokens) {
        return {-1, "unreadable exercise «" + std::string(exercise) + "»"};
    }
    const std::string shape = shapeOf(*tokens);
    const std::vector<int> n = numbersOf(*tokens);
    const auto bad = [&](const std::string& what) {
        return Verdict{-1, what + " in «" + std::string(exercise) + "»"};
    };
    if (!spaced) {
        // Brackets: (leading sign following) op (leading sign following).
        if (shape == "(n+n).(n+n)" || shape == "(n-n).(n-n)" || shape == "(n+n).(n-n)" ||
            shape == "(n-n).(n+n)") {
            const bool firstZero = shape[2] == '+';
            const bool secondZero = shape[8] == '+';
            if ((firstZero && n[1] != 0) || (secondZero && n[3] != 0) || !within(n[0], 10, 99) ||
                !within(n[2], 10, 99) || !within(n[0] - n[1], 1, 10) ||
                !within(n[2] - n[3], 2, 10)) {
                return bad("bracket numbers out of range");
            }
            return {0, {}};
        }
        if (shape.size() == 11 && shape.substr(0, 2) == "(n" && shape.substr(3, 5) == "n):(n" &&
            shape[10] == ')' && shape[9] == 'n') {
            const int first = shape[2] == '+' ? n[0] + n[1] : n[0] - n[1];
            const int second = shape[8] == '+' ? n[2] + n[3] : n[2] - n[3];
            if ((shape[8] == '+' && n[3] != 0) || !within(n[2], 10, 99) || !within(second, 2, 10) ||
                !within(first, 2, 100) || first % second != 0 || !within(first / second, 1, 10)) {
                return bad("bracket numbers out of range");
            }
            // Kind 1's leading number is 1..10 and its bracket may be a sum; kind 2's following
            // number is -1..-10 below a leading number above it.
            const bool kind1 = n[0] <= 10 && (shape[2] == '+' || n[1] < n[0]);
            const bool kind2 = shape[2] == '-' && within(n[1], 1, 10) && n[0] - n[1] == first;
            if (kind1 && kind2) {
                return {eitherBracketQuotient, {}};
            }
            if (!kind1 && !kind2) {
                return bad("bracket numbers out of range");
            }
            return {kind1 ? 1 : 2, {}};
        }
        // Four addends or a difference of two terms: operation terms n.n and n:n, numbers.
        int products = 0;
        int quotients = 0;
        std::vector<int> values;
        std::string signs;
        for (std::size_t i = 0; i < tokens->size();) {
            if (i + 2 < tokens->size() &&
                ((*tokens)[i + 1].kind == '.' || (*tokens)[i + 1].kind == ':')) {
                const int x = (*tokens)[i].number;
                const int y = (*tokens)[i + 2].number;
                if ((*tokens)[i + 1].kind == '.') {
                    ++products;
                    if (!within(x, 1, 10) || !within(y, 2, 10)) {
                        return bad("a factor out of range");
                    }
                    values.push_back(x * y);
                } else {
                    ++quotients;
                    if (!within(y, 1, 10) || x % y != 0 || !within(x / y, 1, 10)) {
                        return bad("a quotient out of range");
                    }
                    values.push_back(x / y);
                }
                i += 3;
            } else if ((*tokens)[i].kind == 'n') {
                if (!within((*tokens)[i].number, 2, 10)) {
                    return bad("a plain addend out of range");
                }
                values.push_back((*tokens)[i].number);
                ++i;
            } else {
                return bad("unexpected sign");
            }
            if (i < tokens->size()) {
                signs.push_back((*tokens)[i++].kind);
            }
        }
        if (signs == "+++" && values.size() == 4 && products + quotients == 2) {
            return {products == 2 ? 3 : products == 1 ? 5 : 8, {}};
        }
        if (signs == "-" && values.size() == 2 && products + quotients == 2) {
            if (values[0] < values[1]) {
                return bad("the smaller term first");
            }
            return {products == 2 ? 4 : products == 1 ? 6 : 7, {}};
        }
        return bad("unknown shape");
    }
    if (shape == "n:n") {
        return within(n[1], 2, 10) && within(n[0], 5, 109) && n[0] % n[1] != 0 &&
                       within(n[0] / n[1], 2, 10)
                   ? Verdict{10, {}}
                   : bad("a division with remainder out of range");
    }
    if (shape == "n+n" || shape == "n-n") {
        const bool sum = shape == "n+n";
        const bool sound = within(n[0], 10, 99) && within(n[1], 10, 99) &&
                           (sum ? n[0] <= 90 && n[0] + n[1] <= 100 : n[0] >= n[1]);
        return sound ? Verdict{sum ? 13 : 14, {}} : bad("two-digit numbers out of range");
    }
    for (const char operation : {'.', ':'}) {
        for (const char sign : {'+', '-'}) {
            const std::string termLastShape{'n', operation, 'n', sign, 'n'};
            const std::string termFirstShape{'n', sign, 'n', operation, 'n'};
            const bool termLast = shape == termLastShape;
            const bool termFirst = shape == termFirstShape;
            if (!termLast && !termFirst) {
                continue;
            }
            const int c = termLast ? n[2] : n[0];
            const int x = termLast ? n[0] : n[1];
            const int y = termLast ? n[1] : n[2];
            const int value = operation == '.' ? x * y : (y != 0 && x % y == 0 ? x / y : -1);
            const bool factors = operation == '.' ? within(x, 2, 10) && within(y, 2, 10)
                                                  : within(y, 2, 10) && within(value, 2, 10);
            if (!within(c, 2, 12) || !factors) {
                return bad("numbers out of range");
            }
            // In a difference the larger side stands first, the term on a tie.
            if (sign == '-' && (termFirst ? c < value : value <= c)) {
                return bad("the smaller side first");
            }
            return {operation == '.' ? 11 : 12, {}};
        }
    }
    // A chain: a start value 1..20, then three to six steps, running value within 0..51.
    if (shape.size() >= 7 && shape.size() <= 13 && shape.size() % 2 == 1) {
        int value = n[0];
        if (!within(value, 1, 20)) {
            return bad("chain start out of range");
        }
        for (std::size_t i = 1; i < tokens->size(); i += 2) {
            const char sign = (*tokens)[i].kind;
            const int number = (*tokens)[i + 1].number;
            if ((*tokens)[i + 1].kind != 'n' || (sign != '+' && sign != '-') || number < 1) {
                return bad("not a chain");
            }
            if ((value == 0 && sign == '-') || (value >= 50 && sign == '+')) {
                return bad("a chain step the running value forbids");
            }
            value += sign == '+' ? number : -number;
            if (!within(value, 0, 51)) {
                return bad("chain value out of range");
            }
        }
        return {9, {}};
    }
    return bad("unknown shape");
}

}  // namespace

Verdict checkExercise(std::string_view exercise, std::string_view solutionLine) {
    Verdict verdict = recognise(exercise);
    if (!verdict.fault.empty()) {
        return verdict;
    }
    if (!solutionLine.starts_with(exercise)) {
        verdict.fault = "the solution line does not start with the exercise";
        return verdict;
    }
    const std::string_view solution = solutionLine.substr(exercise.size());
    std::string fault;
    switch (verdict.kind) {
        case 10: {
            // quotient " (" remainder ")"
            const auto open = solution.find(" (");
            if (open == std::string_view::npos || !solution.ends_with(")")) {
                verdict.fault = "a remainder solution not of the form «q (r)»";
                break;
            }
            // The exercise reads «dividend:divisor =».
            const std::string_view body = exercise.substr(0, exercise.size() - 2);
            const auto colon = body.find(':');
            const int dividend = std::stoi(std::string(body.substr(0, colon)));
            const int divisor = std::stoi(std::string(body.substr(colon + 1)));
            const auto quotient = evaluate(solution.substr(0, open), fault);
            const auto remainder =
                evaluate(solution.substr(open + 2, solution.size() - open - 3), fault);
            if (!quotient || !remainder || *quotient != dividend / divisor ||
                *remainder != dividend % divisor || !within(*remainder, 1, divisor - 1)) {
                verdict.fault =
                    "a wrong quotient or remainder in «" + std::string(solutionLine) + "»";
            }
            break;
        }
        case 9:
        case 13:
        case 14:
            verdict.fault = checkSteps(exercise, solution, true, 1);
            break;
        case 11:
        case 12:
            verdict.fault = checkSteps(exercise, solution, true, 2);
            break;
        default:
            verdict.fault = checkSteps(exercise, solution, false, 2);
            break;
    }
    if (!verdict.fault.empty()) {
        verdict.fault +=
            " (kind " + std::to_string(verdict.kind) + ": «" + std::string(solutionLine) + "»)";
    }
    return verdict;
}

std::optional<ExerciseValue> exerciseValue(std::string_view exercise) {
    const Verdict verdict = recognise(exercise);
    if (!verdict.fault.empty()) {
        return std::nullopt;
    }
    const bool spaced = exercise.ends_with(" =");
    const std::string_view body = exercise.substr(0, exercise.size() - (spaced ? 2 : 1));
    if (verdict.kind == 10) {
        // «dividend:divisor»
        const auto numbers = numbersOf(*tokensOf(body));
        return ExerciseValue{numbers[0] / numbers[1], numbers[0] % numbers[1]};
    }
    std::string fault;
    const auto value = evaluate(body, fault);
    if (!value) {
        return std::nullopt;
    }
    return ExerciseValue{*value, std::nullopt};
}

ListsVerdict checkLists(std::string_view exercises, std::string_view solutions, int count,
                        int interval) {
    ListsVerdict verdict;
    const auto nextLine = [](std::string_view& text, std::string_view& line) {
        const auto end = text.find("\r\n");
        if (end == std::string_view::npos) {
            return false;
        }
        line = text.substr(0, end);
        text.remove_prefix(end + 2);
        return true;
    };
    std::string_view exerciseLine;
    std::string_view solutionLine;
    for (int i = 1; i <= count; ++i) {
        if (!nextLine(exercises, exerciseLine) || !nextLine(solutions, solutionLine)) {
            verdict.fault = "exercise " + std::to_string(i) + " is missing";
            return verdict;
        }
        const Verdict one = checkExercise(exerciseLine, solutionLine);
        if (!one.fault.empty()) {
            verdict.fault = "exercise " + std::to_string(i) + ": " + one.fault;
            return verdict;
        }
        ++verdict.kindsSeen.at(static_cast<std::size_t>(one.kind));
        if (i % interval == 0) {
            if (!nextLine(exercises, exerciseLine) || !nextLine(solutions, solutionLine) ||
                !exerciseLine.empty() || !solutionLine.empty()) {
                verdict.fault = "no empty line after exercise " + std::to_string(i);
                return verdict;
            }
        }
    }
    if (!exercises.empty() || !solutions.empty()) {
        verdict.fault = "text after the last exercise";
    }
    return verdict;
}

}  // namespace ciferon::testing
