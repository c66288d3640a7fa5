#include "marking/overview.h"

#include <algorithm>
#include <map>

#include "codes/choice.h"
#include "codes/items.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

constexpr std::size_t hardestShown = 5;

// Whether a share right/total is below another, on the exact fractions; a kind with no
// exercise handed in goes after every other.
bool weaker(const KindResult& a, const KindResult& b) {
    if ((a.total == 0) != (b.total == 0)) {
        return b.total == 0;
    }
    const long long left = static_cast<long long>(a.right) * b.total;
    const long long right = static_cast<long long>(b.right) * a.total;
    return left != right ? left < right : a.kind < b.kind;
}

// A cell as a spreadsheet reads it back: in double quotes, with quotes doubled, where it holds
// the separator, a quote or a line break.
std::string cell(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

// A name that a spreadsheet would run as a formula, made plain text: an apostrophe before it.
std::string plainName(std::string_view name) {
    if (!name.empty() && std::string_view("=+-@").find(name.front()) != std::string_view::npos) {
        std::string plain(1, '\'');
        return plain.append(name);
    }
    return std::string(name);
}

std::string sheetLabel(const PupilResult& pupil) {
    std::string label = "List " + std::to_string(pupil.number);
    if (!pupil.name.empty()) {
        label.append(" – ").append(pupil.name);
    }
    return label.append(" (").append(pupil.code).append(")");
}

}  // namespace

std::optional<MarkScale> readMarkScale(std::string_view typed) {
    MarkScale scale;
    std::size_t filled = 0;
    while (true) {
        const std::size_t comma = typed.find(',');
        std::string_view part = typed.substr(0, comma);
        const std::size_t first = part.find_first_not_of(" \t");
        part = first == std::string_view::npos
                   ? std::string_view()
                   : part.substr(first, part.find_last_not_of(" \t") - first + 1);
        if (filled == scale.least.size() || part.empty() || part.size() > 3 ||
            part.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        int value = 0;
        for (const char digit : part) {
            value = value * 10 + (digit - '0');
        }
        if (value > 100 || (filled > 0 && value >= scale.least[filled - 1])) {
            return std::nullopt;
        }
        scale.least[filled++] = value;
        if (comma == std::string_view::npos) {
            break;
        }
        typed.remove_prefix(comma + 1);
    }
    return filled == scale.least.size() ? std::optional(scale) : std::nullopt;
}

int markOf(int right, int total, const MarkScale& scale) {
    for (std::size_t i = 0; i < scale.least.size(); ++i) {
        if (static_cast<long long>(right) * 100 >= static_cast<long long>(scale.least[i]) * total) {
            return static_cast<int>(i) + 1;
        }
    }
    return 5;
}

int percentOf(int right, int total) {
    return static_cast<int>((static_cast<long long>(right) * 200 + total) / (2LL * total));
}

Overview overviewOf(const SetFile& set, const MarkScale& scale) {
    Overview overview;
    std::array<KindResult, kindCount> kinds{};
    std::array<bool, kindCount> inSet{};
    std::array<MistakeResult, mistakeCount> mistakes{};
    // The set's exercises by their text, in the order first met.
    std::vector<ExerciseResult> exercises;
    std::map<std::string, std::size_t, std::less<>> exerciseAt;
    for (std::size_t i = 0; i < set.sheets.size(); ++i) {
        const SetSheet& sheet = set.sheets[i];
        PupilResult pupil;
        pupil.number = static_cast<int>(i) + 1;
        pupil.name = sheet.name;
        pupil.code = sheetCode(sheet.sheet);
        pupil.total = sheet.sheet.count;
        const std::vector<SheetItem> items = sheetItems(sheet.sheet);
        for (const SheetItem& item : items) {
            inSet.at(static_cast<std::size_t>(item.kind)) = true;
        }
        if (sheet.row && sheet.row->marks.size() == items.size()) {
            pupil.handedIn = true;
            ++overview.handedIn;
            for (std::size_t k = 0; k < items.size(); ++k) {
                const MarkedAnswer& marked = sheet.row->marks[k];
                KindResult& kind = kinds.at(static_cast<std::size_t>(items[k].kind));
                ++kind.total;
                const auto [at, added] =
                    exerciseAt.try_emplace(items[k].exercise, exercises.size());
                if (added) {
                    exercises.push_back({items[k].exercise, 0, 0});
                }
                ExerciseResult& exercise = exercises[at->second];
                ++exercise.handedIn;
                if (marked.mark == Mark::Right) {
                    ++pupil.right;
                    ++kind.right;
                } else {
                    ++exercise.notRight;
                }
                pupil.unreadable += marked.mark == Mark::Unreadable ? 1 : 0;
                for (int m = 0; m < mistakeCount; ++m) {
                    if ((marked.mistakes & mistakeBit(static_cast<Mistake>(m))) != 0) {
                        ++pupil.mistakes.at(static_cast<std::size_t>(m));
                    }
                }
            }
            pupil.percent = percentOf(pupil.right, pupil.total);
            pupil.mark = markOf(pupil.right, pupil.total, scale);
            overview.unreadable += pupil.unreadable;
            for (std::size_t m = 0; m < mistakes.size(); ++m) {
                if (pupil.mistakes[m] > 0) {
                    mistakes[m].count += pupil.mistakes[m];
                    mistakes[m].sheets.push_back(pupil.number);
                }
            }
        }
        overview.pupils.push_back(std::move(pupil));
    }
    for (int k = 0; k < kindCount; ++k) {
        if (inSet.at(static_cast<std::size_t>(k))) {
            KindResult kind = kinds.at(static_cast<std::size_t>(k));
            kind.kind = k;
            overview.kinds.push_back(kind);
        }
    }
    std::sort(overview.kinds.begin(), overview.kinds.end(), weaker);
    for (int m = 0; m < mistakeCount; ++m) {
        mistakes.at(static_cast<std::size_t>(m)).mistake = static_cast<Mistake>(m);
    }
    // The order of the check's summary: the most frequent first, ties in the order of Mistake.
    std::stable_sort(
        mistakes.begin(), mistakes.end(),
        [](const MistakeResult& a, const MistakeResult& b) { return a.count > b.count; });
    for (MistakeResult& mistake : mistakes) {
        if (mistake.count > 0) {
            overview.mistakes.push_back(std::move(mistake));
        }
    }
    // The most often not right first; of as many, the larger share (on the exact fraction).
    std::stable_sort(exercises.begin(), exercises.end(),
                     [](const ExerciseResult& a, const ExerciseResult& b) {
                         if (a.notRight != b.notRight) {
                             return a.notRight > b.notRight;
                         }
                         return static_cast<long long>(a.notRight) * b.handedIn >
                                static_cast<long long>(b.notRight) * a.handedIn;
                     });
    for (const ExerciseResult& exercise : exercises) {
        if (exercise.notRight == 0 || overview.hardest.size() == hardestShown) {
            break;
        }
        overview.hardest.push_back(exercise);
    }
    return overview;
}

std::string overviewText(const SetFile& set, const Overview& overview) {
    std::string text = overviewHeading(set.heading);
    text.append("\n")
        .append(handedInLine(overview.handedIn, static_cast<int>(overview.pupils.size())))
        .append("\n\n")
        .append(pupilsTitle)
        .append(":\n");
    for (const PupilResult& pupil : overview.pupils) {
        text.append(sheetLabel(pupil)).append(": ");
        if (!pupil.handedIn) {
            text.append(notHandedInWord).append("\n");
            continue;
        }
        text.append(partOf(pupil.right, pupil.total))
            .append(", ")
            .append(std::to_string(pupil.percent))
            .append(" %, známka ")
            .append(std::to_string(pupil.mark));
        if (pupil.unreadable > 0) {
            text.append(", nečitelné ").append(std::to_string(pupil.unreadable));
        }
        text.append("\n");
    }
    text.append("\n").append(kindsTitle).append(":\n");
    for (const KindResult& kind : overview.kinds) {
        text.append(std::to_string(kind.kind + 1))
            .append(". ")
            .append(kindName(kind.kind))
            .append(": ")
            .append(partOf(kind.right, kind.total))
            .append("\n");
    }
    text.append("\n").append(mistakesTitle).append(":\n");
    if (overview.mistakes.empty()) {
        text.append(noMistakesLine).append("\n");
    }
    for (const MistakeResult& mistake : overview.mistakes) {
        text.append("– ")
            .append(mistakeText(mistake.mistake))
            .append(": ")
            .append(std::to_string(mistake.count))
            .append("×\n  listy: ");
        for (std::size_t i = 0; i < mistake.sheets.size(); ++i) {
            const PupilResult& pupil =
                overview.pupils.at(static_cast<std::size_t>(mistake.sheets[i]) - 1);
            text.append(i == 0 ? "" : ", ").append(std::to_string(pupil.number));
            if (!pupil.name.empty()) {
                text.append(" (").append(pupil.name).append(")");
            }
        }
        text.append("\n");
    }
    text.append("\n").append(unreadableLine(overview.unreadable)).append("\n");
    if (!overview.hardest.empty()) {
        text.append("\n").append(hardestTitle).append(":\n");
        for (const ExerciseResult& exercise : overview.hardest) {
            text.append(exercise.exercise)
                .append(" nesprávně ")
                .append(partOf(exercise.notRight, exercise.handedIn))
                .append("\n");
        }
    }
    return text;
}

std::string overviewCsv(const Overview& overview) {
    std::string csv = "\xEF\xBB\xBF";
    for (const std::string_view column : pupilColumns()) {
        csv.append(column == pupilColumns().front() ? "" : ";").append(column);
    }
    for (int m = 0; m < mistakeCount; ++m) {
        csv.append(";").append(cell(mistakeText(static_cast<Mistake>(m))));
    }
    csv.append("\r\n");
    for (const PupilResult& pupil : overview.pupils) {
        csv.append(std::to_string(pupil.number))
            .append(";")
            .append(cell(plainName(pupil.name)))
            .append(";")
            .append(pupil.code);
        if (!pupil.handedIn) {
            csv.append(4 + mistakeCount, ';').append("\r\n");
            continue;
        }
        for (const int value : {pupil.right, pupil.total, pupil.percent, pupil.mark}) {
            csv.append(";").append(std::to_string(value));
        }
        for (const int count : pupil.mistakes) {
            csv.append(";").append(std::to_string(count));
        }
        csv.append("\r\n");
    }
    return csv;
}

}  // namespace ciferon
