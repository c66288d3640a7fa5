#include "kinds/slips.h"

#include <algorithm>

namespace ciferon {

namespace {

// The largest number read from an exercise, and the largest value a step may reach: their
// product still fits a long long.
constexpr long long numberMax = 999999;
constexpr long long valueMax = 1000000000000;

}  // namespace

bool tokensOf(std::string_view exercise, ExerciseTokens& tokens) {
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
        ExerciseToken& token = tokens.at[tokens.size++];
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

namespace {

// Works tokens from `at` strictly from the left, a bracket first as one number, up to the end
// or a closing bracket. False when a step is not a whole number, is negative or is too large.
bool fromTheLeft(const ExerciseTokens& tokens, std::size_t& at, long long& value);

bool operand(const ExerciseTokens& tokens, std::size_t& at, long long& value) {
    if (at >= tokens.size) {
        return false;
    }
    const ExerciseToken& token = tokens.at[at++];
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

bool fromTheLeft(const ExerciseTokens& tokens, std::size_t& at, long long& value) {
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
bool twoDigits(const ExerciseTokens& tokens, char sign, long long& x, long long& y) {
    const auto& t = tokens.at;
    if (tokens.size != 3 || t[0].sign != 0 || t[1].sign != sign || t[2].sign != 0) {
        return false;
    }
    x = t[0].number;
    y = t[2].number;
    return x >= 10 && x <= 99 && y >= 10 && y <= 99;
}

}  // namespace

void leftToRightSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong) {
    std::size_t at = 0;
    long long value = 0;
    if (fromTheLeft(tokens, at, value) && at == tokens.size) {
        wrong.add(Mistake::LeftToRight, {value, {}}, right);
    }
}

void carrySlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong) {
    long long x = 0;
    long long y = 0;
    if (twoDigits(tokens, '+', x, y) && x % 10 + y % 10 >= 10) {
        wrong.add(Mistake::CarryForgotten, {x + y - 10, {}}, right);
    }
}

void borrowSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong) {
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
void remainderSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong) {
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
void oneSignSlips(const ExerciseTokens& tokens, const Result& right, WrongAnswers& wrong) {
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

void WrongAnswers::add(Mistake mistake, const Result& answer, const Result& right) {
    if (answer == right || size_ == capacity ||
        std::any_of(begin(), end(), [&](const WrongAnswer& given) {
            return given.mistake == mistake && given.answer == answer;
        })) {
        return;
    }
    answers_[size_++] = {mistake, answer};
}

}  // namespace ciferon
