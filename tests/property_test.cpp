// Whole runs of 200 exercises from many seeds, read back by the independent evaluator.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "evaluator.h"
#include "run/run.h"

namespace ciferon {
namespace {

using testing::checkExercise;
using testing::checkLists;
using testing::eitherBracketQuotient;

// Half its values are the ends of [0, 1): 0 and the largest float below 1, so that every
// draw meets its bounds often.
class EdgeRandom final : public RandomSource {
  public:
    explicit EdgeRandom(std::uint32_t seed) : engine_(seed) {}
    void seed() override {}
    float next() override {
        switch (engine_() % 4) {
            case 0:
                return 0.0F;
            case 1:
                return std::nextafter(1.0F, 0.0F);
            default:
                return std::uniform_real_distribution<float>(0.0F, 1.0F)(engine_);
        }
    }

  private:
    std::mt19937 engine_;
};

TEST(Property, EveryExerciseOfManyRunsIsSound) {
    std::array<int, eitherBracketQuotient + 1> seen{};
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        ClockRandom clockRandom;
        clockRandom.seedWith(seed);
        EdgeRandom edgeRandom(seed);
        RandomSource& random = seed % 2 == 0 ? static_cast<RandomSource&>(clockRandom) : edgeRandom;
        const int interval = static_cast<int>(seed % 20) + 1;
        const Lists lists = makeLists(200, interval, random);
        const auto verdict = checkLists(lists.exercises, lists.solutions, 200, interval);
        ASSERT_EQ(verdict.fault, "") << "seed " << seed;
        for (std::size_t kind = 0; kind < seen.size(); ++kind) {
            seen.at(kind) += verdict.kindsSeen.at(kind);
        }
    }
    for (int kind = 0; kind <= 14; ++kind) {
        EXPECT_GT(seen.at(static_cast<std::size_t>(kind)), 0) << "kind " << kind << " never seen";
    }
}

// The evaluator must catch what a faulty generator would write.
TEST(Property, EvaluatorRejectsFaultyExercises) {
    const std::vector<std::pair<std::string, std::string>> faulty{
        {"(31-27).(58-52)=", "(31-27).(58-52)=4.6=25"},   // wrong product
        {"(10o).(47-44)=", "(10o).(47-44)=10.3=30"},      // a letter in a bracket
        {"(7+17):(58-51)=", "(7+17):(58-51)=24:7=3"},     // not whole
        {"3.4-5.2 =", "3.4-5.2 =12-10 =2"},               // wrong closing
        {"5.2-3.4=", "5.2-3.4=10-12=0"},                  // the smaller first
        {"17+35+2 =", "17+35+2 =54"},                     // beyond 51
        {"17+25-30 =", "17+25-30 =12"},                   // too short a chain
        {"59:7 =", "59:7 =8 (2)"},                        // wrong remainder
        {"56:7 =", "56:7 =8 (0)"},                        // no remainder
        {"2-2.3 =", "2-2.3 =2-6 =-4"},                    // negative
        {"45+58 =", "45+58 =103"},                        // sum above 100
        {"17-63 =", "17-63 =46"},                         // smaller first
        {"3.4+5.2+11+7=", "3.4+5.2+11+7=12+10+11+7=40"},  // plain addend above 10
        {"45+28 =", "45+28 = 73"},                        // a blank after "="
    };
    for (const auto& [exercise, line] : faulty) {
        EXPECT_NE(checkExercise(exercise, line).fault, "") << line;
    }
}

}  // namespace
}  // namespace ciferon
