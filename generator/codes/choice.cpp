#include "codes/choice.h"

#include <algorithm>

#include "kinds/kinds.h"

namespace ciferon {

namespace {

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
// One number 1..highest with the blanks around it.
std::optional<int> readListedNumber(std::string_view list, std::size_t& at, int highest) {
    skipBlanks(list, at);
    int number = 0;
    const std::size_t first = at;
    while (at < list.size() && list[at] >= '0' && list[at] <= '9') {
        number = number * 10 + (list[at++] - '0');
        if (number > highest) {
            return std::nullopt;
        }
    }
    skipBlanks(list, at);
    if (at == first || number < 1) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

const std::vector<KindTopic>& kindTopics() {
    static const std::vector<KindTopic> topics = [] {
        std::vector<KindTopic> made;
        made.reserve(topicCount);
        for (int topic = 0; topic < topicCount; ++topic) {
            made.push_back({topicName(static_cast<Topic>(topic)), {}});
        }
        // Each topic shows its kinds in the order of their numbers.
        for (int kind = 0; kind < kindCount; ++kind) {
            const Topic topic = kindCatalogue.at(static_cast<std::size_t>(kind)).topic;
            made.at(static_cast<std::size_t>(topic)).kinds.push_back(kind);
        }
        return made;
    }();
    return topics;
}

namespace {

KindChoice topicKinds(const KindTopic& topic) {
    unsigned kinds = 0;
    for (const int kind : topic.kinds) {
        kinds |= 1U << static_cast<unsigned>(kind);
    }
    return static_cast<KindChoice>(kinds);
}

}  // namespace

TopicState topicState(const KindTopic& topic, KindChoice chosen) {
    const KindChoice kinds = topicKinds(topic);
    const auto inTopic = static_cast<KindChoice>(chosen & kinds);
    return inTopic == 0       ? TopicState::Cleared
           : inTopic == kinds ? TopicState::Ticked
                              : TopicState::Partly;
}

KindChoice clickTopic(const KindTopic& topic, KindChoice chosen) {
    const KindChoice kinds = topicKinds(topic);
    return topicState(topic, chosen) == TopicState::Ticked
               ? static_cast<KindChoice>(chosen & ~kinds)
               : static_cast<KindChoice>(chosen | kinds);
}

std::string_view kindName(int kind) {
    if (kind < 0 || kind > highestKind) {
        return {};
    }
    return kindCatalogue.at(static_cast<std::size_t>(kind)).name;
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

std::optional<std::vector<bool>> readNumberList(std::string_view list, int highest) {
    std::vector<bool> listed(static_cast<std::size_t>(std::max(highest, 0)) + 1, false);
    std::size_t at = 0;
    while (true) {
        const auto first = readListedNumber(list, at, highest);
        if (!first) {
            return std::nullopt;
        }
        int last = *first;
        if (at < list.size() && list[at] == '-') {
            ++at;
            const auto end = readListedNumber(list, at, highest);
            if (!end || *end < *first) {
                return std::nullopt;
            }
            last = *end;
        }
        for (int number = *first; number <= last; ++number) {
            listed.at(static_cast<std::size_t>(number)) = true;
        }
        if (at == list.size()) {
            return listed;
        }
        if (list[at] != ',') {
            return std::nullopt;
        }
        ++at;
    }
}

std::optional<KindChoice> readKindList(std::string_view list) {
    const auto listed = readNumberList(list, kindCount);
    if (!listed) {
        return std::nullopt;
    }
    unsigned choice = 0;
    for (int kind = 0; kind < kindCount; ++kind) {
        if (listed->at(static_cast<std::size_t>(kind) + 1)) {
            choice |= 1U << static_cast<unsigned>(kind);
        }
    }
    return static_cast<KindChoice>(choice);
}

}  // namespace ciferon

namespace ciferon {

std::string kindListText(KindChoice kinds) {
    std::string text;
    for (int kind = 0; kind < kindCount;) {
        const auto chosen = [kinds](int k) {
            return k < kindCount && (kinds & (1U << static_cast<unsigned>(k))) != 0;
        };
        if (!chosen(kind)) {
            ++kind;
            continue;
        }
        int last = kind;
        while (chosen(last + 1)) {
            ++last;
        }
        text.append(text.empty() ? "" : ", ").append(std::to_string(kind + 1));
        if (last - kind >= 2) {
            text.append("-").append(std::to_string(last + 1));
            kind = last + 1;
        } else {
            ++kind;
        }
    }
    return text;
}

}  // namespace ciferon
