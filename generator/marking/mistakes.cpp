#include "marking/mistakes.h"

#include "texts/texts.h"

#include <algorithm>
#include <utility>

namespace ciferon {

namespace {

// An exercise text as numbers and signs, in a fixed number of places: more than any kind's
// exercise has.
struct Token {
    char sign = 0;  // one of ( ) + - . : or 0 for a number
    long long number = 0;
};
struct Tokens {
    std::array<Token, 32> at{};
    std::size_t size = 0;
};

// The largest number read from an exercise, and the largest value a step may reach: their
// product still fits a long long.
constexpr long long numberMax = 999999;
constexpr long long valueMax = 1000000000000;

// Splits an exercise text, its closing "=" or " =" left out, into numbers and signs; false
// for anything else, or too many pieces.
bool tokensOf(std::string_view exercise, Tokens& tokens) {
    if (!exercise.ends_with('=')) {
        return false;
    }
    exercise.remove_suffix(1);
    if (exercise.ends_with(' ')) {
        exercise.remove_suffix(1);
    }
    for (std::size_t i = 0; i < exercise.size();) {
        if (tokens.size == tokens.at.size()) {
            return false;
        }
        Token& token = tokens.at[tokens.size++];
        const char c = exercise[i];
        if (c >= '0' && c <= '9') {
            token.number = 0;
            for (; i < exercise.size() && exercise[i] >= '0' && exercise[i] <= '9'; ++i) {
                token.number = token.number * 10 + (exercise[i] - '0');
                if (token.number > numberMax) {
                    return false;
                }
            }
        } else if (std::string_view("()+-.:").find(c) != std::string_view::npos) {
            token.sign = c;
            ++i;
        } else {
            return false;
        }
    }
    return tokens.size > 0;
}

// Works tokens from `at` strictly from the left, a bracket first as one number, up to the end
// or a closing bracket. False when a step is not a whole number, is negative or is too large.
bool fromTheLeft(const Tokens& tokens, std::size_t& at, long long& value);

bool operand(const Tokens& tokens, std::size_t& at, long long& value) {
    if (at >= tokens.size) {
        return false;
    }
    const Token& token = tokens.at[at++];
    if (token.sign == 0) {
        value = token.number;
        return true;
    }
    if (token.sign != '(' || !fromTheLeft(tokens, at, value) || at >= tokens.size ||
        tokens.at[at].sign != ')') {
        return false;
    }
    ++at;
    return true;
}

bool fromTheLeft(const Tokens& tokens, std::size_t& at, long long& value) {
    if (!operand(tokens, at, value)) {
        return false;
    }
    while (at < tokens.size && tokens.at[at].sign != ')') {
        const char sign = tokens.at[at++].sign;
        long long next = 0;
        if (!operand(tokens, at, next)) {
            return false;
        }
        switch (sign) {
            case '+':
                value += next;
                break;
            case '-':
                value -= next;
                break;
            case '.':
                value *= next;
                break;
            case ':':
                if (next == 0 || value % next != 0) {
                    return false;
                }
                value /= next;
                break;
            default:
                return false;
        }
        if (value < 0 || value > valueMax) {
            return false;
        }
    }
    return true;
}

// The numbers of «x+y» or «x-y» with `sign` between them, both of two digits.
bool twoDigits(const Tokens& tokens, char sign, long long& x, long long& y) {
    const auto& t = tokens.at;
    if (tokens.size != 3 || t[0].sign != 0 || t[1].sign != sign || t[2].sign != 0) {
        return false;
    }
    x = t[0].number;
    y = t[2].number;
    return x >= 10 && x <= 99 && y >= 10 && y <= 99;
}

void leftToRight(const Tokens& tokens, const Result& right, WrongAnswers& wrong) {
    std::size_t at = 0;
    long long value = 0;
    if (fromTheLeft(tokens, at, value) && at == tokens.size) {
        wrong.add(Mistake::LeftToRight, {value, {}}, right);
    }
}

void carryForgotten(const Tokens& tokens, const Result& right, WrongAnswers& wrong) {
    long long x = 0;
    long long y = 0;
    if (twoDigits(tokens, '+', x, y) && x % 10 + y % 10 >= 10) {
        wrong.add(Mistake::CarryForgotten, {x + y - 10, {}}, right);
    }
}

void borrowForgotten(const Tokens& tokens, const Result& right, WrongAnswers& wrong) {
    long long x = 0;
    long long y = 0;
    if (!twoDigits(tokens, '-', x, y) || x < y || x % 10 >= y % 10) {
        return;
    }
    wrong.add(Mistake::CarryForgotten, {x - y + 10, {}}, right);
    wrong.add(Mistake::UnitsReversed, {(x / 10 - y / 10) * 10 + (y % 10 - x % 10), {}}, right);
}

// The quotients too small from the largest down, as many as there are places for beside the
// other two mistakes: all of them for every sheet, whose quotients are at most 10.
void divisionWithRemainder(const Tokens& tokens, const Result& right, WrongAnswers& wrong) {
    const auto& t = tokens.at;
    if (tokens.size != 3 || t[0].sign != 0 || t[1].sign != ':' || t[2].sign != 0 ||
        t[2].number < 2) {
        return;
    }
    const long long dividend = t[0].number;
    const long long divisor = t[2].number;
    const long long quotient = dividend / divisor;
    const long long remainder = dividend % divisor;
    const long long lowest = std::max(0LL, quotient - static_cast<long long>(wrong.capacity - 2));
    for (long long smaller = quotient - 1; smaller >= lowest; --smaller) {
        wrong.add(Mistake::RemainderTooLarge, {smaller, dividend - smaller * divisor}, right);
    }
    wrong.add(Mistake::RemainderMissing, {quotient, 0}, right);
    if (quotient != remainder) {
        wrong.add(Mistake::Swapped, {remainder, quotient}, right);
    }
}

// Every chain with exactly one of its signs the other way round, whatever it comes to.
void oneSign(const Tokens& tokens, const Result& right, WrongAnswers& wrong) {
    const auto& t = tokens.at;
    if (tokens.size % 2 == 0 || t[0].sign != 0) {
        return;
    }
    for (std::size_t i = 1; i < tokens.size; i += 2) {
        if ((t[i].sign != '+' && t[i].sign != '-') || t[i + 1].sign != 0) {
            return;
        }
    }
    for (std::size_t flipped = 1; flipped < tokens.size; flipped += 2) {
        long long value = t[0].number;
        for (std::size_t i = 1; i < tokens.size; i += 2) {
            const bool plus = (t[i].sign == '+') != (i == flipped);
            value += plus ? t[i + 1].number : -t[i + 1].number;
        }
        wrong.add(Mistake::OneSign, {value, {}}, right);
    }
}

}  // namespace

std::string_view mistakeText(Mistake mistake) {
    switch (mistake) {
        case Mistake::LeftToRight:
            return "asi počítáno zleva doprava (nejdřív se násobí a dělí)";
        case Mistake::CarryForgotten:
            return "asi zapomenutý přechod přes desítku";
        case Mistake::UnitsReversed:
            return "asi odečteny jednotky obráceně (menší od větší)";
        case Mistake::RemainderTooLarge:
            return "zbytek musí být menší než dělitel";
        case Mistake::RemainderMissing:
            return "chybí zbytek";
        case Mistake::Swapped:
            return "asi prohozený podíl a zbytek";
        case Mistake::OneSign:
            break;
    }
    return "asi jedno znaménko opačně";
}

char keyLetter(Mistake mistake) {
    switch (mistake) {
        case Mistake::LeftToRight:
            return 'Z';
        case Mistake::CarryForgotten:
            return 'D';
        case Mistake::UnitsReversed:
            return 'J';
        case Mistake::RemainderTooLarge:
            return 'V';
        case Mistake::Swapped:
            return 'P';
        case Mistake::RemainderMissing:
        case Mistake::OneSign:
            break;
    }
    return 0;
}

namespace {

// A lettered mistake as the key's legend names it.
std::string_view keyLegendText(Mistake mistake) {
    switch (mistake) {
        case Mistake::LeftToRight:
            return "počítáno zleva doprava";
        case Mistake::CarryForgotten:
            return "přechod přes desítku";
        case Mistake::UnitsReversed:
            return "jednotky obráceně";
        case Mistake::RemainderTooLarge:
            return "zbytek větší než dělitel";
        case Mistake::Swapped:
            return "prohozený podíl a zbytek";
        case Mistake::RemainderMissing:
        case Mistake::OneSign:
            break;
    }
    return {};
}

}  // namespace

std::string keyLegend(MistakeSet shown) {
    std::string text;
    for (int m = 0; m < mistakeCount; ++m) {
        const auto mistake = static_cast<Mistake>(m);
        if ((shown & mistakeBit(mistake)) == 0 || keyLetter(mistake) == 0) {
            continue;
        }
        text.append(text.empty() ? "" : ", ").append(1, keyLetter(mistake)).append(" – ");
        text.append(keyLegendText(mistake));
    }
    return text;
}

void WrongAnswers::add(Mistake mistake, const Result& answer, const Result& right) {
    if (answer == right || size_ == capacity ||
        std::any_of(begin(), end(), [&](const WrongAnswer& given) {
            return given.mistake == mistake && given.answer == answer;
        })) {
        return;
    }
    answers_[size_++] = {mistake, answer};
}

WrongAnswers wrongAnswers(int kind, std::string_view exercise, const Result& right) {
    WrongAnswers wrong;
    Tokens tokens;
    // Only division with remainder has a remainder result.
    if (right.remainder.has_value() != (kind == 10) || !tokensOf(exercise, tokens)) {
        return wrong;
    }
    switch (kind) {
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 11:
        case 12:
            leftToRight(tokens, right, wrong);
            break;
        case 9:
            oneSign(tokens, right, wrong);
            break;
        case 10:
            divisionWithRemainder(tokens, right, wrong);
            break;
        case 13:
            carryForgotten(tokens, right, wrong);
            break;
        case 14:
            borrowForgotten(tokens, right, wrong);
            break;
        default:
            break;
    }
    return wrong;
}

WrongAnswers wrongAnswers(const SheetItem& item) {
    return wrongAnswers(item.kind, item.exercise, item.result);
}

MistakeSet mistakesOf(const WrongAnswers& wrong, std::string_view answer,
                      std::string_view remainder) {
    if (wrong.empty()) {
        return 0;
    }
    const Answer value = readAnswer(answer);
    if (value.state != Answer::State::Number) {
        return 0;
    }
    const Answer rest = readAnswer(remainder);
    MistakeSet mistakes = 0;
    for (const WrongAnswer& given : wrong) {
        if (given.answer.value != value.value) {
            continue;
        }
        if (given.answer.remainder) {
            const bool matches = rest.state == Answer::State::Number
                                     ? rest.value == *given.answer.remainder
                                 : rest.state == Answer::State::Empty ? *given.answer.remainder == 0
                                                                      : false;
            if (!matches) {
                continue;
            }
        }
        mistakes |= mistakeBit(given.mistake);
    }
    return mistakes;
}

MarkedAnswer markWithMistakes(int kind, std::string_view exercise, const Result& result,
                              std::string_view answer, std::string_view remainder) {
    const Mark mark = markAnswer(result, answer, remainder);
    if (mark != Mark::Wrong) {
        return {mark};
    }
    return {mark, mistakesOf(wrongAnswers(kind, exercise, result), answer, remainder)};
}

MarkedAnswer markWithMistakes(const SheetItem& item, std::string_view answer,
                              std::string_view remainder) {
    return markWithMistakes(item.kind, item.exercise, item.result, answer, remainder);
}

MarkedAnswer markLineWithMistakes(int kind, std::string_view exercise, const Result& result,
                                  std::string_view line) {
    const auto fields = lineFields(result, line);
    if (!fields) {
        return {Mark::Unreadable};
    }
    return markWithMistakes(kind, exercise, result, fields->answer, fields->remainder);
}

MarkedAnswer markLineWithMistakes(const SheetItem& item, std::string_view line) {
    return markLineWithMistakes(item.kind, item.exercise, item.result, line);
}

std::string mistakeNote(MistakeSet mistakes) {
    std::string note;
    for (int m = 0; m < mistakeCount; ++m) {
        const auto mistake = static_cast<Mistake>(m);
        if ((mistakes & mistakeBit(mistake)) != 0) {
            note.append(note.empty() ? "" : "; ").append(mistakeText(mistake));
        }
    }
    return note;
}

namespace {

// A mark followed by the mistakes named for it, after an en dash.
std::string withNote(std::string mark, MistakeSet mistakes) {
    if (const std::string note = mistakeNote(mistakes); !note.empty()) {
        mark.append(" – ").append(note);
    }
    return mark;
}

}  // namespace

std::string checkLine(int number, const MarkedAnswer& marked) {
    std::string line = std::to_string(number).append(". ").append(markWord(marked.mark));
    if (marked.mark == Mark::Unreadable) {
        return line.append(" – ").append(unreadableHint());
    }
    return withNote(std::move(line), marked.mistakes);
}

std::string markText(const MarkedAnswer& marked) {
    return withNote(markText(marked.mark), marked.mistakes);
}

std::vector<std::string> mistakeSummaryLines(const std::vector<MarkedAnswer>& marked) {
    std::array<int, mistakeCount> counts{};
    for (const MarkedAnswer& answer : marked) {
        for (int m = 0; m < mistakeCount; ++m) {
            counts[m] += (answer.mistakes & mistakeBit(static_cast<Mistake>(m))) != 0 ? 1 : 0;
        }
    }
    std::array<int, mistakeCount> order{};
    for (int m = 0; m < mistakeCount; ++m) {
        order[m] = m;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&counts](int a, int b) { return counts[a] > counts[b]; });
    std::vector<std::string> lines;
    for (const int m : order) {
        if (counts[m] > 0) {
            std::string line = "– ";
            line.append(mistakeText(static_cast<Mistake>(m)))
                .append(": ")
                .append(std::to_string(counts[m]))
                .append("×");
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::string summaryText(const std::vector<MarkedAnswer>& marked, int shown) {
    std::vector<Mark> marks(marked.size());
    std::transform(marked.begin(), marked.end(), marks.begin(),
                   [](const MarkedAnswer& answer) { return answer.mark; });
    std::string text = summaryText(marks, shown);
    for (const std::string& line : mistakeSummaryLines(marked)) {
        text.append("\n").append(line);
    }
    return text;
}

namespace {

// The wrong answers the key lists for an exercise, each with its letter, in the order of
// Mistake; of the quotients too small only the one just below the right one.
std::vector<WrongAnswer> keyAnswers(int kind, std::string_view exercise, const Result& result) {
    std::vector<WrongAnswer> shown;
    bool smallerShown = false;
    for (const WrongAnswer& given : wrongAnswers(kind, exercise, result)) {
        if (keyLetter(given.mistake) == 0 ||
            (given.mistake == Mistake::RemainderTooLarge && smallerShown)) {
            continue;
        }
        // The quotients too small come from the largest down: the first is one below.
        smallerShown = smallerShown || given.mistake == Mistake::RemainderTooLarge;
        shown.push_back(given);
    }
    return shown;
}

}  // namespace

std::string keyMistakes(int kind, std::string_view exercise, const Result& result) {
    std::string text;
    for (const WrongAnswer& given : keyAnswers(kind, exercise, result)) {
        text.append(text.empty() ? " [" : "; ").append(1, keyLetter(given.mistake)).append(" ");
        text.append(resultText(given.answer));
    }
    if (!text.empty()) {
        text.append("]");
    }
    return text;
}

std::string keyMistakes(const SheetItem& item) {
    return keyMistakes(item.kind, item.exercise, item.result);
}

MistakeSet keyMistakeSet(const SheetItem& item) {
    MistakeSet shown = 0;
    for (const WrongAnswer& given : keyAnswers(item.kind, item.exercise, item.result)) {
        shown |= mistakeBit(given.mistake);
    }
    return shown;
}

}  // namespace ciferon
