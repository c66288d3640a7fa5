#include "run.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <limits>
#include <system_error>

#include "addends.h"
#include "bracket.h"
#include "chain.h"
#include "difference.h"
#include "mixed.h"
#include "twodigit.h"

namespace ciferon {

void ClockRandom::seed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seedWith(static_cast<std::uint64_t>(ticks));
}

void ClockRandom::seedWith(std::uint64_t value) {
    state_ = 0;
    step();
    state_ += value;
    step();
}

std::uint32_t ClockRandom::step() {
    const std::uint64_t old = state_;
    state_ = old * multiplier + increment;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<unsigned>(old >> 59U);
    return std::rotr(xorShifted, static_cast<int>(rotation));
}

float ClockRandom::next() {
    // The top 24 bits fill a float's mantissa exactly: the largest value is 1 - 2^-24.
    constexpr float scale = 1.0F / 16777216.0F;
    return static_cast<float>(step() >> 8U) * scale;
}

int draw(RandomSource& random, int lo, int hi) {
    const double r = random.next();
    // The product is never negative, so truncation is the floor.
    return lo + static_cast<int>(r * (hi - lo + 1));
}

void appendPiece(std::string& out, int number) {
    std::array<char, std::numeric_limits<int>::digits10 + 3> digits{};
    const auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    out.append(digits.data(), end);
}

void appendPiece(std::string& out, std::string_view piece) {
    out.append(piece);
}

OperationTerm product(int x, int y) {
    return {textOf(x, ".", y), x * y};
}

OperationTerm quotient(int x, int y) {
    return {textOf(x * y, ":", x), y};
}

double readNumber(std::string_view answer) {
    std::string number;  // digits and point, blanks left out
    bool negative = false;
    bool signSeen = false;
    bool pointSeen = false;
    bool digitSeen = false;
    bool wholePartNonZero = false;
    for (const char c : answer) {
        if (c == ' ' || c == '\t' || c == '\n') {
            continue;
        }
        if ((c == '+' || c == '-') && !signSeen) {
            signSeen = true;
            negative = c == '-';
        } else if (c >= '0' && c <= '9') {
            number.push_back(c);
            digitSeen = true;
            wholePartNonZero = wholePartNonZero || (!pointSeen && c != '0');
        } else if (c == '.' && !pointSeen) {
            number.push_back(c);
            pointSeen = true;
        } else {
            break;
        }
        signSeen = true;  // a sign may only stand first
    }
    if (!digitSeen) {
        return 0.0;
    }
    if (number.back() == '.') {
        number.pop_back();
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        value = wholePartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

const KindTable exerciseKinds{
    bracketProduct,             // 0
    bracketSumQuotient,         // 1
    bracketDifferenceQuotient,  // 2
    addendsTwoProducts,         // 3
    differenceOfProducts,       // 4
    addendsQuotientProduct,     // 5
    differenceProductQuotient,  // 6
    differenceOfQuotients,      // 7
    addendsTwoQuotients,        // 8
    additionChain,              // 9
    divisionWithRemainder,      // 10
    productWithTerm,            // 11
    quotientWithTerm,           // 12
    twoDigitSum,                // 13
    twoDigitDifference,         // 14
};

void deal(KindOrder& poradi, RandomSource& random) {
    for (int m = 0; m <= highestKind; ++m) {
        const int r = draw(random, 0, highestKind);
        if (r != m) {
            std::swap(poradi[static_cast<std::size_t>(r)], poradi[static_cast<std::size_t>(m)]);
        }
    }
}

int separatorInterval(double k) {
    if (!(k > 0.5 && k <= separatorMax)) {
        return 0;
    }
    // Nearest whole number, an exact half going to the even neighbour.
    const double whole = std::floor(k);
    const double fraction = k - whole;
    auto interval = static_cast<int>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && interval % 2 != 0)) {
        ++interval;
    }
    return interval;
}

bool acceptsCount(double n) {
    return n > 0 && n <= countMax;
}

Lists makeLists(double n, int interval, RandomSource& random, const KindTable& kinds) {
    const auto count = static_cast<int>(n);
    Lists lists;
    // Roughly the longest texts, so that the lists grow without reallocation.
    lists.exercises.reserve(static_cast<std::size_t>(count) * 20 + 64);
    lists.solutions.reserve(static_cast<std::size_t>(count) * 40 + 64);

    KindOrder poradi{};
    for (int s = 0; s <= highestKind; ++s) {
        poradi[static_cast<std::size_t>(s)] = static_cast<std::int16_t>(s);
    }
    deal(poradi, random);

    AddendSlots slots;
    KindTools tools{random, slots};
    for (int i = 1; i <= count; ++i) {
        BaseFactors factors{};
        factors.a = draw(random, 1, 10);
        factors.b = draw(random, 2, 10);
        factors.p = factors.a * factors.b;
        const auto kind = poradi[static_cast<std::size_t>(i % slotsRead)];
        const Exercise made = kinds[static_cast<std::size_t>(kind)](factors, tools);

        lists.exercises.append(made.exercise).append(crlf);
        lists.solutions.append(made.exercise).append(made.solution).append(crlf);
        if (i % interval == 0) {
            lists.exercises.append(crlf);
            lists.solutions.append(crlf);
        }
        if (i % highestKind == 0) {
            deal(poradi, random);
        }
    }
    return lists;
}

bool run(RunHost& host, RandomSource& random) {
    const double n = readNumber(host.askNumber(countQuestion, countDefault));
    if (!acceptsCount(n)) {
        return false;
    }
    const int interval =
        separatorInterval(readNumber(host.askNumber(separatorQuestion, separatorDefault)));
    if (interval == 0) {
        return false;
    }
    random.seed();
    const Lists lists = makeLists(n, interval, random);
    host.showResults(lists.exercises, lists.solutions);
    return true;
}

}  // namespace ciferon
