// Every exercise kind replayed from scripted random values: the exact texts, and exactly the
// values each kind takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kinds/addends.h"
#include "marking/results.h"
#include "run/run.h"
#include "scripted_random.h"

namespace ciferon {
namespace {

using testing::ScriptedRandom;
using testing::valueFor;

// The value for a draw from the factor range 2..10, the shuffle's 1..4 and so on.
float factor(int k) {
    return valueFor(2, 10, k);
}
float slot(int k) {
    return valueFor(1, 4, k);
}
float twoDigit(int k) {
    return valueFor(10, 99, k);
}

struct KindRow {
    int kind;
    int a;
    int b;
    std::vector<float> values;  // the kind's own, after the run's A and B
    std::string exercise;
    std::string solution;
};

const std::vector<float> identityShuffle{slot(1), slot(2), slot(3), slot(4)};

std::vector<float> with(std::vector<float> values, const std::vector<float>& more) {
    values.insert(values.end(), more.begin(), more.end());
    return values;
}

const std::vector<KindRow> kindTable{
    // Brackets.
    {0, 4, 6, {0.2345F, 0.5423F}, "(31-27).(58-52)=", "4.6=24"},
    {0, 10, 3, {twoDigit(10), twoDigit(47)}, "(10+0).(47-44)=", "10.3=30"},
    {0, 1, 2, {twoDigit(99), twoDigit(10)}, "(99-98).(10-8)=", "1.2=2"},
    {1, 4, 6, {0.61F, 0.5423F}, "(7+17):(58-52)=", "24:6=4"},
    {1, 1, 3, {valueFor(1, 10, 8), twoDigit(20)}, "(8-5):(20-17)=", "3:3=1"},
    {1, 2, 3, {valueFor(1, 10, 6), twoDigit(75)}, "(6+0):(75-72)=", "6:3=2"},
    {1, 10, 10, {valueFor(1, 10, 1), twoDigit(99)}, "(1+99):(99-89)=", "100:10=10"},
    {2, 4, 6, {0.61F, 0.5423F}, "(31-7):(58-52)=", "24:6=4"},
    {2, 5, 10, {valueFor(1, 10, 3), twoDigit(10)}, "(53-3):(10+0)=", "50:10=5"},
    {2, 10, 10, {valueFor(1, 10, 10), twoDigit(10)}, "(110-10):(10+0)=", "100:10=10"},
    // Four addends: c, d, the two plain addends, then four shuffle draws.
    {3, 3, 4, {0.4F, 0.05F, 0.6F, 0.8F, 0.5F, 0.3F, 0.9F, 0.1F}, "3.4+5.2+9+7=", "12+10+9+7=38"},
    {3, 3, 4, with({factor(5), factor(2), factor(7), factor(9)}, identityShuffle),
     "3.4+5.2+7+9=", "12+10+7+9=38"},
    {3,
     3,
     4,
     {factor(5), factor(2), factor(7), factor(9), slot(1), slot(1), slot(1), slot(1)},
     "9+3.4+5.2+7=",
     "9+12+10+7=38"},
    {3, 10, 10, with({factor(10), factor(10), factor(10), factor(10)}, identityShuffle),
     "10.10+10.10+10+10=", "100+100+10+10=220"},
    {3, 1, 9, with({factor(2), factor(2), factor(2), factor(2)}, identityShuffle),
     "1.9+2.2+2+2=", "9+4+2+2=17"},
    {5,
     3,
     4,
     {factor(6), factor(5), factor(2), factor(10), slot(1), slot(1), slot(3), slot(4)},
     "6.5+12:4+2+10=",
     "30+3+2+10=45"},
    {5, 1, 7, with({factor(2), factor(2), factor(3), factor(4)}, identityShuffle),
     "7:7+2.2+3+4=", "1+4+3+4=12"},
    {8,
     3,
     4,
     {factor(6), factor(5), factor(8), factor(2), slot(4), slot(3), slot(2), slot(1)},
     "12:3+30:6+8+2=",
     "4+5+8+2=19"},
    {8, 1, 2, with({factor(2), factor(2), factor(2), factor(2)}, identityShuffle),
     "2:1+4:2+2+2=", "2+2+2+2=8"},
    {8, 1, 6, with({factor(3), factor(4), factor(5), factor(5)}, identityShuffle),
     "6:1+12:3+5+5=", "6+4+5+5=20"},
    // Differences, the larger term first; a tie puts the term of c and d first.
    {4, 3, 4, {0.4F, 0.05F}, "3.4-5.2=", "12-10=2"},
    {4, 2, 3, {factor(4), factor(5)}, "4.5-2.3=", "20-6=14"},
    {4, 3, 4, {factor(6), factor(2)}, "6.2-3.4=", "12-12=0"},
    {4, 1, 2, {factor(10), factor(10)}, "10.10-1.2=", "100-2=98"},
    {4, 1, 5, {factor(2), factor(2)}, "1.5-2.2=", "5-4=1"},
    {6, 3, 4, {factor(7), factor(5)}, "3.4-35:7=", "12-5=7"},
    {6, 1, 3, {factor(2), factor(8)}, "16:2-1.3=", "8-3=5"},
    {6, 1, 5, {factor(3), factor(5)}, "15:3-1.5=", "5-5=0"},
    {6, 10, 10, {factor(10), factor(2)}, "10.10-20:10=", "100-2=98"},
    {7, 3, 8, {factor(6), factor(5)}, "24:3-30:6=", "8-5=3"},
    {7, 3, 4, {factor(6), factor(9)}, "54:6-12:3=", "9-4=5"},
    {7, 2, 7, {factor(4), factor(7)}, "28:4-14:2=", "7-7=0"},
    {7, 1, 6, {factor(3), factor(4)}, "6:1-12:3=", "6-4=2"},
    // Chains: start, step count, then a choice and a number per step.
    {9,
     1,
     2,
     {0.83F, 0.30F, 0.20F, 0.72F, 0.90F, 0.70F, 0.60F, 0.95F, 0.70F, 0.14F},
     "17+25-30-12+8 =",
     "8"},
    {9,
     1,
     2,
     {valueFor(1, 20, 20), valueFor(3, 6, 3), 0.0F, valueFor(1, 31, 31), 0.0F, valueFor(1, 51, 40),
      0.0F, valueFor(1, 40, 5)},
     "20+31-40+5 =",
     "16"},
    {9,
     1,
     2,
     {valueFor(1, 20, 5), valueFor(3, 6, 3), 0.0F, valueFor(1, 46, 9), 0.9F, valueFor(1, 14, 3),
      0.0F, valueFor(1, 40, 20)},
     "5+9-3+20 =",
     "31"},
    // Forced steps: from 51 a subtraction whatever the choice, from 0 an addition.
    {9,
     1,
     2,
     {valueFor(1, 20, 1), valueFor(3, 6, 3), 0.0F, valueFor(1, 50, 50), 0.0F, valueFor(1, 51, 51),
      0.9F, valueFor(1, 51, 51)},
     "1+50-51+51 =",
     "51"},
    {9,
     1,
     2,
     {valueFor(1, 20, 1), valueFor(3, 6, 6), 0.0F, valueFor(1, 50, 1), 0.9F, valueFor(1, 2, 2),
      0.9F, valueFor(1, 51, 1), 0.9F, valueFor(1, 1, 1), 0.0F, valueFor(1, 51, 2), 0.9F,
      valueFor(1, 2, 2)},
     "1+1-2+1-1+2-2 =",
     "0"},
    // Remainders: divisor, remainder, quotient.
    {10, 1, 2, {0.6F, 0.4F, 0.7F}, "59:7 =", "8 (3)"},
    {10, 1, 2, {factor(2), 0.99F, factor(2)}, "5:2 =", "2 (1)"},
    {10, 1, 2, {factor(10), valueFor(1, 9, 9), factor(10)}, "109:10 =", "10 (9)"},
    // Product with a term: x, y, c, order, form.
    {11, 1, 2, {0.6F, 0.7F, 0.25F, 0.8F, 0.9F}, "8.7-4 =", "56-4 =52"},
    {11, 1, 2, {factor(7), factor(8), valueFor(2, 12, 5), 0.0F, 0.0F}, "7.8+5 =", "56+5 =61"},
    {11, 1, 2, {factor(7), factor(8), valueFor(2, 12, 5), 0.0F, 0.5F}, "5+7.8 =", "5+56 =61"},
    {11, 1, 2, {factor(2), factor(3), valueFor(2, 12, 9), 0.0F, 0.9F}, "9-2.3 =", "9-6 =3"},
    {11, 1, 2, {factor(2), factor(5), valueFor(2, 12, 10), 0.0F, 0.9F}, "10-2.5 =", "10-10 =0"},
    {11,
     1,
     2,
     {factor(10), factor(10), valueFor(2, 12, 12), 0.9F, 0.0F},
     "10.10+12 =",
     "100+12 =112"},
    // Quotient with a term: x, y, c, form.
    {12, 1, 2, {0.6F, 0.25F, 0.3F, 0.1F}, "28:4+5 =", "7+5 =12"},
    {12, 1, 2, {factor(7), factor(4), valueFor(2, 12, 5), 0.5F}, "5+28:4 =", "5+7 =12"},
    {12, 1, 2, {factor(3), factor(6), valueFor(2, 12, 9), 0.9F}, "9-18:6 =", "9-3 =6"},
    {12, 1, 2, {factor(7), factor(4), valueFor(2, 12, 5), 0.9F}, "28:4-5 =", "7-5 =2"},
    {12, 1, 2, {factor(5), factor(4), valueFor(2, 12, 5), 0.9F}, "5-20:4 =", "5-5 =0"},
    // Two-digit sums and differences.
    {13, 1, 2, {0.44F, 0.40F}, "45+28 =", "73"},
    {13, 1, 2, {valueFor(10, 90, 90), 0.99F}, "90+10 =", "100"},
    {13, 1, 2, {valueFor(10, 90, 10), 0.0F}, "10+10 =", "20"},
    {14, 1, 2, {0.08F, 0.59F}, "63-17 =", "46"},
    {14, 1, 2, {twoDigit(55), twoDigit(55)}, "55-55 =", "0"},
    {14, 1, 2, {twoDigit(10), twoDigit(99)}, "99-10 =", "89"},
};

TEST(Kinds, ReplayTheirExamples) {
    AddendSlots slots;
    for (const auto& row : kindTable) {
        SCOPED_TRACE("kind " + std::to_string(row.kind) + ": " + row.exercise);
        ScriptedRandom random(row.values);
        KindTools tools{random, slots};
        const BaseFactors factors{row.a, row.b, row.a * row.b};
        const Exercise made = exerciseKinds.at(static_cast<std::size_t>(row.kind))(factors, tools);
        EXPECT_EQ(made.exercise, row.exercise);
        EXPECT_EQ(made.working, row.solution);
        // The kind's own result is the number its working ends with.
        EXPECT_TRUE(made.working.ends_with(resultText(made.result))) << resultText(made.result);
    }
}

// The run's draws of the base factors from the examples' first two random values.
TEST(Kinds, BaseFactorsOfTheExamples) {
    ScriptedRandom random({0.35F, 0.5F, 0.25F, 0.25F});
    EXPECT_EQ(draw(random, 1, 10), 4);
    EXPECT_EQ(draw(random, 2, 10), 6);
    EXPECT_EQ(draw(random, 1, 10), 3);
    EXPECT_EQ(draw(random, 2, 10), 4);
}

TEST(Kinds, AddendShuffleMovesTextAndValueTogether) {
    AddendSlots slots{{"3.4", "5.2", "7", "9"}, {12, 10, 7, 9}};
    ScriptedRandom random({0.5F, 0.3F, 0.9F, 0.1F});
    shuffleSlots(slots, random);
    const AddendSlots expected{{"3.4", "5.2", "9", "7"}, {12, 10, 9, 7}};
    EXPECT_EQ(slots.text, expected.text);
    EXPECT_EQ(slots.value, expected.value);
}

}  // namespace
}  // namespace ciferon
