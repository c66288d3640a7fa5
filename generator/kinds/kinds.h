// The catalogue of the fifteen exercise kinds by number: each kind's function, its Czech name,
// its topic and the detector of its common mistakes, together in one table. The run, the kind
// choice and the marking all read the kinds from here.
#pragma once

#include <array>
#include <string_view>

#include "kinds/kind.h"
#include "kinds/slips.h"

namespace ciferon {

// The topics that group the kinds for teachers, in the order shown.
enum class Topic : std::uint8_t { Brackets, Precedence, AddSubtract, Remainder };
inline constexpr int topicCount = 4;

// A topic's Czech name: "Závorky", "Přednost násobení a dělení", "Sčítání a odčítání",
// "Dělení se zbytkem".
std::string_view topicName(Topic topic);

struct KindEntry {
    ExerciseKind make;         // writes one exercise of the kind
    std::string_view name;     // as teachers read it: "Rozdíl součinu a podílu"
    Topic topic;               // where the kind choice shows it
    MistakeDetector mistakes;  // its common mistakes' wrong answers; nullptr: none known
};

// The kinds by number, 0 to 14.
extern const std::array<KindEntry, kindCount> kindCatalogue;

// The catalogue's functions alone, by number: what the list making deals from.
extern const KindTable exerciseKinds;

}  // namespace ciferon
