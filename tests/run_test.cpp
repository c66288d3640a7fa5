// The generation run: reading answers, accepting them, dealing the kind order and laying
// out both lists.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "evaluator.h"
#include "run/run.h"
#include "scripted_random.h"

namespace ciferon {
namespace {

using testing::identityDeal;
using testing::ScriptedRandom;
using testing::valueFor;

struct Reading {
    std::string answer;
    double value;
};

const std::vector<Reading> readings{
    {"100", 100},
    {"  25", 25},
    {"1 5", 15},
    {"12abc", 12},
    {"12.7", 12.7},
    {"7,5", 7},
    {"-3", -3},
    {"abc", 0},
    {"", 0},
    {"\t1\n2 . 5 ", 12.5},
    {"+8", 8},
    {"- 4", -4},
    {".5", 0.5},
    {"5.", 5},
    {"2.5.1", 2.5},
    {"1e5", 1},
    {"0x10", 0},
    {"--1", 0},
    {"+-1", 0},
    {"+", 0},
    {"-", 0},
    {".", 0},
    {"inf", 0},
    {"nan", 0},
    {"1\r2", 1},
    {std::string("3\0"
                 "4",
                 3),
     3},
    {"\u0663", 0},  // an Arabic-Indic three is not a digit here
    {"200.5", 200.5},
    {"0.000001", 0.000001},
};

TEST(ReadNumber, ReadsTheAnswerTable) {
    for (const auto& [answer, value] : readings) {
        EXPECT_DOUBLE_EQ(readNumber(answer), value) << "answer «" << answer << "»";
    }
}

TEST(ReadNumber, TakesExtremeLengthsQuietly) {
    EXPECT_EQ(readNumber(std::string(1'000'000, '9')), std::numeric_limits<double>::infinity());
    // Appended, not prefixed: GCC 12 at -O3 warns falsely (-Wrestrict) about a prefix inserted
    // before a long string.
    EXPECT_EQ(readNumber(std::string("-").append(1'000'000, '9')),
              -std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumber(std::string("0.").append(1'000'000, '0').append("1")), 0.0);
    EXPECT_EQ(readNumber(std::string(1'000'000, ' ') + "7"), 7.0);
    EXPECT_EQ(readNumber(std::string(1'000'000, '0') + "12"), 12.0);
}

// A Qt program runs under the user's locale; in Czech the C library's decimal point is ",".
// The answers must read the same there.
TEST(ReadNumber, IgnoresTheCommaLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "cs_CZ.UTF-8"), nullptr)
        << "the Czech locale is missing (LOCPATH="
        << (std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "") << ")";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    for (const auto& [answer, value] : readings) {
        EXPECT_DOUBLE_EQ(readNumber(answer), value) << "answer «" << answer << "»";
    }
    std::setlocale(LC_ALL, before.c_str());
}

TEST(Draw, StaysWithinItsBoundsAtBothEnds) {
    const float below1 = std::nextafter(1.0F, 0.0F);
    const std::vector<std::pair<int, int>> ranges{{0, 14}, {1, 10},  {2, 10}, {10, 99},
                                                  {1, 51}, {10, 10}, {0, 1}};
    for (const auto& [lo, hi] : ranges) {
        ScriptedRandom random({0.0F, below1});
        EXPECT_EQ(draw(random, lo, hi), lo);
        EXPECT_EQ(draw(random, lo, hi), hi);
    }
}

TEST(ClockRandom, GivesValuesBelowOneThatVary) {
    ClockRandom random;
    random.seed();
    double sum = 0;
    float least = 1.0F;
    float most = 0.0F;
    constexpr int count = 100'000;
    for (int i = 0; i < count; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        sum += r;
        least = std::min(least, r);
        most = std::max(most, r);
    }
    EXPECT_NEAR(sum / count, 0.5, 0.01);
    EXPECT_LT(least, 0.001F);
    EXPECT_GT(most, 0.999F);
}

// A caller that answers from a script and keeps what it was shown.
class ScriptedHost final : public RunHost {
  public:
    explicit ScriptedHost(std::vector<std::string> answers) : answers_(std::move(answers)) {}

    std::string askNumber(std::string_view question, int defaultAnswer) override {
        questions.emplace_back(question);
        defaults.push_back(defaultAnswer);
        if (questions.size() > answers_.size()) {
            ADD_FAILURE() << "asked more questions than scripted";
            return {};
        }
        return answers_[questions.size() - 1];
    }
    void showResults(const std::string& exercises, const std::string& solutions) override {
        ++shown;
        lists = {exercises, solutions};
    }

    std::vector<std::string> questions;
    std::vector<int> defaults;
    int shown = 0;
    Lists lists;

  private:
    std::vector<std::string> answers_;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(crlf, start)) != std::string::npos;
         start = end + crlf.size()) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last line break";
    return lines;
}

struct Answers {
    std::string count;
    std::string separator;
    bool accepted;
    int exercises;  // when accepted
    int interval;   // when accepted: an empty line after every interval-th exercise
};

TEST(Run, AcceptsOrRefusesTheAnswers) {
    const std::vector<Answers> table{
        {"100", "10", true, 100, 10}, {"200", "10", true, 200, 10}, {"200.5", "10", false, 0, 0},
        {"201", "10", false, 0, 0},   {"0", "10", false, 0, 0},     {"-1", "10", false, 0, 0},
        {"abc", "10", false, 0, 0},   {"", "10", false, 0, 0},      {"0.5", "10", true, 0, 10},
        {"12.7", "10", true, 12, 10}, {"20", "20", true, 20, 20},   {"20", "20.5", false, 0, 0},
        {"20", "21", false, 0, 0},    {"20", "", false, 0, 0},      {"20", "0", false, 0, 0},
        {"20", "2.5", true, 20, 2},   {"20", "1.5", true, 20, 2},   {"20", "3.5", true, 20, 4},
        {"20", "0.7", true, 20, 1},   {"20", "0.5", false, 0, 0},   {"20", "0.50001", true, 20, 1},
        {"7", "1", true, 7, 1},       {"7", "8", true, 7, 8},       {"12", "4", true, 12, 4},
    };
    for (const auto& row : table) {
        SCOPED_TRACE("answers «" + row.count + "», «" + row.separator + "»");
        ScriptedHost host({row.count, row.separator});
        ClockRandom random;
        EXPECT_EQ(run(host, random), row.accepted);
        EXPECT_EQ(host.shown, row.accepted ? 1 : 0);
        const bool firstAccepted = acceptsCount(readNumber(row.count));
        ASSERT_EQ(host.questions.size(), firstAccepted ? 2U : 1U);
        EXPECT_EQ(host.questions[0], "Kolik příkladů? (max.200)");
        EXPECT_EQ(host.defaults[0], 100);
        if (firstAccepted) {
            EXPECT_EQ(host.questions[1], "Po kolika oddělovat? (max. 20)");
            EXPECT_EQ(host.defaults[1], 10);
        }
        if (!row.accepted) {
            continue;
        }
        // One line per exercise and an empty line after every interval-th, the last included.
        const auto verdict = testing::checkLists(host.lists.exercises, host.lists.solutions,
                                                 row.exercises, row.interval);
        EXPECT_EQ(verdict.fault, "");
    }
}

// Whatever is typed, the run refuses it quietly or reads a number from its start.
TEST(Run, TakesHostileAnswersQuietly) {
    struct Hostile {
        std::string answer;
        int exercises;  // 0 when refused
    };
    const std::vector<Hostile> table{
        {std::string(1'000'000, '7'), 0},
        {std::string(1'000'000, ' ') + "5", 5},
        {std::string(1'000'000, '0') + "3", 3},
        {std::string("\0"
                     "5",
                     2),
         0},
        {std::string("5\0"
                     "0",
                     3),
         5},
        {"\x01\x02\x7f", 0},
        {"\u0665", 0},  // an Arabic-Indic five
        {"\uff15", 0},  // a full-width five
        {"1e5", 1},
        {"0x10", 0},
        {"--1", 0},
        {"+", 0},
        {".", 0},
        {"inf", 0},
        {"nan", 0},
        {"-", 0},
        {"1e400", 1},
        {"-0", 0},
        {"199.9999999999999999999", 200},  // rounds to 200.0 as a double
    };
    for (const auto& row : table) {
        SCOPED_TRACE("answer of " + std::to_string(row.answer.size()) + " bytes");
        ScriptedHost host({row.answer, "1"});
        ClockRandom random;
        EXPECT_EQ(run(host, random), row.exercises > 0);
        EXPECT_EQ(host.questions.size(), row.exercises > 0 ? 2U : 1U);
        // One exercise line and one empty line for each exercise.
        EXPECT_EQ(linesOf(host.lists.exercises).size(),
                  2U * static_cast<std::size_t>(row.exercises));
    }
}

TEST(Run, RefusedAnswersTakeNoRandomValue) {
    for (const auto& answers : std::vector<std::vector<std::string>>{{"abc"}, {"50", "21"}}) {
        ScriptedHost host(answers);
        ScriptedRandom random;
        EXPECT_FALSE(run(host, random));
        EXPECT_EQ(random.seeds(), 0);
    }
}

TEST(Run, SeedsOnceAfterBothAnswers) {
    ScriptedHost host({"1", "1"});
    ScriptedRandom random(identityDeal());
    random.add({0.0F, 0.0F});  // A and B
    const auto kind1 = std::vector<float>{valueFor(1, 10, 7), valueFor(10, 99, 58)};
    random.add(kind1);  // exercise 1 reads slot 1: kind 1
    EXPECT_TRUE(run(host, random));
    EXPECT_EQ(random.seeds(), 1);
    EXPECT_EQ(host.lists.exercises, "(7-5):(58-56)=\r\n\r\n");
    EXPECT_EQ(host.lists.solutions, "(7-5):(58-56)=2:2=1\r\n\r\n");
}

TEST(Deal, ExchangesAsTheRandomValuesSay) {
    KindOrder poradi{};
    for (int s = 0; s <= highestKind; ++s) {
        poradi[static_cast<std::size_t>(s)] = static_cast<std::int16_t>(s);
    }
    ScriptedRandom random({0.34F, 0.10F, 0.02F, 0.99F});
    for (int m = 4; m <= highestKind; ++m) {
        random.add(valueFor(0, highestKind, m));
    }
    deal(poradi, random);
    const KindOrder expected{2, 1, 5, 14, 4, 0, 6, 7, 8, 9, 10, 11, 12, 13, 3};
    EXPECT_EQ(poradi, expected);
}

// A sheet of three chosen kinds deals three slots: draw 0..2 for each, three values in all.
TEST(Deal, OverFewerSlotsDrawsAmongThem) {
    std::array<std::int16_t, 3> order{3, 7, 9};
    ScriptedRandom random({valueFor(0, 2, 2), valueFor(0, 2, 2), valueFor(0, 2, 0)});
    deal(order, random);
    // 0<->2: 9 7 3; 1<->2: 9 3 7; 2<->0: 7 3 9.
    EXPECT_EQ(order, (std::array<std::int16_t, 3>{7, 3, 9}));
}

// Kinds that take no random value and write their own number, so that a test can see which
// slot served which exercise.
template <int Kind>
Exercise numbered(const BaseFactors& /*factors*/, KindTools& /*tools*/) {
    return {textOf("k", Kind), "=", {Kind, {}}};
}

template <std::size_t... Kinds>
KindTable numberedKinds(std::index_sequence<Kinds...> /*kinds*/) {
    return {numbered<static_cast<int>(Kinds)>...};
}

const KindTable numberedTable = numberedKinds(std::make_index_sequence<kindCount>());

std::vector<int> kindsMade(const Lists& lists) {
    std::vector<int> kinds;
    for (const auto& line : linesOf(lists.exercises)) {
        if (!line.empty()) {
            kinds.push_back(std::stoi(line.substr(1)));
        }
    }
    return kinds;
}

TEST(MakeLists, ReadsSlotsAndDealsAfterEveryFourteenth) {
    // Deals that exchange nothing leave kind s in slot s, so the kinds show the slots read.
    ScriptedRandom random(identityDeal());
    for (int i = 1; i <= 70; ++i) {
        random.add({0.0F, 0.0F});
        if (i % 14 == 0) {
            random.add(identityDeal());
        }
    }
    const Lists lists = makeLists(70, 20, random, numberedTable);
    const std::vector<int> expected{
        1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4,  // first deal
        5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8,  // second
        9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2,  // third
        3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6,  // fourth
        7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0,  // fifth
    };
    EXPECT_EQ(kindsMade(lists), expected);
}

TEST(MakeLists, ANewDealStartsFromThePreviousOrder) {
    // The first deal exchanges slots 0 and 1; so does the second, which restores the order.
    auto swapFirstTwo = identityDeal();
    swapFirstTwo[0] = valueFor(0, highestKind, 1);
    ScriptedRandom random(swapFirstTwo);
    for (int i = 1; i <= 14; ++i) {
        random.add({0.0F, 0.0F});
    }
    random.add(swapFirstTwo);
    random.add({0.0F, 0.0F});  // exercise 15 after the second deal
    const auto kinds = kindsMade(makeLists(15, 20, random, numberedTable));
    EXPECT_EQ(kinds[0], 0);   // exercise 1 reads slot 1, which now holds kind 0
    EXPECT_EQ(kinds[9], 1);   // exercise 10 reads slot 0
    EXPECT_EQ(kinds[14], 5);  // exercise 15 reads slot 5 of the restored order
}

TEST(MakeLists, LaysOutLinesAndEmptyLines) {
    struct Layout {
        double n;
        int interval;
        std::string exercises;
        std::string solutions;
    };
    const std::vector<Layout> table{
        {5, 2, "k1\r\nk2\r\n\r\nk3\r\nk4\r\n\r\nk5\r\n",
         "k1=\r\nk2=\r\n\r\nk3=\r\nk4=\r\n\r\nk5=\r\n"},
        {4, 2, "k1\r\nk2\r\n\r\nk3\r\nk4\r\n\r\n", "k1=\r\nk2=\r\n\r\nk3=\r\nk4=\r\n\r\n"},
        {3, 1, "k1\r\n\r\nk2\r\n\r\nk3\r\n\r\n", "k1=\r\n\r\nk2=\r\n\r\nk3=\r\n\r\n"},
        {3, 4, "k1\r\nk2\r\nk3\r\n", "k1=\r\nk2=\r\nk3=\r\n"},
        {0.5, 3, "", ""},
        {2.9, 20, "k1\r\nk2\r\n", "k1=\r\nk2=\r\n"},
    };
    for (const auto& row : table) {
        ScriptedRandom random(identityDeal());
        for (int i = 1; i <= static_cast<int>(row.n); ++i) {
            random.add({0.0F, 0.0F});
        }
        const Lists lists = makeLists(row.n, row.interval, random, numberedTable);
        EXPECT_EQ(lists.exercises, row.exercises) << row.n << " by " << row.interval;
        EXPECT_EQ(lists.solutions, row.solutions) << row.n << " by " << row.interval;
    }
}

TEST(MakeLists, FourteenExercisesDealASecondTime) {
    ScriptedRandom random(identityDeal());
    for (int i = 1; i <= 14; ++i) {
        random.add({0.0F, 0.0F});
    }
    random.add(identityDeal());  // left untaken, the scripted source would fail the test
    makeLists(14, 10, random, numberedTable);
    EXPECT_EQ(random.taken(), 15U + 28U + 15U);
}

// Three chosen kinds, 2, 5 and 9: dealt over three slots before exercises 1 and 4, the second
// deal working on the first one's order, and not after exercise 3 when it is the last.
TEST(MakeLists, DealsChosenKindsInBlocks) {
    for (const int count : {3, 4}) {
        ScriptedRandom random;
        random.add({valueFor(0, 2, 1), valueFor(0, 2, 1), valueFor(0, 2, 2)});  // 5 2 9
        for (int i = 1; i <= count; ++i) {
            if (i == 4) {
                random.add({valueFor(0, 2, 2), valueFor(0, 2, 0), valueFor(0, 2, 2)});  // 2 9 5
            }
            random.add({0.0F, 0.0F});  // A and B
        }
        std::vector<int> made;
        const auto kinds = kindsMade(makeLists(count, 20, random, 0x0224, numberedTable, &made));
        std::vector<int> expected{5, 2, 9, 2};
        expected.resize(static_cast<std::size_t>(count));
        EXPECT_EQ(kinds, expected);
        EXPECT_EQ(made, expected);
    }
    // Nothing to deal, or a kind that does not exist: no list, rather than some other kind's.
    for (const KindChoice refused : {KindChoice{0}, KindChoice{0x8000}, KindChoice{0x8001}}) {
        ScriptedRandom random;
        EXPECT_THROW(makeLists(20, 5, random, refused), std::invalid_argument) << refused;
    }
}

// Slot 1 holds kind 13 and slot 2 kind 14: two exercises, an empty line after each.
TEST(MakeLists, ReplaysTwoExercisesWithOneSeparator) {
    auto values = identityDeal();
    values[1] = valueFor(0, highestKind, 13);  // exchange slots 1 and 13
    values[2] = valueFor(0, highestKind, 14);  // exchange slots 2 and 14
    ScriptedRandom random(values);
    random.add({0.35F, 0.5F, 0.44F, 0.40F});  // A, B, then kind 13
    random.add({0.35F, 0.5F, 0.08F, 0.59F});  // A, B, then kind 14
    const Lists lists = makeLists(2, 1, random);
    EXPECT_EQ(lists.exercises, "45+28 =\r\n\r\n63-17 =\r\n\r\n");
    EXPECT_EQ(lists.solutions, "45+28 =73\r\n\r\n63-17 =46\r\n\r\n");
}

}  // namespace
}  // namespace ciferon
