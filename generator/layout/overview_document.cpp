#include "layout/overview_document.h"

#include <string>
#include <utility>

#include "codes/choice.h"
#include "layout/layout.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

constexpr double bodyPoints = 10;

// A sheet as a mistake's row names it: "4 (Jana Nová)", or "4" without a name.
std::string sheetWho(const PupilResult& pupil) {
    std::string who = std::to_string(pupil.number);
    if (!pupil.name.empty()) {
        who.append(" (").append(pupil.name).append(")");
    }
    return who;
}

template <typename Body>
doc::Section section(std::string_view title, Body body) {
    doc::Section part;
    part.title = {std::string(title), Face::SerifBold, 13};
    part.body = std::move(body);
    return part;
}

doc::Grid pupilsGrid(const Overview& overview) {
    doc::Grid grid;
    grid.points = bodyPoints;
    grid.continued = continuedTitle(pupilsTitle);
    for (const std::string_view title : pupilColumns()) {
        grid.columns.push_back({std::string(title), true, false});
    }
    grid.columns[1].right = false;
    grid.columns[1].wide = true;  // a name may be long
    grid.columns[2].right = false;
    for (const PupilResult& pupil : overview.pupils) {
        std::vector<std::string> row{std::to_string(pupil.number), pupil.name, pupil.code};
        if (pupil.handedIn) {
            row.insert(row.end(),
                       {std::to_string(pupil.right), std::to_string(pupil.total),
                        std::to_string(pupil.percent) + " %", std::to_string(pupil.mark)});
        } else {
            row.emplace_back(notHandedInWord);
        }
        grid.rows.push_back(std::move(row));
    }
    return grid;
}

doc::Bars kindBars(const Overview& overview) {
    doc::Bars bars;
    bars.points = bodyPoints;
    for (const KindResult& kind : overview.kinds) {
        bars.bars.push_back(
            {std::to_string(kind.kind + 1) + ". " + std::string(kindName(kind.kind)), kind.right,
             kind.total, partOf(kind.right, kind.total)});
    }
    return bars;
}

doc::Grid mistakesGrid(const Overview& overview) {
    doc::Grid grid;
    grid.points = bodyPoints;
    grid.continued = continuedTitle(mistakesTitle);
    grid.columns = {{"Chyba", false, false}, {"Kolikrát", true, false}, {"Listy", false, true}};
    for (const MistakeResult& mistake : overview.mistakes) {
        std::string sheets;
        for (const int number : mistake.sheets) {
            sheets.append(sheets.empty() ? "" : ", ")
                .append(sheetWho(overview.pupils.at(static_cast<std::size_t>(number) - 1)));
        }
        grid.rows.push_back({std::string(mistakeText(mistake.mistake)),
                             std::to_string(mistake.count) + "×", std::move(sheets)});
    }
    return grid;
}

doc::Grid hardestGrid(const Overview& overview) {
    doc::Grid grid;
    grid.points = bodyPoints;
    grid.columns = {{"Příklad", false, false}, {"Nesprávně", true, false}};
    for (const ExerciseResult& exercise : overview.hardest) {
        grid.rows.push_back({exercise.exercise, partOf(exercise.notRight, exercise.handedIn)});
    }
    return grid;
}

}  // namespace

Document overviewDocument(const SetFile& set, const Overview& overview) {
    Document document;
    std::vector<doc::Block>& blocks = document.blocks;
    blocks.emplace_back(doc::Heading{overviewHeading(set.heading), Face::SerifBold, 16});
    blocks.emplace_back(
        doc::Heading{handedInLine(overview.handedIn, static_cast<int>(overview.pupils.size())) +
                         " " + unreadableLine(overview.unreadable) + ".",
                     Face::Serif, 11});

    doc::Section pupils = section(pupilsTitle, pupilsGrid(overview));
    if (overview.handedIn < static_cast<int>(overview.pupils.size())) {
        pupils.notes.push_back({std::string(notCountedLine), Face::Serif, bodyPoints});
    }
    blocks.emplace_back(std::move(pupils));
    blocks.emplace_back(section(kindsTitle, kindBars(overview)));
    doc::Section mistakes = section(mistakesTitle, mistakesGrid(overview));
    if (overview.mistakes.empty()) {
        mistakes.notes.push_back({std::string(noMistakesLine), Face::Serif, bodyPoints});
    }
    blocks.emplace_back(std::move(mistakes));
    if (!overview.hardest.empty()) {
        blocks.emplace_back(section(hardestTitle, hardestGrid(overview)));
    }
    return document;
}

Layout overviewLayout(const SetFile& set, const Overview& overview) {
    return paginate(overviewDocument(set, overview), false);
}

}  // namespace ciferon
