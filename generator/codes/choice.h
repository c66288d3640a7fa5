// The fifteen exercise kinds in a teacher's words: their Czech names grouped by topic (both
// from the catalogue of kinds), an example of each, and the teacher's numbers for them (the
// kind number plus one, 1..15) as a command line takes them. Every front-end shows the kinds
// from here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/sheet.h"

namespace ciferon {

struct KindTopic {
    std::string_view name;
    std::vector<int> kinds;  // kind numbers 0..14, in the order shown
};

// The four topics, in the order shown to teachers; together they hold every kind once.
const std::vector<KindTopic>& kindTopics();

// A topic's box as the chosen kinds leave it: ticked when all of its kinds are chosen, cleared
// when none is, partly ticked otherwise.
enum class TopicState { Cleared, Partly, Ticked };
TopicState topicState(const KindTopic& topic, KindChoice chosen);

// A click on a topic's box: every kind of the topic chosen, or all of them cleared once all
// were chosen. The other topics' kinds stay as they are.
KindChoice clickTopic(const KindTopic& topic, KindChoice chosen);

// The kind's Czech name, e.g. kindName(6) == "Rozdíl součinu a podílu"; empty for a number
// outside 0..14.
std::string_view kindName(int kind);

// One exercise text of the kind, such as "8.9-5.6=": the one exercise of a sheet of that kind
// alone with a fixed seed, so it never changes. Empty for a number outside 0..14.
std::string kindExample(int kind);

// Reads a teacher's list of kinds: numbers 1..15 (kind + 1), each alone or as a rising or
// one-number range, separated by commas, with blanks allowed around numbers, such as "11" or
// "1-3, 14,15". Empty for an empty list, an empty item, a number out of range, a falling range
// such as "3-1" or anything else.
std::optional<KindChoice> readKindList(std::string_view list);

// The same syntax for any numbers 1..highest: which are listed, indexed by number (index 0
// unused). Empty for anything readKindList would refuse.
std::optional<std::vector<bool>> readNumberList(std::string_view list, int highest);

}  // namespace ciferon

namespace ciferon {

// The teacher's numbers of the chosen kinds as readKindList() reads them, runs of three or
// more as ranges: "2, 5, 11-13"; empty for none.
std::string kindListText(KindChoice kinds);

}  // namespace ciferon
