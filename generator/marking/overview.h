// The class's results at a glance ("Přehled třídy"): per pupil the right answers and a mark,
// per kind the class's share right, per mistake how often and on which sheets, and the
// exercises most often not right. Counted once here for the screen, the page, the text of the
// command line and the CSV for a spreadsheet; sheets not handed in are listed and not counted.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classset/set_file.h"
#include "marking/mistakes.h"

namespace ciferon {

// The least percentage for marks 1 to 4, falling; anything less is a 5. Compared on the exact
// fraction: 27 of 30 is 90 % and a 1, 26 of 30 is not.
struct MarkScale {
    std::array<int, 4> least{90, 75, 50, 30};
    bool operator==(const MarkScale&) const = default;
};

// A scale as a teacher types it: "90,75,50,30", four whole percentages from 100 down to 0,
// each below the one before, blanks allowed around them.
std::optional<MarkScale> readMarkScale(std::string_view typed);

// The mark 1..5 for `right` of `total` (total > 0).
int markOf(int right, int total, const MarkScale& scale);
// The whole percentage, rounded half up.
int percentOf(int right, int total);

struct PupilResult {
    int number = 0;  // the sheet's number, from 1
    std::string name;
    std::string code;  // as printed, with its dashes
    bool handedIn = false;
    int right = 0;
    int total = 0;  // the sheet's exercises
    int unreadable = 0;
    int percent = 0;
    int mark = 0;                              // 1..5; 0 when not handed in
    std::array<int, mistakeCount> mistakes{};  // how often each was named on the sheet
};

struct KindResult {
    int kind = 0;  // 0..14
    int right = 0;
    int total = 0;  // the kind's exercises on the sheets handed in
};

struct MistakeResult {
    Mistake mistake = Mistake::LeftToRight;
    int count = 0;
    std::vector<int> sheets;  // the sheets' numbers where it was named, rising
};

// One exercise of the set, however many sheets hold it (each sheet has its own exercises, so
// mostly one).
struct ExerciseResult {
    std::string exercise;  // its text, as the sheets print it: "17:3 ="
    int notRight = 0;      // wrong, unreadable or not answered, on the sheets handed in
    int handedIn = 0;      // the sheets handed in that have this exercise
};

struct Overview {
    std::vector<PupilResult> pupils;  // every sheet, in order
    int handedIn = 0;
    std::vector<KindResult> kinds;        // the set's kinds, the weakest share first
    std::vector<MistakeResult> mistakes;  // named at least once, the most frequent first
    std::vector<ExerciseResult> hardest;  // the exercises most often not right, at most five
    int unreadable = 0;
};

Overview overviewOf(const SetFile& set, const MarkScale& scale = {});

// The overview as text for the command line: a line per pupil, "K. NAME: R z T" per kind,
// "– TEXT: C×" per mistake as the check's summary writes it with its sheets under it, the
// unreadable answers and the exercises most often not right. Lines end with a line feed.
std::string overviewText(const SetFile& set, const Overview& overview);

// The overview as CSV for Czech spreadsheets: UTF-8 with a byte-order mark, ";" between cells,
// CR LF after every row. The header "List;Jméno;Kód;Správně;Celkem;Procent;Známka" and a
// column for each mistake, then a row per sheet in order; a sheet not handed in has its
// number, name and code only. A name that a spreadsheet would take for a formula (it begins
// with =, +, - or @) is written with an apostrophe before it.
std::string overviewCsv(const Overview& overview);

}  // namespace ciferon
