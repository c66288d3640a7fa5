// The one pagination: sheets of given sizes, and the page on which each sheet, its
// continuation, the key and its solutions fall; the adapted sheet's type and boxes; the width
// table's coverage of the printouts' characters.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classset/classset.h"
#include "layout/font_widths.h"
#include "layout/layout.h"
#include "layout/overview_document.h"
#include "marking/mistakes.h"
#include "texts/texts.h"

namespace ciferon {
namespace {

// A sheet of `count` exercises in groups of `separator`, each exercise as wide as `digits`
// digits (6 pt each in 12 pt Liberation Serif): 40 digits leave room for one column only. Each
// solution has a step before its result, so that the key prints it.
PrintSheet sheetOf(int number, int total, int count, int separator, int digits) {
    PrintSheet sheet{"AAAA-" + std::to_string(1000 + number), number, total, {}, {}};
    for (int i = 1; i <= count; ++i) {
        const std::string exercise = std::string(static_cast<std::size_t>(digits), '7') + "=";
        sheet.items.push_back({i, 0, exercise, exercise + "3+4=7", {7, {}}, i % separator == 0});
    }
    return sheet;
}

// The pages on which a text starting with `prefix` stands.
std::vector<int> pagesWith(const Layout& layout, const std::string& prefix) {
    std::vector<int> found;
    for (std::size_t p = 0; p < layout.pages.size(); ++p) {
        for (const TextRun& text : layout.pages[p].texts) {
            if (text.text.starts_with(prefix)) {
                found.push_back(static_cast<int>(p));
                break;
            }
        }
    }
    return found;
}

struct Row {
    const char* name;
    int sheets;
    int count;
    int separator;
    int digits;
    bool duplex;
    const char* heading;
    // The page (from 0) on which each sheet, the results and the solutions begin.
    std::vector<int> sheetStarts;
    int results;
    int solutions;
};

// The first page holds 31 lines of a one-column sheet below its top (66.8 pt of 754 pt, a line
// 22.08 pt), a later one 33 below the continued title; a gap between groups costs half a line,
// and a group that does not fit below the last goes whole to the next column. Exercises of 5
// digits stand in five columns. The key's results of 40 sheets take two pages.
const std::vector<Row> rows = {
    {"one page exactly", 1, 31, 31, 40, false, "", {0}, 1, 1},
    {"one line more continues", 1, 32, 32, 40, false, "", {0}, 2, 2},
    {"two pages exactly", 1, 64, 64, 40, false, "", {0}, 2, 2},
    {"three pages", 2, 65, 65, 40, false, "", {0, 3}, 6, 6},
    {"groups move whole to the next page", 1, 30, 5, 40, false, "", {0}, 2, 2},
    {"two-sided: an odd sheet gets a blank back", 3, 32, 32, 40, true, "", {0, 2, 4}, 6, 6},
    {"two-sided: an even sheet none", 2, 64, 64, 40, true, "", {0, 2}, 4, 4},
    {"short exercises in columns, five groups a page", 3, 120, 20, 5, false, "", {0, 2, 4}, 6, 6},
    {"an 80-character heading takes two lines",
     2,
     30,
     30,
     40,
     false,
     "Opakování před pololetní písemkou z matematiky, 5. A a 5. B, Základní škola Horní",
     {0, 2},
     4,
     4},
    {"a class set of 40 short sheets: the solutions from a new page",
     40,
     20,
     5,
     5,
     false,
     "",
     {},
     40,
     42},
};

TEST(Layout, SheetsAndTheKeyFallOnTheirPages) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<PrintSheet> sheets;
        for (int i = 1; i <= row.sheets; ++i) {
            sheets.push_back(sheetOf(i, row.sheets, row.count, row.separator, row.digits));
        }
        const Layout layout = sheetsLayout(sheets, row.heading, {row.duplex});
        std::vector<int> starts = row.sheetStarts;
        if (starts.empty()) {
            for (int i = 0; i < row.sheets; ++i) {
                starts.push_back(i);
            }
        }
        EXPECT_EQ(layout.sheetStarts, starts);
        EXPECT_EQ(layout.resultsStart, row.results);
        EXPECT_EQ(layout.solutionsStart, row.solutions);
        EXPECT_FALSE(layout.pages.back().texts.empty());
        EXPECT_EQ(pagesWith(layout, "Výsledky"), std::vector<int>{row.results});
        EXPECT_EQ(pagesWith(layout, "Řešení"), std::vector<int>{row.solutions});
        for (std::size_t p = 0; p < layout.pages.size(); ++p) {
            const Page& page = layout.pages[p];
            const bool start = std::ranges::count(starts, static_cast<int>(p)) > 0 ||
                               static_cast<int>(p) == row.results;
            // Two-sided, every sheet and the key on a front page; a page is blank only as the
            // back before one.
            if (row.duplex && start) {
                EXPECT_EQ(p % 2, 0U) << "page " << p;
            }
            if (page.texts.empty()) {
                EXPECT_TRUE(row.duplex);
                EXPECT_TRUE(std::ranges::count(starts, static_cast<int>(p) + 1) > 0 ||
                            static_cast<int>(p) + 1 == row.results)
                    << "blank page " << p;
            }
            // A sheet's later page begins with the name to fill in, as a loose page needs,
            // beside the sheet's title marked as continued.
            const auto sheet = std::ranges::upper_bound(starts, static_cast<int>(p));
            if (!start && static_cast<int>(p) < row.results && !page.texts.empty()) {
                const auto number = static_cast<int>(sheet - starts.begin());
                ASSERT_GE(page.texts.size(), 2U);
                EXPECT_EQ(page.texts[0].text, nameLabel());
                EXPECT_EQ(page.texts[1].text,
                          continuedTitle(sheetTitle(number, row.sheets, sheets[number - 1].code)));
                EXPECT_EQ(page.texts[0].y, page.texts[1].y);
                EXPECT_LT(page.rules.front().x2, page.texts[1].x);
            }
            for (const TextRun& text : page.texts) {
                EXPECT_GE(text.y, 0) << text.text;
                EXPECT_LE(text.y, pageHeight) << text.text;
                EXPECT_LE(text.x + textWidth(text.text, text.face, text.points), pageWidth + 0.01)
                    << text.text;
            }
        }
        // Every exercise once on the sheets, every solution once in the key.
        int exercises = 0;
        int solutions = 0;
        for (std::size_t p = 0; p < layout.pages.size(); ++p) {
            for (const TextRun& text : layout.pages[p].texts) {
                const bool item = text.text.find(". 7") != std::string::npos;
                exercises += item && text.text.ends_with("=") && static_cast<int>(p) < row.results;
                solutions +=
                    item && text.text.ends_with("=7") && static_cast<int>(p) >= row.solutions;
            }
        }
        EXPECT_EQ(exercises, row.sheets * row.count);
        EXPECT_EQ(solutions, row.sheets * row.count);
    }
}

// Where the solutions go below the results, their heading and six lines fit there; where they
// go to a new page, they would not have.
TEST(Layout, TheSolutionsBelowTheResultsOnlyWhereTheyFit) {
    const double keyStep = lineSpacing(Face::Serif, 11) * 1.1;
    const double resultsStep = lineSpacing(Face::Serif, 10) * 1.15;
    int below = 0;
    int newPage = 0;
    for (int sheets = 1; sheets <= 40; ++sheets) {
        SCOPED_TRACE(sheets);
        std::vector<PrintSheet> set;
        for (int i = 1; i <= sheets; ++i) {
            set.push_back(sheetOf(i, sheets, 20, 5, 5));
        }
        const Layout layout = sheetsLayout(set, {}, {});
        ASSERT_EQ(pagesWith(layout, "Řešení"), std::vector<int>{layout.solutionsStart});
        // The foot of the results: their last line, on the page of "Řešení" or the one before.
        const auto resultsPage = static_cast<std::size_t>(layout.solutionsStart);
        const Page& solutions = layout.pages[resultsPage];
        const auto heading =
            std::ranges::find(solutions.texts, std::string("Řešení"), &TextRun::text);
        const bool samePage = heading != solutions.texts.begin();
        const Page& results = layout.pages[samePage ? resultsPage : resultsPage - 1];
        const auto end = samePage ? heading : results.texts.end();
        double foot = 0;
        for (auto text = results.texts.begin(); text != end; ++text) {
            foot = std::max(foot, text->y);
        }
        if (samePage) {
            ++below;
            EXPECT_GE(heading->y, foot + 8 * ptPerMm);
            EXPECT_LE(heading->y + 6 * keyStep, pageHeight);
        } else {
            ++newPage;
            EXPECT_GT(foot + resultsStep + 20 * ptPerMm + 6 * keyStep, pageHeight);
        }
    }
    EXPECT_GT(below, 0);
    EXPECT_GT(newPage, 0);
}

// How many pages the key's results take: up to "Řešení", or to the end where there is none.
int resultPages(const Layout& layout) {
    if (layout.solutionsStart < 0) {
        return static_cast<int>(layout.pages.size()) - layout.resultsStart;
    }
    const bool sharesPage = !layout.pages[static_cast<std::size_t>(layout.solutionsStart)]
                                 .texts.front()
                                 .text.starts_with("Řešení");
    return layout.solutionsStart - layout.resultsStart + (sharesPage ? 1 : 0);
}

// Every sheet's results under its bold title form a grid: every row but the last as full, the
// numbers in order, and the numbers of a column right-aligned one under the other whatever
// the mistakes' answers beside them hold. Returns how many results it read.
int checkGrids(const Layout& layout) {
    int read = 0;
    const std::size_t end = layout.solutionsStart < 0
                                ? layout.pages.size()
                                : static_cast<std::size_t>(layout.solutionsStart) + 1;
    for (auto p = static_cast<std::size_t>(layout.resultsStart); p < end; ++p) {
        std::vector<std::vector<const TextRun*>> rows;  // of the block being read
        const auto checkBlock = [&] {
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (r + 1 < rows.size()) {
                    EXPECT_EQ(rows[r].size(), rows[0].size()) << rows[r][0]->text;
                }
                for (std::size_t c = 0; c < rows[r].size(); ++c) {
                    const TextRun& cell = *rows[r][c];
                    const std::string label = cell.text.substr(0, cell.text.find(' '));
                    EXPECT_EQ(label, std::to_string(r * rows[0].size() + c + 1) + '.');
                    const TextRun& top = *rows[0][c];
                    EXPECT_NEAR(cell.x + textWidth(label, cell.face, cell.points),
                                top.x + textWidth(top.text.substr(0, top.text.find(' ')), top.face,
                                                  top.points),
                                1e-9)
                        << cell.text;
                    ++read;
                }
            }
            rows.clear();
        };
        for (const TextRun& text : layout.pages[p].texts) {
            if (text.face == Face::SerifBold && text.text.starts_with("Řešení")) {
                break;
            }
            if (text.face == Face::SerifBold) {
                checkBlock();
            } else if (!rows.empty() || text.text.starts_with("1. ")) {
                if (rows.empty() || rows.back().front()->y != text.y) {
                    rows.emplace_back();
                }
                rows.back().push_back(&text);
            }
        }
        checkBlock();
    }
    return read;
}

// With the common mistakes in the key, every result that a mistake can miss carries them in
// brackets, the legend under "Výsledky" names only the mistakes that occur, and a class set of
// 25 x 20 keeps its results in a grid within two pages for a mix of kinds and three for
// divisions with remainder alone, whose solutions, their results alone, are left out.
TEST(Layout, TheKeyWithMistakesKeepsItsGridWithinItsPages) {
    const std::string longHeading =
        "Opakování před pololetní písemkou z matematiky, 5. A a 5. B, Základní škola Horní";
    struct Row {
        const char* name;
        KindChoice kinds;
        const std::string* heading;
        int pages;
    };
    const std::string none;
    const std::vector<Row> rows = {
        {"a mix of kinds", allKinds, &none, 2},
        {"a mix of kinds under a long heading", allKinds, &longHeading, 2},
        {"divisions with remainder", 1U << 10, &none, 3},
        {"divisions with remainder under a long heading", 1U << 10, &longHeading, 3},
    };
    ClockRandom random;
    random.seedWith(7);
    for (const Row& row : rows) {
        for (int set = 0; set < 4; ++set) {
            SCOPED_TRACE(std::string(row.name) + ", set " + std::to_string(set));
            std::vector<PrintSheet> sheets;
            for (const Sheet& sheet : classSet(25, 20, 5, random, row.kinds)) {
                sheets.push_back({sheetCode(sheet), static_cast<int>(sheets.size()) + 1, 25,
                                  sheetItems(sheet), SheetStyle::Regular});
            }
            int expected = 0;
            MistakeSet occurring = 0;
            for (const PrintSheet& sheet : sheets) {
                for (const SheetItem& item : sheet.items) {
                    expected += keyMistakes(item).empty() ? 0 : 1;
                    occurring |= keyMistakeSet(item);
                }
            }
            EXPECT_GT(expected, 100);
            const Layout layout = sheetsLayout(sheets, *row.heading, {false, true});
            int bracketed = 0;
            for (const Page& page : layout.pages) {
                for (const TextRun& text : page.texts) {
                    bracketed += text.text.find(" [") != std::string::npos ? 1 : 0;
                }
            }
            EXPECT_EQ(bracketed, expected);
            const std::string legend = keyLegend(occurring);
            EXPECT_EQ(pagesWith(layout, legend.substr(0, legend.find(','))),
                      std::vector<int>{layout.resultsStart});
            EXPECT_EQ(legend.find("Z – ") == std::string::npos, row.kinds == 1U << 10) << legend;
            EXPECT_EQ(layout.solutionsStart < 0, row.kinds == 1U << 10);
            EXPECT_LE(resultPages(layout), row.pages);
            EXPECT_EQ(checkGrids(layout), 25 * 20);
        }
    }
}

TEST(Layout, AnAdaptedSheetIsLargerWithOneExerciseALineAndBoxes) {
    PrintSheet sheet{"AAAA-1001", 1, 2, {}, SheetStyle::Adapted};
    for (int i = 1; i <= 8; ++i) {
        const bool remainder = i % 4 == 0;
        sheet.items.push_back({i, remainder ? 10 : 9, "12+34=", "12+34=46",
                               remainder ? Result{8, 3} : Result{46, {}}, i % 4 == 0});
    }
    PrintSheet regular = sheet;
    regular.style = SheetStyle::Regular;
    regular.number = 2;
    const Layout layout = sheetsLayout({sheet, regular}, "5. A", {});
    ASSERT_EQ(layout.sheetStarts, (std::vector<int>{0, 1}));
    const Page& page = layout.pages[0];
    std::vector<const TextRun*> lines;
    for (const TextRun& text : page.texts) {
        EXPECT_TRUE(text.face == Face::Sans || text.face == Face::SansBold) << text.text;
        if (text.text.find(". 12+34=") != std::string::npos) {
            lines.push_back(&text);
        }
    }
    ASSERT_EQ(lines.size(), 8U);
    const double regularPoints = 12;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_GE(lines[i]->points, 1.5 * regularPoints);
        EXPECT_DOUBLE_EQ(lines[i]->x, lines[0]->x);  // one column
        if (i > 0) {
            const double step = lines[i]->y - lines[i - 1]->y;
            EXPECT_GE(step, 1.5 * lines[i]->points);
            // Clear space between the groups.
            EXPECT_EQ(step > 1.5 * (lines[1]->y - lines[0]->y), i == 4) << i;
        }
    }
    // A box for every exercise, a second after "zb." for the remainders, each wide enough for
    // three digits; the header's own rules besides.
    const auto zb =
        std::ranges::count_if(page.texts, [](const TextRun& t) { return t.text == "zb."; });
    EXPECT_EQ(zb, 2);
    EXPECT_EQ(page.rules.size(), 3 + 4 * (8 + 2U));
    const Rule& top = page.rules[3];
    EXPECT_GE(top.x2 - top.x1, textWidth("000", Face::Sans, lines[0]->points));
    EXPECT_GT(top.x1, lines[0]->x + textWidth(lines[0]->text, Face::Sans, lines[0]->points));
    for (const TextRun& text : layout.pages[1].texts) {
        EXPECT_TRUE(text.face == Face::Serif || text.face == Face::SerifBold) << text.text;
    }
    // The regular sheet: after a division with remainder a line for the quotient, "zb." and a
    // line for the remainder, beside its text; the header's rules besides.
    const Page& second = layout.pages[1];
    const auto zbs =
        std::ranges::count_if(second.texts, [](const TextRun& t) { return t.text == "zb."; });
    EXPECT_EQ(zbs, 2);
    ASSERT_EQ(second.rules.size(), 3 + 2 * 2U);
    for (const TextRun& text : second.texts) {
        if (text.text == "zb.") {
            const auto before = std::ranges::find_if(second.rules, [&](const Rule& rule) {
                return rule.x2 < text.x && rule.y1 > text.y && rule.y1 < text.y + 5;
            });
            ASSERT_NE(before, second.rules.end());
            EXPECT_GT(before->x1, 12 + textWidth("12+34=", Face::Serif, 12)) << before->x1;
            EXPECT_GE(before->x2 - before->x1, textWidth("00", Face::Serif, 12));
        }
    }
    EXPECT_EQ(pagesWith(layout, "List 1 z 2, kód AAAA-1001 – upravený list").size(), 1U);
}

// Every character that the sheets, keys and headings print has its own width in every face.
TEST(Layout, TheWidthTableHoldsThePrintoutsCharacters) {
    const std::u32string characters =
        U"0123456789+-=()., :–„“abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
        U"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ";
    for (const fonts::FaceMetrics* face :
         {&fonts::serif, &fonts::serifBold, &fonts::sans, &fonts::sansBold}) {
        for (const char32_t c : characters) {
            EXPECT_TRUE(std::ranges::binary_search(face->advances, face->advances + face->size,
                                                   static_cast<std::uint32_t>(c), {},
                                                   &fonts::Advance::codePoint))
                << static_cast<std::uint32_t>(c);
        }
    }
    EXPECT_DOUBLE_EQ(textWidth("10", Face::Serif, 12), 12);
    EXPECT_GT(textWidth("Ř", Face::SerifBold, 12), textWidth("R", Face::Serif, 12));
}

// The class's overview of 40 named sheets of 20 exercises, each with a mistake named: the
// pupils' table goes on over pages under its heading row again, the mistake's row of 40 names
// longer than a page goes on from page to page, and nothing stands outside the printable area.
TEST(Layout, AClassOverviewOfFortyNamedSheetsStaysOnItsPages) {
    SetFile set;
    set.heading = "5. A";
    for (int i = 1; i <= classSetMax; ++i) {
        // Long names, which wrap in their column; one a single word of 200 letters.
        std::string name = i == 7 ? std::string() : "Žák číslo " + std::to_string(i);
        for (int word = 0; word < (i == 7 ? 200 : 12); ++word) {
            name.append(i == 7 ? "Ř" : " Dlouhoslavová");
        }
        SetSheet sheet{{static_cast<std::uint32_t>(i * 977), 20, 5, allKinds}, false, name, {}};
        if (i % 10 != 0) {
            std::vector<MarkedAnswer> marks(20, {Mark::Right, 0});
            marks[static_cast<std::size_t>(i % 20)] = {Mark::Wrong,
                                                       mistakeBit(Mistake::CarryForgotten)};
            marks[0] = {Mark::Unreadable, 0};
            sheet.row = SheetRow{marks, {}};
        }
        set.sheets.push_back(sheet);
    }
    const Overview overview = overviewOf(set);
    const Layout layout = overviewLayout(set, overview);
    ASSERT_GE(layout.pages.size(), 4U);
    std::size_t fills = 0;
    for (const Page& page : layout.pages) {
        for (const TextRun& text : page.texts) {
            EXPECT_GE(text.x, 0) << text.text;
            EXPECT_LE(text.x + textWidth(text.text, text.face, text.points), pageWidth + 0.01)
                << text.text;
            EXPECT_GT(text.y, 0) << text.text;
            EXPECT_LE(text.y, pageHeight) << text.text;
        }
        for (const Rule& rule : page.rules) {
            for (const double y : {rule.y1, rule.y2}) {
                EXPECT_TRUE(y >= 0 && y <= pageHeight) << y;
            }
            EXPECT_LE(std::max(rule.x1, rule.x2), pageWidth + 0.01);
        }
        for (const Fill& fill : page.fills) {
            EXPECT_TRUE(fill.x >= 0 && fill.x + fill.width <= pageWidth && fill.y >= 0 &&
                        fill.y + fill.height <= pageHeight);
        }
        fills += page.fills.size();
    }
    // A bar for every kind some of whose exercises were right.
    EXPECT_EQ(fills, static_cast<std::size_t>(
                         std::count_if(overview.kinds.begin(), overview.kinds.end(),
                                       [](const KindResult& kind) { return kind.right > 0; })));
    // Every later page of the pupils begins with their title marked as continued and their
    // heading row; so does every page that the mistake's row goes on to.
    const std::vector<int> pupils = pagesWith(layout, "Žáci (pokračování)");
    const std::vector<int> mistakes = pagesWith(layout, "Chyby (pokračování)");
    ASSERT_FALSE(pupils.empty());
    ASSERT_FALSE(mistakes.empty());
    for (const int page : pupils) {
        EXPECT_EQ(layout.pages.at(static_cast<std::size_t>(page)).texts.front().text,
                  "Žáci (pokračování)");
        EXPECT_EQ(layout.pages.at(static_cast<std::size_t>(page)).texts.at(2).text, "Jméno");
    }
    for (const int page : mistakes) {
        EXPECT_EQ(layout.pages.at(static_cast<std::size_t>(page)).texts.at(3).text, "Listy");
    }
    // The 200 letters stand whole, cut into lines, in the pupils' table and the mistake's row:
    // 400 more than without them.
    const auto letters = [](const Layout& laid) {
        std::size_t count = 0;
        for (const Page& page : laid.pages) {
            for (const TextRun& text : page.texts) {
                for (std::size_t at = text.text.find("Ř"); at != std::string::npos;
                     at = text.text.find("Ř", at + 1)) {
                    ++count;
                }
            }
        }
        return count;
    };
    SetFile unnamed = set;
    unnamed.sheets[6].name.clear();
    EXPECT_EQ(letters(layout) - letters(overviewLayout(unnamed, overviewOf(unnamed))), 400U);
}

}  // namespace
}  // namespace ciferon
