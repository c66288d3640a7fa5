#include "layout/document.h"

#include <utility>

#include "codes/choice.h"
#include "marking/mistakes.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

std::string numbered(int number) {
    return std::to_string(number) + '.';
}

// The type a sheet is set in: Liberation Serif at 12 pt, an adapted sheet half as large again
// in Liberation Sans.
Face sheetFace(SheetStyle style) {
    return style == SheetStyle::Adapted ? Face::Sans : Face::Serif;
}

double sheetPoints(SheetStyle style) {
    return style == SheetStyle::Adapted ? 18 : 12;
}

doc::AnswerPlace answerPlace(const PrintSheet& sheet, const SheetItem& item) {
    if (sheet.style == SheetStyle::Regular) {
        return item.result.remainder ? doc::AnswerPlace::RoomAndRemainder : doc::AnswerPlace::Room;
    }
    return item.result.remainder ? doc::AnswerPlace::BoxAndRemainder : doc::AnswerPlace::Box;
}

// A sheet's exercises, a group each.
std::vector<doc::Group> exerciseGroups(const PrintSheet& sheet) {
    std::vector<doc::Group> groups(1);
    for (const SheetItem& item : sheet.items) {
        groups.back().entries.push_back(
            {numbered(item.number), item.exercise, answerPlace(sheet, item), false});
        if (item.groupEnd && &item != &sheet.items.back()) {
            groups.emplace_back();
        }
    }
    if (groups.back().entries.empty()) {
        groups.pop_back();
    }
    return groups;
}

// A pupil's sheet: from a new sheet of paper its top, then its exercises.
void appendSheet(std::vector<doc::Block>& blocks, const PrintSheet& sheet,
                 std::string_view heading) {
    const Face face = sheetFace(sheet.style);
    const double points = sheetPoints(sheet.style);
    blocks.emplace_back(doc::Break{true, doc::Part::Sheet});
    if (!heading.empty()) {
        blocks.emplace_back(doc::Heading{std::string(heading), boldOf(face), 16 * (points / 12)});
    }
    blocks.emplace_back(
        doc::NameLine{std::string(nameLabel()), std::string(dateLabel()), face, points});
    blocks.emplace_back(
        doc::SheetLine{sheet.number > 0 ? sheetPlace(sheet.number, sheet.total) : std::string(),
                       codeLabel(sheet.code), face, points});
    blocks.emplace_back(doc::Columns{
        face, points,
        sheet.style == SheetStyle::Adapted ? doc::Spacing::AdaptedSheet : doc::Spacing::Sheet,
        exerciseGroups(sheet), continuedTitle(sheetTitle(sheet.number, sheet.total, sheet.code)),
        std::string(nameLabel())});
}

// A sheet's title in the key, which names an adapted sheet as one.
std::string keyTitle(const PrintSheet& sheet) {
    const std::string title = sheetTitle(sheet.number, sheet.total, sheet.code);
    return sheet.style == SheetStyle::Adapted ? adaptedTitle(title) : title;
}

// A list's lines without the line break that ends the last one.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// A field's lines in groups between its empty lines, unnumbered, in its type.
doc::Columns listColumns(std::string_view list) {
    std::vector<doc::Group> groups(1);
    for (const std::string_view line : linesOf(list)) {
        if (line.empty()) {
            if (!groups.back().entries.empty()) {
                groups.emplace_back();
            }
            continue;
        }
        groups.back().entries.push_back({{}, std::string(line), doc::AnswerPlace::None, false});
    }
    if (groups.back().entries.empty()) {
        groups.pop_back();
    }
    return {Face::Serif, 12, doc::Spacing::List, std::move(groups), {}, {}};
}

}  // namespace

Document sheetsDocument(const std::vector<PrintSheet>& sheets, std::string_view heading,
                        const PrintOptions& options) {
    Document document;
    std::vector<doc::Block>& blocks = document.blocks;
    for (const PrintSheet& sheet : sheets) {
        appendSheet(blocks, sheet, heading);
    }

    // The key: every sheet's results side by side for marking, then its worked solutions.
    // With the mistakes' answers a point smaller, so that a class set's results still take a
    // page or two, three where every result has them.
    doc::Table results{Face::Serif, options.mistakes ? 9.0 : 10.0, {}};
    doc::Columns solutions{Face::Serif, 11, doc::Spacing::Solutions, {}, {}, {}};
    MistakeSet shown = 0;
    KindChoice practised = 0;
    bool leftOut = false;
    for (const PrintSheet& sheet : sheets) {
        doc::TableRow row{keyTitle(sheet), {}, {}};
        if (options.kinds) {
            row.note = practisedLine(kindListText(sheet.kinds));
            practised |= sheet.kinds;
        }
        doc::Group worked{row.title, {}};
        bool groupKept = false;  // a solution of the exercises' group is kept
        for (const SheetItem& item : sheet.items) {
            row.cells.push_back({numbered(item.number), resultText(item.result),
                                 options.mistakes ? keyMistakes(item) : std::string()});
            if (options.mistakes) {
                shown |= keyMistakeSet(item);
            }
            // A solution that is its result alone adds nothing to the results above.
            if (item.working == resultText(item.result)) {
                leftOut = true;
                // The room after a group goes after its last solution kept.
                if (item.groupEnd && groupKept) {
                    worked.entries.back().gapAfter = true;
                }
            } else {
                worked.entries.push_back({numbered(item.number), solutionLine(item),
                                          doc::AnswerPlace::None, item.groupEnd});
                groupKept = true;
            }
            groupKept = groupKept && !item.groupEnd;
        }
        results.rows.push_back(std::move(row));
        if (!worked.entries.empty()) {
            solutions.groups.push_back(std::move(worked));
        }
    }
    std::vector<doc::Heading> notes;
    if (const std::string legend = keyLegend(shown); !legend.empty()) {
        notes.push_back({legend, Face::Serif, 10});
    }
    if (practised != 0) {
        notes.push_back({practisedLegend(practised), Face::Serif, 10});
    }
    if (leftOut) {
        notes.push_back(
            {std::string(solutions.groups.empty() ? noSolutionsNote() : fewerSolutionsNote()),
             Face::Serif, 10});
    }
    blocks.emplace_back(doc::Break{true, doc::Part::None});
    blocks.emplace_back(doc::Section{doc::Part::Results,
                                     {resultsHeading(heading), Face::SerifBold, 14},
                                     std::move(notes),
                                     std::move(results)});
    if (!solutions.groups.empty()) {
        blocks.emplace_back(doc::Section{doc::Part::Solutions,
                                         {solutionsHeading(heading), Face::SerifBold, 14},
                                         {},
                                         std::move(solutions)});
    }
    return document;
}

Document listsDocument(std::string_view exercises, std::string_view solutions) {
    Document document;
    document.blocks.emplace_back(listColumns(exercises));
    document.blocks.emplace_back(doc::Break{false, doc::Part::None});
    // The solutions' part has no title of its own, only its place from a new page.
    doc::Section part;
    part.part = doc::Part::Solutions;
    part.title.face = Face::SerifBold;
    part.title.points = 14;
    part.body = listColumns(solutions);
    document.blocks.emplace_back(std::move(part));
    return document;
}

}  // namespace ciferon
