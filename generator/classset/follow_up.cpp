#include "classset/follow_up.h"

#include <charconv>
#include <set>

#include "classset/seeds.h"
#include "codes/items.h"
#include "marking/overview.h"

namespace ciferon {

namespace {

KindChoice kindBit(int kind) {
    return static_cast<KindChoice>(1U << static_cast<unsigned>(kind));
}

bool handedIn(const SetSheet& sheet) {
    return sheet.row && sheet.row->marks.size() == static_cast<std::size_t>(sheet.sheet.count);
}

// The set's kinds in the overview's order, weakest first: those with exercises handed in by
// their share right, then the rest by number; the first weakestKindsMax of them.
KindChoice weakestKinds(const SetFile& set, KindChoice setKinds) {
    const Overview overview = overviewOf(set);
    KindChoice weakest = 0;
    int taken = 0;
    const auto take = [&](int kind) {
        if (taken < weakestKindsMax && (setKinds & kindBit(kind)) != 0 &&
            (weakest & kindBit(kind)) == 0) {
            weakest |= kindBit(kind);
            ++taken;
        }
    };
    for (const KindResult& kind : overview.kinds) {
        if (kind.total > 0) {
            take(kind.kind);
        }
    }
    for (int kind = 0; kind < kindCount; ++kind) {
        take(kind);
    }
    return weakest;
}

}  // namespace

FollowUpPlan followUpPlan(const SetFile& set, FollowUpMode mode) {
    FollowUpPlan plan;
    bool anyHandedIn = false;
    for (const SetSheet& sheet : set.sheets) {
        plan.setKinds |= sheet.sheet.kinds;
        anyHandedIn = anyHandedIn || handedIn(sheet);
    }
    if (!anyHandedIn) {
        plan.refusal = followUpNoResults();
        return plan;
    }
    plan.weakest = weakestKinds(set, plan.setKinds);
    int number = 0;
    for (const SetSheet& sheet : set.sheets) {
        FollowUpSheet next{++number, sheet.name, plan.weakest, FollowUpReason::WholeClass};
        if (mode == FollowUpMode::WholeClass) {
            plan.sheets.push_back(std::move(next));
            continue;
        }
        if (!handedIn(sheet)) {
            next.reason = FollowUpReason::NotHandedIn;
            plan.sheets.push_back(std::move(next));
            continue;
        }
        const std::vector<SheetItem> items = sheetItems(sheet.sheet);
        KindChoice missed = 0;
        for (std::size_t k = 0; k < items.size(); ++k) {
            if (sheet.row->marks[k].mark != Mark::Right) {
                missed |= kindBit(items[k].kind);
            }
        }
        next.kinds = missed != 0 ? missed : plan.setKinds;
        next.reason = missed != 0 ? FollowUpReason::Mistakes : FollowUpReason::AllRight;
        plan.sheets.push_back(std::move(next));
    }
    return plan;
}

SetFile followUpSet(const SetFile& set, const FollowUpPlan& plan, RandomSource& random) {
    SetFile made;
    made.heading = set.heading;
    made.duplex = set.duplex;
    made.mistakes = set.mistakes;
    made.kinds = true;
    std::set<std::string> exerciseLists;
    for (std::size_t i = 0; i < set.sheets.size() && i < plan.sheets.size();) {
        const SetSheet& old = set.sheets[i];
        Sheet sheet = old.sheet;
        sheet.kinds = plan.sheets[i].kinds;
        sheet.seed = newSheetSeed(sheet, random);
        // As a new class set: two pupils never get the same exercises.
        if (exerciseLists.insert(sheetLists(sheet).exercises).second) {
            made.sheets.push_back({sheet, old.adapted, old.name, std::nullopt});
            ++i;
        }
    }
    return made;
}

std::string followUpSetName(std::string_view followedFileName) {
    if (followedFileName.empty()) {
        return {};
    }
    constexpr std::string_view suffix = "-procvicovani";
    std::string name(followedFileName.substr(0, followedFileName.rfind('.')));
    // A follow-up's follow-up is numbered on ("-procvicovani-2", "-3" …), never offered under
    // the name of the file whose results it follows.
    if (const std::size_t dash = name.rfind('-');
        dash != std::string::npos && std::string_view(name).substr(0, dash).ends_with(suffix)) {
        const std::string_view digits = std::string_view(name).substr(dash + 1);
        int number = 0;
        const auto [end, fault] = std::from_chars(digits.begin(), digits.end(), number);
        if (fault == std::errc() && end == digits.end() && number < 99999) {
            return name.substr(0, dash + 1) + std::to_string(number + 1) + ".ciferon";
        }
    }
    if (name.ends_with(suffix)) {
        return name + "-2.ciferon";
    }
    return name.append(suffix).append(".ciferon");
}

}  // namespace ciferon
