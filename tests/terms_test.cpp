// Term formatting for the bracket exercises.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kinds/terms.h"

namespace ciferon {
namespace {

struct Pair {
    std::string name;
    int exponent;
};

struct TermRow {
    int cis;
    std::vector<Pair> pairs;  // up to three; missing ones have exponent 0
    std::string leading;      // clena
    std::string following;    // clenb
};

TEST(Terms, WriteLeadingAndFollowingTerms) {
    const std::vector<TermRow> table{
        {7, {}, "7", "+7"},
        {-7, {}, "-7", "-7"},
        {1, {}, "1", "+1"},
        {-1, {}, "-1", "-1"},
        {0, {}, "0", "+0"},
        {-0, {}, "0", "+0"},
        {1, {{"x", 1}}, "x", "+x"},
        {-1, {{"x", 1}}, "-x", "-x"},
        {3, {{"x", 2}, {"y", 1}}, "3x2y", "+3x2y"},
        {-4, {{"a", 3}}, "-4a3", "-4a3"},
        {2, {{"x", -1}}, "2x-1", "+2x-1"},
        {0, {{"x", 2}}, "0", "+0"},
        {5, {{"x", 2}, {"y", 1}, {"z", 3}}, "5x2yz3", "+5x2yz3"},
        {5, {{"", 4}, {"y", 0}, {"z", 1}}, "5z", "+5z"},
        {-1, {{"", 2}, {"y", 0}}, "-1", "-1"},
    };
    for (const auto& row : table) {
        std::vector<Pair> pairs = row.pairs;
        pairs.resize(3, Pair{"q", 0});
        const std::string leading = clena(row.cis, pairs[0].name, pairs[0].exponent, pairs[1].name,
                                          pairs[1].exponent, pairs[2].name, pairs[2].exponent);
        const std::string following =
            clenb(row.cis, pairs[0].name, pairs[0].exponent, pairs[1].name, pairs[1].exponent,
                  pairs[2].name, pairs[2].exponent);
        EXPECT_EQ(leading, row.leading) << "cis " << row.cis;
        EXPECT_EQ(following, row.following) << "cis " << row.cis;
    }
}

TEST(Terms, WriteBrackets) {
    struct Row {
        int cisa;
        int cisb;
        std::string prom;
        std::string bracket;
    };
    const std::vector<Row> table{
        {31, -27, "", "(31-27)"}, {7, 17, "", "(7+17)"}, {10, 0, "", "(10+0)"},
        {3, 5, "x", "(3x+5)"},    {1, -2, "y", "(y-2)"}, {-1, 0, "t", "(-t+0)"},
        {1, 99, "", "(1+99)"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(zavorka(row.cisa, row.cisb, row.prom), row.bracket);
    }
}

}  // namespace
}  // namespace ciferon
