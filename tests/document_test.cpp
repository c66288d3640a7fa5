// The printouts as documents: the blocks of a small class set in order, each with its face and
// size; the fields' lists in groups; and the core's one UTF-8 reading that measures, counts and
// reads their texts.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/utf8.h"
#include "classset/classset.h"
#include "codes/choice.h"
#include "layout/document.h"
#include "layout/metrics.h"
#include "layout/overview_document.h"
#include "texts/texts.h"

namespace ciferon {
namespace {

// A block as one line: its kind, face and size, and what it holds.
std::string faceName(Face face) {
    constexpr std::array names{"serif", "serif bold", "sans", "sans bold"};
    return names.at(static_cast<std::size_t>(face));
}

std::string type(Face face, double points) {
    return faceName(face) + " " + std::to_string(static_cast<int>(points * 10));
}

std::string placeName(doc::AnswerPlace place) {
    constexpr std::array names{"", " _", " _ zb. _", " [ ]", " [ ] zb. [ ]"};
    return names.at(static_cast<std::size_t>(place));
}

std::string describe(const doc::Columns& columns) {
    std::string out = "columns " + type(columns.face, columns.points) + " spacing " +
                      std::to_string(static_cast<int>(columns.spacing));
    for (const doc::Group& group : columns.groups) {
        out += " {" + group.title;
        for (const doc::Entry& entry : group.entries) {
            out += (&entry == group.entries.data() && group.title.empty() ? "" : "|") +
                   entry.number + entry.text + placeName(entry.place) +
                   (entry.gapAfter ? " /" : "");
        }
        out += "}";
    }
    return out + (columns.continued.empty()
                      ? ""
                      : " then " + columns.continuedName + " " + columns.continued);
}

std::string describe(const doc::Table& table) {
    std::string out = "table " + type(table.face, table.points);
    for (const doc::TableRow& row : table.rows) {
        out += " {" + row.title;
        for (const doc::Cell& cell : row.cells) {
            out += "|" + cell.number + cell.result + cell.mistakes;
        }
        out += "}";
    }
    return out;
}

std::string describe(const doc::Grid& grid) {
    std::string out = "grid " + type(grid.face, grid.points) + " ";
    for (const doc::GridColumn& column : grid.columns) {
        out += (&column == grid.columns.data() ? "" : "|") + column.title +
               (column.right ? ">" : "") + (column.wide ? "~" : "");
    }
    for (const std::vector<std::string>& row : grid.rows) {
        out += " {";
        for (const std::string& cell : row) {
            out += (&cell == row.data() ? "" : "|") + cell;
        }
        out += "}";
    }
    return out + (grid.continued.empty() ? "" : " then " + grid.continued);
}

std::string describe(const doc::Bars& bars) {
    std::string out = "bars " + type(bars.face, bars.points);
    for (const doc::Bar& bar : bars.bars) {
        out += " {" + bar.label + "|" + std::to_string(bar.part) + "/" + std::to_string(bar.whole) +
               "|" + bar.count + "}";
    }
    return out;
}

std::string describe(const doc::Block& block) {
    if (const auto* broken = std::get_if<doc::Break>(&block)) {
        return std::string(broken->paperSheet ? "paper sheet" : "page") +
               (broken->part == doc::Part::Sheet ? " for a sheet" : "");
    }
    if (const auto* heading = std::get_if<doc::Heading>(&block)) {
        return "heading " + type(heading->face, heading->points) + " " + heading->text;
    }
    if (const auto* name = std::get_if<doc::NameLine>(&block)) {
        return "name " + type(name->face, name->points) + " " + name->name + " " + name->date;
    }
    if (const auto* line = std::get_if<doc::SheetLine>(&block)) {
        return "sheet " + type(line->face, line->points) + " " + line->place + "|" + line->code;
    }
    if (const auto* columns = std::get_if<doc::Columns>(&block)) {
        return describe(*columns);
    }
    const auto& section = std::get<doc::Section>(block);
    std::string out = "section " + std::to_string(static_cast<int>(section.part)) + " " +
                      type(section.title.face, section.title.points) + " " + section.title.text;
    for (const doc::Heading& note : section.notes) {
        out += " note " + type(note.face, note.points) + " " + note.text;
    }
    return out + ": " + std::visit([](const auto& body) { return describe(body); }, section.body);
}

std::vector<std::string> describe(const Document& document) {
    std::vector<std::string> lines;
    for (const doc::Block& block : document.blocks) {
        lines.push_back(describe(block));
    }
    return lines;
}

// Two exercises in a group, then a division with a remainder in the next.
std::vector<SheetItem> items() {
    return {{1, 0, "2+3=", "5", {5, {}}, false},
            {2, 3, "20-4.3=", "20-12=8", {8, {}}, true},
            {3, 10, "57:8=", "7 (1)", {7, 1}, true}};
}

TEST(Document, ASmallClassSetBlockByBlock) {
    const std::vector<PrintSheet> sheets = {{"AAAA-1001", 1, 2, items(), SheetStyle::Regular},
                                            {"AAAA-1002", 2, 2, items(), SheetStyle::Adapted}};
    const std::string key1 = "List 1 z 2, kód AAAA-1001";
    const std::string key2 = "List 2 z 2, kód AAAA-1002 – upravený list";
    const std::string regularGroups = "{1.2+3= _|2.20-4.3= _} {3.57:8= _ zb. _}";
    const std::string adaptedGroups = "{1.2+3= [ ]|2.20-4.3= [ ]} {3.57:8= [ ] zb. [ ]}";
    // A solution that is its result alone is left out, and a line under "Výsledky" says so.
    const std::string solutions =
        "{" + key1 + "|2.20-4.3=20-12=8 /} {" + key2 + "|2.20-4.3=20-12=8 /}";
    const std::string fewer = " note serif 100 " + std::string(fewerSolutionsNote());
    const auto sheetBlocks = [&](bool withHeading) {
        std::vector<std::string> lines = {"paper sheet for a sheet"};
        if (withHeading) {
            lines.emplace_back("heading serif bold 160 5. A");
        }
        lines.insert(lines.end(),
                     {"name serif 120 Jméno: Datum:", "sheet serif 120 List 1 z 2|Kód: AAAA-1001",
                      "columns serif 120 spacing 0 " + regularGroups + " then Jméno: " + key1 +
                          " (pokračování)",
                      "paper sheet for a sheet"});
        if (withHeading) {
            lines.emplace_back("heading sans bold 240 5. A");
        }
        lines.insert(lines.end(),
                     {"name sans 180 Jméno: Datum:", "sheet sans 180 List 2 z 2|Kód: AAAA-1002",
                      "columns sans 180 spacing 1 " + adaptedGroups +
                          " then Jméno: List 2 z 2, kód AAAA-1002 (pokračování)",
                      "paper sheet"});
        return lines;
    };
    struct Row {
        const char* name;
        const char* heading;
        PrintOptions options;
        std::vector<std::string> key;
    };
    const std::vector<Row> rows = {
        {"plain",
         "",
         {false, false},
         {"section 2 serif bold 140 Výsledky" + fewer + ": table serif 100 {" + key1 +
              "|1.5|2.8|3.7 (1)} {" + key2 + "|1.5|2.8|3.7 (1)}",
          "section 3 serif bold 140 Řešení: columns serif 110 spacing 2 " + solutions}},
        // With the common mistakes: the legend of those that occur under "Výsledky", the wrong
        // answers after the results that a mistake can miss, a point smaller; two-sided
        // printing is the pagination's alone.
        {"a heading, two-sided, the common mistakes",
         "5. A",
         {true, true},
         {"section 2 serif bold 140 Výsledky: 5. A note serif 100 Z – počítáno zleva doprava, "
          "V – zbytek větší než dělitel, P – prohozený podíl a zbytek" +
              fewer + ": table serif 90 {" + key1 +
              "|1.5|2.8 [Z 48]|3.7 (1) [V 6 (9); P 1 (7)]} {" + key2 +
              "|1.5|2.8 [Z 48]|3.7 (1) [V 6 (9); P 1 (7)]}",
          "section 3 serif bold 140 Řešení: 5. A: columns serif 110 spacing 2 " + solutions}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> expected = sheetBlocks(*row.heading != '\0');
        expected.insert(expected.end(), row.key.begin(), row.key.end());
        const std::vector<std::string> blocks =
            describe(sheetsDocument(sheets, row.heading, row.options));
        ASSERT_EQ(blocks.size(), expected.size());
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            EXPECT_EQ(blocks[i], expected[i]) << i;
        }
    }
}

// A sheet printed alone names no place in a set; the fields' lines group between empty lines,
// CR LF or LF, edits included, the solutions from a new page.
TEST(Document, ASheetAloneAndTheFieldsLists) {
    const Document alone =
        sheetsDocument({{"AAAA-1001", 0, 0, items(), SheetStyle::Regular}}, {}, {});
    EXPECT_EQ(describe(alone.blocks.at(2)), "sheet serif 120 |Kód: AAAA-1001");
    EXPECT_EQ(std::get<doc::Section>(alone.blocks.back()).title.text, "Řešení");
    // Where every solution is its result alone, there is no "Řešení", and the line says so.
    const Document divisions = sheetsDocument(
        {{"AAAA-1001", 0, 0, {items().back(), items().back()}, SheetStyle::Regular}}, {}, {});
    EXPECT_EQ(describe(divisions.blocks.back()),
              "section 2 serif bold 140 Výsledky note serif 100 " + std::string(noSolutionsNote()) +
                  ": table serif 100 {Kód AAAA-1001|3.7 (1)|3.7 (1)}");

    EXPECT_EQ(describe(listsDocument("1+1=\r\n2+2=\r\n\r\n\r\n3+3= edited\r\n", "a\n\nb")),
              (std::vector<std::string>{
                  "columns serif 120 spacing 3 {1+1=|2+2=} {3+3= edited}", "page",
                  "section 3 serif bold 140 : columns serif 120 spacing 3 {a} {b}"}));
    EXPECT_EQ(describe(listsDocument("", "")),
              (std::vector<std::string>{"columns serif 120 spacing 3", "page",
                                        "section 3 serif bold 140 : columns serif 120 spacing 3"}));
}

// Each row: UTF-8 bytes, and the code points read from them (0 for a malformed character) as
// the layout counts them; the heading's length is their number, or -1 where one is malformed.
TEST(Utf8, OneReadingForCodesHeadingsAndWidths) {
    struct Row {
        const char* name;
        std::string text;
        std::vector<char32_t> read;
    };
    const std::vector<Row> rows = {
        {"ASCII", "Ab1", {U'A', U'b', U'1'}},
        {"two and three bytes", "ř–", {U'ř', U'–'}},
        {"four bytes", "\xF0\x9F\x98\x80x", {U'\U0001F600', U'x'}},
        {"a stray continuation byte",
         "\x80"
         "a",
         {0, U'a'}},
        {"a truncated sequence counts once",
         "\xC5"
         "a",
         {0, U'a'}},
        {"a sequence cut short at the end", "a\xE2\x80", {U'a', 0}},
        {"an overlong form", "\xC0\x80", {0}},
        {"a surrogate counts once",
         "\xED\xA0\x80"
         "b",
         {0, U'b'}},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", {0}},
        {"a byte that leads nothing",
         "\xFF"
         "c",
         {0, U'c'}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<char32_t> read;
        bool malformed = false;
        for (std::size_t at = 0; at < row.text.size();) {
            const std::optional<char32_t> c = nextCodePoint(row.text, at);
            malformed = malformed || !c;
            read.push_back(c.value_or(0));
        }
        EXPECT_EQ(read, row.read);
        EXPECT_EQ(characterCount(row.text), malformed ? -1 : static_cast<int>(row.read.size()));
        // A malformed character is measured as one of the widest.
        if (row.read.size() == 1 && malformed) {
            EXPECT_DOUBLE_EQ(textWidth(row.text, Face::Serif, 12),
                             textWidth("\xEF\xBF\xBF", Face::Serif, 12));
        }
    }
    EXPECT_TRUE(startsCharacter("ř", 0));
    EXPECT_FALSE(startsCharacter("ř", 1));
    EXPECT_TRUE(startsCharacter("ř", 2));
}

// The class's overview of three sheets of three divisions with a remainder: its blocks in
// order, for a class with a sheet not handed in and named mistakes, and for one where every
// sheet is handed in and all right.
TEST(Document, AClassOverviewBlockByBlock) {
    constexpr KindChoice division = 1U << 10U;
    const Sheet first{11, 3, 3, division};
    const Sheet second{22, 3, 3, division};
    const Sheet third{33, 3, 3, division};
    const std::string kind = "11. " + std::string(kindName(10));
    const MarkedAnswer right{Mark::Right, 0};
    const MarkedAnswer swapped{Mark::Wrong, mistakeBit(Mistake::Swapped)};
    const MarkedAnswer missing{Mark::Wrong, mistakeBit(Mistake::RemainderMissing)};
    const MarkedAnswer unreadable{Mark::Unreadable, 0};
    const std::string swappedText(mistakeText(Mistake::Swapped));
    const std::string missingText(mistakeText(Mistake::RemainderMissing));
    const std::string pupilsHead =
        "section 0 serif bold 130 Žáci%: grid serif 100 List>|Jméno~|Kód|Správně>|Celkem>|"
        "Procent>|Známka>";
    const auto pupils = [&](const std::string& notes, const std::string& rows) {
        return std::string(pupilsHead).replace(pupilsHead.find('%'), 1, notes) + rows +
               " then Žáci (pokračování)";
    };
    const std::string code1 = sheetCode(first);
    const std::string code2 = sheetCode(second);
    const std::string code3 = sheetCode(third);
    const std::string exercise = sheetItems(second)[1].exercise;
    struct Case {
        std::string name;
        std::vector<std::optional<std::vector<MarkedAnswer>>> marks;  // none: not handed in
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"a sheet not handed in, mistakes named",
         {{{right, right, right}}, {{swapped, swapped, unreadable}}, std::nullopt},
         {"heading serif bold 160 Přehled třídy: 5. A",
          "heading serif 110 Odevzdáno 2 z 3 listů. Nečitelné odpovědi: 1.",
          pupils(" note serif 100 Neodevzdané listy se do počtů nezahrnují.",
                 " {1|Jana Nová|" + code1 + "|3|3|100 %|1} {2||" + code2 + "|0|3|0 %|5} {3|Petr|" +
                     code3 + "|neodevzdáno}"),
          "section 0 serif bold 130 Druhy příkladů, nejslabší první: bars serif 100 {" + kind +
              "|3/6|3 z 6}",
          "section 0 serif bold 130 Chyby: grid serif 100 Chyba|Kolikrát>|Listy~ {" + swappedText +
              "|2×|2} then Chyby (pokračování)",
          "section 0 serif bold 130 Nejčastěji nesprávně: grid serif 100 Příklad|Nesprávně> {" +
              sheetItems(second)[0].exercise + "|1 z 1} {" + exercise + "|1 z 1} {" +
              sheetItems(second)[2].exercise + "|1 z 1}"}},
        {"all handed in, all right but one",
         {{{right, right, right}}, {{right, missing, right}}, {{right, right, right}}},
         {"heading serif bold 160 Přehled třídy: 5. A",
          "heading serif 110 Odevzdáno 3 z 3 listů. Nečitelné odpovědi: 0.",
          pupils("", " {1|Jana Nová|" + code1 + "|3|3|100 %|1} {2||" + code2 +
                         "|2|3|67 %|3} {3|Petr|" + code3 + "|3|3|100 %|1}"),
          "section 0 serif bold 130 Druhy příkladů, nejslabší první: bars serif 100 {" + kind +
              "|8/9|8 z 9}",
          "section 0 serif bold 130 Chyby: grid serif 100 Chyba|Kolikrát>|Listy~ {" + missingText +
              "|1×|2} then Chyby (pokračování)",
          "section 0 serif bold 130 Nejčastěji nesprávně: grid serif 100 Příklad|Nesprávně> {" +
              exercise + "|1 z 1}"}},
        {"nothing wrong",
         {{{right, right, right}}, std::nullopt, std::nullopt},
         {"heading serif bold 160 Přehled třídy: 5. A",
          "heading serif 110 Odevzdáno 1 z 3 listů. Nečitelné odpovědi: 0.",
          pupils(" note serif 100 Neodevzdané listy se do počtů nezahrnují.",
                 " {1|Jana Nová|" + code1 + "|3|3|100 %|1} {2||" + code2 +
                     "|neodevzdáno} {3|Petr|" + code3 + "|neodevzdáno}"),
          "section 0 serif bold 130 Druhy příkladů, nejslabší první: bars serif 100 {" + kind +
              "|3/3|3 z 3}",
          std::string("section 0 serif bold 130 Chyby note serif 100 Žádná častá chyba nebyla "
                      "poznána.: grid serif 100 Chyba|Kolikrát>|Listy~ then Chyby (pokračování)")}},
    };
    for (const Case& test : cases) {
        SetFile set;
        set.heading = "5. A";
        const std::array<Sheet, 3> sheets{first, second, third};
        const std::array<std::string, 3> names{"Jana Nová", "", "Petr"};
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            SetSheet sheet{sheets.at(i), false, names.at(i), std::nullopt};
            if (test.marks.at(i)) {
                sheet.row = SheetRow{*test.marks.at(i), {}};
            }
            set.sheets.push_back(sheet);
        }
        EXPECT_EQ(describe(overviewDocument(set, overviewOf(set))), test.expected) << test.name;
    }
}

}  // namespace
}  // namespace ciferon
