#include "classset/follow_up.h"

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
    return std::string(followedFileName.substr(0, followedFileName.rfind('.')))
        .append("-procvicovani.ciferon");
}

}  // namespace ciferon
