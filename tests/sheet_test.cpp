// Worksheet codes and kind choices: the golden table pins every code printed so far to its
// exact sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "classset/classset.h"
#include "codes/choice.h"
#include "codes/sheet.h"
#include "evaluator.h"
#include "scripted_random.h"

namespace ciferon {
namespace {

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t hash = 14695981039346656037U;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211U;
    }
    return hash;
}

struct Golden {
    const char* code;
    Sheet sheet;
    const char* exercises;  // or, for long sheets, empty and the hash below
    const char* solutions;
    std::uint64_t hash;  // FNV-1a of both lists
};

// Never change a row: these codes are on paper in classrooms.
const std::vector<Golden> golden{
    {"ATTK-GAQN", {0, 1, 1}, "14-12+46+3 =\r\n\r\n", "14-12+46+3 =51\r\n\r\n", 0},
    {"AFKB-MJZY",
     {1234567, 3, 2},
     "5.10+5+2+3.4=\r\n(77-72).(18-10)=\r\n\r\n45-17 =\r\n",
     "5.10+5+2+3.4=50+5+2+12=69\r\n(77-72).(18-10)=5.8=40\r\n\r\n45-17 =28\r\n",
     0},
    {"4XY1-ZKRX",
     {8589933, 4, 20},
     "(10+20):(68-65)=\r\n49:6 =\r\n19-1+4-18+30-14-20 =\r\n28:4-30:10=\r\n",
     "(10+20):(68-65)=30:3=10\r\n49:6 =8 (1)\r\n19-1+4-18+30-14-20 =0\r\n28:4-30:10=7-3=4\r\n",
     0},
    {"56H4-PQ3V", {4242, 200, 7}, "", "", 0xed2b15048988cbb0U},
    // Chosen kinds: one (division with remainder), two (the two-digit kinds), fourteen.
    {"7AHD-EWGT-SSKE",
     {31337, 5, 2, 0x0400},
     "17:2 =\r\n56:6 =\r\n\r\n66:7 =\r\n28:10 =\r\n\r\n37:6 =\r\n",
     "17:2 =8 (1)\r\n56:6 =9 (2)\r\n\r\n66:7 =9 (3)\r\n28:10 =2 (8)\r\n\r\n37:6 =6 (1)\r\n",
     0},
    {"4YQF-B09Z-VWZQ",
     {2024, 5, 2, 0x6000},
     "67+12 =\r\n61-17 =\r\n\r\n78+12 =\r\n21-10 =\r\n\r\n46-14 =\r\n",
     "67+12 =79\r\n61-17 =44\r\n\r\n78+12 =90\r\n21-10 =11\r\n\r\n46-14 =32\r\n",
     0},
    {"SF7Z-Z8PM-HYY3",
     {8589933, 16, 5, 0x7FFE},
     "26+70 =\r\n7.6-3.6=\r\n(14-6):(99-91)=\r\n13:6 =\r\n18:9+7+14:2+10=\r\n\r\n"
     "3.7+70:10+6+9=\r\n12+30:3 =\r\n75-32 =\r\n10.2-36:4=\r\n14-6+25-25-3-1 =\r\n\r\n"
     "10:1-18:6=\r\n(6+30):(12-8)=\r\n2.4-4 =\r\n9+7.2+5.7+6=\r\n(6+12):(14-8)=\r\n\r\n"
     "3.8-15:5=\r\n",
     "26+70 =96\r\n7.6-3.6=42-18=24\r\n(14-6):(99-91)=8:8=1\r\n13:6 =2 (1)\r\n"
     "18:9+7+14:2+10=2+7+7+10=26\r\n\r\n"
     "3.7+70:10+6+9=21+7+6+9=43\r\n12+30:3 =12+10 =22\r\n75-32 =43\r\n10.2-36:4=20-9=11\r\n"
     "14-6+25-25-3-1 =4\r\n\r\n"
     "10:1-18:6=10-3=7\r\n(6+30):(12-8)=36:4=9\r\n2.4-4 =8-4 =4\r\n"
     "9+7.2+5.7+6=9+14+35+6=64\r\n(6+12):(14-8)=18:6=3\r\n\r\n"
     "3.8-15:5=24-3=21\r\n",
     0},
};

TEST(Sheet, GoldenCodesOpenTheirExactSheets) {
    for (const auto& row : golden) {
        EXPECT_EQ(sheetCode(row.sheet), row.code);
        const auto read = readSheetCode(row.code);
        ASSERT_TRUE(read.has_value()) << row.code;
        EXPECT_EQ(*read, row.sheet) << row.code;
        const Lists lists = sheetLists(*read);
        if (row.hash == 0) {
            EXPECT_EQ(lists.exercises, row.exercises) << row.code;
            EXPECT_EQ(lists.solutions, row.solutions) << row.code;
        } else {
            EXPECT_EQ(fnv1a(lists.exercises + lists.solutions), row.hash) << row.code;
        }
    }
}

TEST(Sheet, EveryOneSymbolChangeAndNeighbourSwapIsRefused) {
    constexpr std::string_view alphabet{"0123456789ABCDEFGHJKMNPQRSTVWXYZ"};
    for (const auto& row : golden) {
        const std::string code = row.code;
        for (std::size_t at = 0; at < code.size(); ++at) {
            if (code[at] == '-') {
                continue;
            }
            for (const char other : alphabet) {
                std::string changed = code;
                changed[at] = other;
                EXPECT_EQ(readSheetCode(changed).has_value(), other == code[at]) << changed;
            }
            const std::size_t next = at + (code[at + 1] == '-' ? 2 : 1);
            if (next < code.size() && code[at] != code[next]) {
                std::string swapped = code;
                std::swap(swapped[at], swapped[next]);
                EXPECT_FALSE(readSheetCode(swapped).has_value()) << swapped;
            }
        }
    }
}

// Two Reed-Solomon check symbols: no change of two symbols makes another code.
TEST(Sheet, EveryTwoSymbolChangeOfATwelveSymbolCodeIsRefused) {
    constexpr std::string_view alphabet{"0123456789ABCDEFGHJKMNPQRSTVWXYZ"};
    for (const auto& row : golden) {
        std::string symbols = row.code;
        std::erase(symbols, '-');
        if (symbols.size() != 12) {
            continue;
        }
        int refused = 0;
        for (std::size_t first = 0; first < symbols.size(); ++first) {
            for (std::size_t second = first + 1; second < symbols.size(); ++second) {
                for (const char a : alphabet) {
                    for (const char b : alphabet) {
                        if (a == symbols[first] || b == symbols[second]) {
                            continue;
                        }
                        std::string changed = symbols;
                        changed[first] = a;
                        changed[second] = b;
                        refused += readSheetCode(changed).has_value() ? 0 : 1;
                    }
                }
            }
        }
        EXPECT_EQ(refused, 12 * 11 / 2 * 31 * 31) << row.code;
    }
}

TEST(Sheet, ReadsCodesAsTheyAreTyped) {
    const Sheet sheet{1234567, 3, 2};    // AFKB-MJZY
    const Sheet digits{8589933, 4, 20};  // 4XY1-ZKRX
    const Sheet zeros{259010, 176, 4};   // 0000-0000
    const std::vector<std::pair<std::string, std::optional<Sheet>>> typed{
        {"afkb-mjzy", sheet},
        {" AFKB MJZY ", sheet},
        {"AFKBMJZY", sheet},
        {"AFKB\u2013MJZY", sheet},  // a word processor's dash
        {"4xyl-zkrx", digits},      // L for 1
        {"4XYI-ZKRX", digits},      // I for 1
        {"čxy+-zkrx", digits},      // the Czech number row: č is 4, + is 1
        {"ČXY+ZKRX", digits},
        {"OOOO-oooo", zeros},          // O for 0
        {"éééé-ÉÉÉÉ", zeros},          // the number row's 0
        {"AFKB\u00A0MJZY", sheet},     // a no-break space
        {"AFKB-MJZ", std::nullopt},    // short
        {"AFKB-MJZYA", std::nullopt},  // long
        {"AFKB-MJZU", std::nullopt},   // U is not a symbol
        {"AFKB/MJZY", std::nullopt},
        {"", std::nullopt},
        {"\xC4", std::nullopt},  // broken UTF-8
        {"AFKB-MJZY\xF0\x9F\x98\x80", std::nullopt},
        // Malformed UTF-8 that a lax decoder would read as A, a no-break space, a dash or é.
        {"\xC1\x81"
         "FKB-MJZY",
         std::nullopt},
        {"AFKB\xE0\x82\xA0MJZY", std::nullopt},
        {"AFKB\xC0\xADMJZY", std::nullopt},
        {"OOOO-OOO\xE0\x83\xA9", std::nullopt},
        {"AFKB-MJZY\xED\xA0\x80", std::nullopt},  // a surrogate
    };
    for (const auto& [text, expected] : typed) {
        EXPECT_EQ(readSheetCode(text), expected) << text;
    }
}

TEST(Sheet, CodesRoundTripAtTheEdgesOfEveryField) {
    for (const std::uint32_t seed : {0U, 1U, 77777U, sheetSeeds - 1}) {
        for (const int count : {1, 2, 199, 200}) {
            for (const int separator : {1, 19, 20}) {
                for (const int kinds : {0x7FFF, 0x0001, 0x4000, 0x3FFF, 0x7FFE, 0x2AAA}) {
                    const Sheet sheet{seed, count, separator, static_cast<KindChoice>(kinds)};
                    const std::string code = sheetCode(sheet);
                    EXPECT_EQ(code.size(), kinds == allKinds ? 9U : 14U) << code;
                    EXPECT_EQ(readSheetCode(code), sheet) << code;
                }
            }
        }
    }
    // Twelve symbols for no kind or all fifteen: no sheet has such a code.
    for (const int kinds : {0, 0x7FFF}) {
        const std::string code =
            detail::twelveSymbolCode({4242, 20, 5, static_cast<KindChoice>(kinds)});
        EXPECT_EQ(readSheetCode(code), std::nullopt) << code;
    }
    EXPECT_EQ(readSheetCode(detail::twelveSymbolCode({4242, 20, 5, 0x0100})),
              (Sheet{4242, 20, 5, 0x0100}));
}

TEST(Sheet, AClassSetHasDistinctSoundSheets) {
    ClockRandom random;
    random.seedWith(99);
    const auto set = classSet(classSetMax, 1, 1, random);
    ASSERT_EQ(set.size(), static_cast<std::size_t>(classSetMax));
    std::set<std::string> codes;
    std::set<std::string> exercises;
    for (const Sheet& sheet : set) {
        codes.insert(sheetCode(sheet));
        exercises.insert(sheetLists(sheet).exercises);
    }
    EXPECT_EQ(codes.size(), set.size());
    EXPECT_EQ(exercises.size(), set.size());

    for (const Sheet& sheet : classSet(3, 40, 5, random)) {
        const Lists lists = sheetLists(sheet);
        EXPECT_EQ(testing::checkLists(lists.exercises, lists.solutions, 40, 5).fault, "");
    }

    // A source that repeats a seed: the repeated sheet is drawn again.
    const auto seedValue = [](int seed) {
        return testing::valueFor(0, static_cast<int>(sheetSeeds) - 1, seed);
    };
    testing::ScriptedRandom repeating({seedValue(5), seedValue(5), seedValue(6)});
    const std::vector<Sheet> expected{{5, 1, 1}, {6, 1, 1}};
    EXPECT_EQ(classSet(2, 1, 1, repeating), expected);
}

// The lists of all fifteen kinds, for many sheets, as they were before kinds could be chosen.
TEST(Sheet, AllKindsChosenIsTheRunsSheet) {
    std::uint64_t hash = 0;
    for (int k = 0; k < 300; ++k) {
        const Sheet sheet{static_cast<std::uint32_t>(k) * 28631U % sheetSeeds, 1 + k * 7 % 200,
                          1 + k % 20, allKinds};
        const Lists lists = sheetLists(sheet);
        hash = hash * 31 + fnv1a(lists.exercises + lists.solutions);
    }
    EXPECT_EQ(hash, 0x719f1c02db8779c9U);
}

std::vector<int> kindsIn(KindChoice choice) {
    std::vector<int> kinds;
    for (int kind = 0; kind <= highestKind; ++kind) {
        if ((choice >> kind & 1U) != 0) {
            kinds.push_back(kind);
        }
    }
    return kinds;
}

// Every block of m exercises counted from the first holds each of the m chosen kinds once (the
// last block: distinct chosen kinds); the evaluator, which tells kinds by their texts, finds
// the sheet sound and sees no kind that was not chosen.
TEST(Sheet, ChosenKindsTakeTurnsInBlocks) {
    std::vector<KindChoice> choices{0x0001, 0x4000, 0x7FFE, 0x3FFF, 0x0006};
    for (const auto& topic : kindTopics()) {
        unsigned choice = 0;
        for (const int kind : topic.kinds) {
            choice |= 1U << static_cast<unsigned>(kind);
        }
        choices.push_back(static_cast<KindChoice>(choice));
    }
    ClockRandom random;
    random.seedWith(18);
    while (choices.size() < 60) {
        choices.push_back(static_cast<KindChoice>(draw(random, 1, allKinds - 1)));
    }
    for (const KindChoice choice : choices) {
        const Sheet sheet{static_cast<std::uint32_t>(draw(random, 0, 100'000)),
                          draw(random, 1, sheetCountMax), draw(random, 1, sheetSeparatorMax),
                          choice};
        SCOPED_TRACE(sheetCode(sheet));
        const std::vector<int> chosen = kindsIn(choice);
        const std::vector<int> kinds = detail::sheetKinds(sheet);
        ASSERT_EQ(kinds.size(), static_cast<std::size_t>(sheet.count));
        for (std::size_t block = 0; block < kinds.size(); block += chosen.size()) {
            const auto end = kinds.begin() + static_cast<std::ptrdiff_t>(
                                                 std::min(block + chosen.size(), kinds.size()));
            std::vector<int> held(kinds.begin() + static_cast<std::ptrdiff_t>(block), end);
            std::sort(held.begin(), held.end());
            const bool whole = held.size() == chosen.size();
            EXPECT_TRUE(std::adjacent_find(held.begin(), held.end()) == held.end() &&
                        std::includes(chosen.begin(), chosen.end(), held.begin(), held.end()) &&
                        (!whole || held == chosen))
                << "block from exercise " << block + 1;
        }

        const Lists lists = sheetLists(sheet);
        const auto verdict =
            testing::checkLists(lists.exercises, lists.solutions, sheet.count, sheet.separator);
        EXPECT_EQ(verdict.fault, "");
        // Kinds 1 and 2 can look alike: a line that may be either needs one of them chosen.
        for (int kind = 0; kind <= testing::eitherBracketQuotient; ++kind) {
            const unsigned mask = kind == testing::eitherBracketQuotient ? 0x6U : 1U << kind;
            EXPECT_TRUE(verdict.kindsSeen.at(static_cast<std::size_t>(kind)) == 0 ||
                        (choice & mask) != 0)
                << "kind " << kind << " not chosen";
        }
    }
}

// Division with remainder alone has the fewest different exercises (405): a class set of 40
// one-exercise sheets still ends, and its codes share no payload symbol by position.
TEST(Sheet, AClassSetOfTheScarcestKindEnds) {
    constexpr KindChoice remainder = 1U << 10U;
    for (const std::uint64_t source : {1U, 2U, 3U}) {
        ClockRandom random;
        random.seedWith(source);
        const auto set = classSet(classSetMax, 1, 1, random, remainder);
        ASSERT_EQ(set.size(), static_cast<std::size_t>(classSetMax));
        std::set<std::string> exercises;
        std::array<std::set<char>, 14> symbolsAt;
        for (const Sheet& sheet : set) {
            EXPECT_EQ(sheet.kinds, remainder);
            EXPECT_EQ(detail::sheetKinds(sheet), std::vector<int>{10});
            exercises.insert(sheetLists(sheet).exercises);
            const std::string code = sheetCode(sheet);
            for (std::size_t at = 0; at < code.size(); ++at) {
                symbolsAt.at(at).insert(code[at]);
            }
        }
        EXPECT_EQ(exercises.size(), set.size());
        for (std::size_t at = 0; at < symbolsAt.size(); ++at) {
            // About 23 different symbols are to be expected; a field left unscrambled shows 1.
            EXPECT_TRUE(at % 5 == 4 || symbolsAt.at(at).size() >= 12) << "position " << at;
        }
    }
}

TEST(KindChoice, ReadsTeachersLists) {
    const std::vector<std::pair<std::string, std::optional<KindChoice>>> table{
        {"11", 0x0400},
        {"1-3,14,15", 0x6007},
        {"1-15", allKinds},
        {" 1 - 3 , 14,15 ", 0x6007},
        {"15,1", 0x4001},
        {"3-3", 0x0004},
        {"2,2", 0x0002},
        {"1-5,3-7", 0x007F},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"0", std::nullopt},
        {"16", std::nullopt},
        {"1-16", std::nullopt},
        {"3-1", std::nullopt},
        {"1,", std::nullopt},
        {",1", std::nullopt},
        {"1,,2", std::nullopt},
        {"1-", std::nullopt},
        {"-3", std::nullopt},
        {"1-3-5", std::nullopt},
        {"1 2", std::nullopt},
        {"1;2", std::nullopt},
        {"a", std::nullopt},
        {"1\u20133", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& [list, expected] : table) {
        EXPECT_EQ(readKindList(list), expected) << "«" << list << "»";
    }
}

// The four topics hold every kind once; every kind has a name and an example of its kind,
// which never changes (pictures of the dialog show them).
TEST(KindChoice, TopicsNamesAndExamples) {
    std::vector<int> seen;
    for (const auto& topic : kindTopics()) {
        EXPECT_FALSE(topic.name.empty());
        seen.insert(seen.end(), topic.kinds.begin(), topic.kinds.end());
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, kindsIn(allKinds));
    // The topics as teachers see them, in order, each with its kinds in the order shown.
    const std::vector<std::pair<std::string_view, std::vector<int>>> topics{
        {"Závorky", {0, 1, 2}},
        {"Přednost násobení a dělení", {3, 4, 5, 6, 7, 8, 11, 12}},
        {"Sčítání a odčítání", {9, 13, 14}},
        {"Dělení se zbytkem", {10}},
    };
    ASSERT_EQ(kindTopics().size(), topics.size());
    for (std::size_t i = 0; i < topics.size(); ++i) {
        EXPECT_EQ(kindTopics().at(i).name, topics.at(i).first);
        EXPECT_EQ(kindTopics().at(i).kinds, topics.at(i).second) << topics.at(i).first;
    }
    EXPECT_EQ(kindName(6), "Rozdíl součinu a podílu");
    EXPECT_EQ(kindName(-1), "");
    EXPECT_EQ(kindName(15), "");
    EXPECT_EQ(kindExample(15), "");

    const std::array<std::string_view, kindCount> examples{
        "(71-66).(82-76)=", "(7+23):(82-76)=",
        "(37-7):(82-76)=",  "5+2+8.9+5.6=",
        "8.9-5.6=",         "5+2+8.9+30:6=",
        "5.6-72:8=",        "72:8-30:5=",
        "5+2+72:8+30:5=",   "14+4+28+5-46-5+20 =",
        "46:8 =",           "8.9+6 =",
        "72:9+6 =",         "65+30 =",
        "82-71 =",
    };
    for (int kind = 0; kind <= highestKind; ++kind) {
        EXPECT_FALSE(kindName(kind).empty());
        const std::string example = kindExample(kind);
        EXPECT_EQ(example, examples.at(static_cast<std::size_t>(kind)));
        const Lists lists = sheetLists({0, 1, 1, static_cast<KindChoice>(1U << kind)});
        const std::string solution = lists.solutions.substr(0, lists.solutions.find('\r'));
        const int seenAs = testing::checkExercise(example, solution).kind;
        EXPECT_TRUE(seenAs == kind || (kind <= 2 && seenAs == testing::eitherBracketQuotient))
            << "kind " << kind << " seen as " << seenAs;
    }
}

}  // namespace
}  // namespace ciferon
