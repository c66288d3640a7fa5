#include "choice.h"

#include <array>

namespace ciferon {

namespace {

constexpr std::array<std::string_view, kindCount> names{
    "Součin dvou závorek",
    "Podíl dvou závorek, v první závorce součet",
    "Podíl dvou závorek, v první závorce rozdíl",
    "Čtyři sčítanci, z toho dva součiny",
    "Rozdíl dvou součinů",
    "Čtyři sčítanci, z toho součin a podíl",
    "Rozdíl součinu a podílu",
    "Rozdíl dvou podílů",
    "Čtyři sčítanci, z toho dva podíly",
    "Sčítání a odčítání více čísel",
    "Dělení se zbytkem",
    "Násobení s přičtením nebo odečtením",
    "Dělení s přičtením nebo odečtením",
    "Sčítání dvojciferných čísel",
    "Odčítání dvojciferných čísel",
};

// The seed of every kind's example sheet.
constexpr std::uint32_t exampleSeed = 0;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

void skipBlanks(std::string_view list, std::size_t& at) {
    while (at < list.size() && isBlank(list[at])) {
        ++at;
    }
}

// A teacher's number 1..15 at `at`, blanks around it skipped, as a kind number; empty when
// there is none or it is out of range.
std::optional<int> readTeachersNumber(std::string_view list, std::size_t& at) {
    skipBlanks(list, at);
    int number = 0;
    const std::size_t first = at;
    while (at < list.size() && list[at] >= '0' && list[at] <= '9') {
        number = number * 10 + (list[at++] - '0');
        if (number > kindCount) {
            return std::nullopt;
        }
    }
    skipBlanks(list, at);
    if (at == first || number < 1) {
        return std::nullopt;
    }
    return number - 1;
}

}  // namespace

const std::vector<KindTopic>& kindTopics() {
    static const std::vector<KindTopic> topics{
        {"Závorky", {0, 1, 2}},
        {"Přednost násobení a dělení", {3, 4, 5, 6, 7, 8, 11, 12}},
        {"Sčítání a odčítání", {9, 13, 14}},
        {"Dělení se zbytkem", {10}},
    };
    return topics;
}

std::string_view kindName(int kind) {
    if (kind < 0 || kind > highestKind) {
        return {};
    }
    return names.at(static_cast<std::size_t>(kind));
}

std::string kindExample(int kind) {
    if (kind < 0 || kind > highestKind) {
        return {};
    }
    Sheet sheet;
    sheet.seed = exampleSeed;
    sheet.kinds = static_cast<KindChoice>(1U << static_cast<unsigned>(kind));
    std::string exercises = sheetLists(sheet).exercises;
    // One line and the empty line after it.
    exercises.resize(exercises.size() - 2 * crlf.size());
    return exercises;
}

std::optional<KindChoice> readKindList(std::string_view list) {
    unsigned choice = 0;
    std::size_t at = 0;
    while (true) {
        const auto first = readTeachersNumber(list, at);
        if (!first) {
            return std::nullopt;
        }
        int last = *first;
        if (at < list.size() && list[at] == '-') {
            ++at;
            const auto end = readTeachersNumber(list, at);
            if (!end || *end < *first) {
                return std::nullopt;
            }
            last = *end;
        }
        for (int kind = *first; kind <= last; ++kind) {
            choice |= 1U << static_cast<unsigned>(kind);
        }
        if (at == list.size()) {
            return static_cast<KindChoice>(choice);
        }
        if (list[at] != ',') {
            return std::nullopt;
        }
        ++at;
    }
}

}  // namespace ciferon
