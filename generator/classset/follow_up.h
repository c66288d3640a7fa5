// The follow-up class set ("Procvičit podle výsledků…"): from a kept set with results, a new
// set in which each pupil's sheet practises the kinds that pupil got wrong or left out. It
// keeps the sheets' numbers, names, counts and adapted layout, so that every pupil finds their
// own sheet again; its key says under each code which kinds the sheet practises.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/random.h"
#include "classset/set_file.h"
#include "codes/sheet.h"
#include "texts/texts.h"

namespace ciferon {

// How many of the class's weakest kinds a sheet gets where its own results do not decide.
inline constexpr int weakestKindsMax = 3;

enum class FollowUpMode {
    // Each sheet from its pupil's results: the kinds not right, all of the set's kinds for a
    // sheet all right, the class's weakest kinds for a sheet not handed in.
    OwnResults,
    // "Celá třída procvičí nejslabší druhy třídy": every sheet the class's weakest kinds.
    WholeClass
};

struct FollowUpSheet {
    int number = 0;    // the sheet's number in both sets, from 1
    std::string name;  // the pupil's, as the set keeps it
    KindChoice kinds = 0;
    FollowUpReason reason = FollowUpReason::Mistakes;  // texts.h
    bool operator==(const FollowUpSheet&) const = default;
};

// What each sheet of the follow-up will practise, or why there is none.
struct FollowUpPlan {
    std::vector<FollowUpSheet> sheets;  // every sheet of the set, in order
    KindChoice setKinds = 0;            // every kind the set's sheets practise
    // The class's weakest kinds: the weakestKindsMax of the set's kinds with the lowest share
    // right on the sheets handed in (as the overview counts them), or all where the set has
    // fewer. A kind with nothing handed in comes after every other, ties to the lower kind.
    KindChoice weakest = 0;
    std::string refusal;  // a Czech sentence when the set has no results; then no sheets
    bool operator==(const FollowUpPlan&) const = default;
};

FollowUpPlan followUpPlan(const SetFile& set, FollowUpMode mode);

// The follow-up set as its file, for a plan without refusal: the old set's heading, print
// options and sheets' numbers, names and adapted layout, each sheet's count and separator,
// the plan's kinds, seeds from the source as newSheetSeed() chooses them, no two sheets with
// the same exercises, no results; its key names each sheet's kinds.
SetFile followUpSet(const SetFile& set, const FollowUpPlan& plan, RandomSource& random);

// The name the follow-up set's file is offered under, after the file of the set it follows
// ("5A.ciferon" gives "5A-procvicovani.ciferon"; its last extension whatever it is; a
// follow-up's own follow-up "5A-procvicovani-2.ciferon", then "-3"); empty for an empty name.
// A set without a file passes the name its heading gives it.
std::string followUpSetName(std::string_view followedFileName);

}  // namespace ciferon
