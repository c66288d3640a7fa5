// Worksheet codes: the golden table pins every code printed so far to its exact sheet.
#include <gtest/gtest.h>

#include <set>

#include "evaluator.h"
#include "scripted_random.h"
#include "sheet.h"

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
                const Sheet sheet{seed, count, separator};
                EXPECT_EQ(readSheetCode(sheetCode(sheet)), sheet) << sheetCode(sheet);
            }
        }
    }
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

}  // namespace
}  // namespace ciferon
