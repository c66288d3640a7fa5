// What the web page gets from the core, natively: the layout as JSON, the class set of a
// print address (the table shared with the command line and the browser test), the marks of
// a check, the projection's end screen, and the open class set: its grid, its storage and its
// overview.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "classset/set_entry.h"
#include "classset/set_file.h"
#include "classset_refusals.h"
#include "codes/choice.h"
#include "codes/result_code.h"
#include "codes/sheet.h"
#include "layout/overview_document.h"
#include "marking/overview.h"
#include "page_api.h"
#include "texts/texts.h"

namespace ciferon::page {
namespace {

// A text as encodeURIComponent writes it.
std::string encoded(std::string_view text) {
    static const std::string unreserved =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.!~*'()";
    std::string out;
    for (const char c : text) {
        if (unreserved.find(c) != std::string::npos) {
            out += c;
        } else {
            constexpr const char* hex = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += hex[byte >> 4U];
            out += hex[byte & 0xFU];
        }
    }
    return out;
}

// The JSON read back, without exceptions, gives every text, face, size, position and rule of
// the layout to a thousandth of a pt.
TEST(PageApi, TheLayoutAsJsonHoldsEveryTextAndRule) {
    const auto read = readPrintAddress("print=1DX2-DT93,7AHD-EWGT-SSKE&heading=5.%20A&adapted=2");
    ASSERT_TRUE(std::holds_alternative<ClassSet>(read));
    Layout layout = classSetLayout(std::get<ClassSet>(read));
    // A text with a quote, a backslash, a control character and malformed UTF-8 still makes
    // JSON that reads back.
    layout.pages.back().texts.push_back({"\"\\\t\xC5", Face::SansBold, 10.0004, -1.5, 2});
    const nlohmann::json json = nlohmann::json::parse(layoutJson(layout), nullptr, false);
    ASSERT_FALSE(json.is_discarded());
    ASSERT_EQ(json.at("pages").size(), layout.pages.size());
    EXPECT_EQ(json.at("faces").size(), 4U);
    EXPECT_EQ(json.at("faces").at(3), (nlohmann::json{{"sans", true},
                                                      {"bold", true},
                                                      {"ascent", json["faces"][3]["ascent"]},
                                                      {"height", json["faces"][3]["height"]}}));
    EXPECT_NEAR(json.at("width").get<double>(), pageWidth, 0.0005);
    EXPECT_NEAR(json.at("rule").get<double>(), ruleWidth, 0.0005);
    for (std::size_t p = 0; p < layout.pages.size(); ++p) {
        const nlohmann::json& page = json["pages"][p];
        ASSERT_EQ(page.at("texts").size(), layout.pages[p].texts.size());
        ASSERT_EQ(page.at("rules").size(), layout.pages[p].rules.size());
        for (std::size_t t = 0; t < layout.pages[p].texts.size(); ++t) {
            const TextRun& text = layout.pages[p].texts[t];
            const nlohmann::json& run = page["texts"][t];
            if (p + 1 < layout.pages.size() || t + 1 < layout.pages[p].texts.size()) {
                EXPECT_EQ(run.at(0).get<std::string>(), text.text);
            }
            EXPECT_EQ(run.at(1).get<int>(), static_cast<int>(text.face));
            EXPECT_NEAR(run.at(2).get<double>(), text.points, 0.0005);
            EXPECT_NEAR(run.at(3).get<double>(), text.x, 0.0005);
            EXPECT_NEAR(run.at(4).get<double>(), text.y, 0.0005);
        }
        for (std::size_t r = 0; r < layout.pages[p].rules.size(); ++r) {
            const Rule& rule = layout.pages[p].rules[r];
            EXPECT_NEAR(page["rules"][r].at(2).get<double>(), rule.x2, 0.0005);
            EXPECT_NEAR(page["rules"][r].at(3).get<double>(), rule.y2, 0.0005);
        }
    }
    const nlohmann::json& odd = json["pages"].back()["texts"].back();
    EXPECT_EQ(odd.at(0).get<std::string>(), "\"\\\t\xEF\xBF\xBD");
    EXPECT_EQ(odd.at(2).get<double>(), 10);
}

// The page's address refuses what --codes refuses, with the core's sentence, and its own
// junk; an address that asks for no printing is none of its business.
TEST(PageApi, APrintAddressIsReadAsTheSharedTableSays) {
    for (const testing::CodesCase& row : testing::codesCases()) {
        SCOPED_TRACE(row.name);
        std::string address = "print=" + encoded(row.codes);
        if (!row.heading.empty()) {
            address += "&heading=" + encoded(row.heading);
        }
        if (!row.adapted.empty()) {
            address += "&adapted=" + encoded(row.adapted);
        }
        address += row.addressRest;
        const auto read = readPrintAddress(address);
        if (row.sentence.empty()) {
            // The same class set as the core reads from the row itself.
            ASSERT_TRUE(std::holds_alternative<ClassSet>(read));
            EXPECT_TRUE(std::get<ClassSet>(read) ==
                        std::get<ClassSet>(readClassSet(row.codes, row.heading, row.adapted, {})));
        } else {
            ASSERT_TRUE(std::holds_alternative<AddressRefusal>(read));
            EXPECT_EQ(std::get<AddressRefusal>(read).text, row.sentence);
        }
    }
}

TEST(PageApi, APrintAddressIsDecodedAsABrowserDoes) {
    const auto sheet = [](const char* code) { return *readSheetCode(code); };
    const struct {
        const char* address;
        std::variant<std::monostate, ClassSet, AddressRefusal> expected;
    } rows[] = {
        {"", std::monostate{}},
        {"top", std::monostate{}},
        {"heading=5.A&duplex=1", std::monostate{}},
        {"print=1DX2-DT93&heading=5.+A+%E2%80%93+opakov%C3%A1n%C3%AD&duplex=1&mistakes=0",
         ClassSet{{1, 20, 5, allKinds, "5. A – opakování", "", 0},
                  {{sheet("1DX2-DT93"), 1, false}},
                  {true, false}}},
        {"mistakes=1&adapted=v%C5%A1echny&print=4XY1-ZKRX%2C1DX2-DT93",
         ClassSet{{2, 20, 20, allKinds, "", "všechny", 0},
                  {{sheet("4XY1-ZKRX"), 1, true}, {sheet("1DX2-DT93"), 2, true}},
                  {false, true}}},
        {"print=1DX2-DT93&heading=%E2%80", AddressRefusal{"Nadpis smí mít nejvýše 80 znaků."}},
        {"print=1DX2-DT93&heading=50%25%2", AddressRefusal{""}},
        {"print=1DX2-DT93&", AddressRefusal{""}},
        {"print=1DX2-DT93&mistakes", AddressRefusal{""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.address);
        auto read = readPrintAddress(row.address);
        if (const auto* refusal = std::get_if<AddressRefusal>(&row.expected);
            refusal && refusal->text.empty()) {
            ASSERT_TRUE(std::holds_alternative<AddressRefusal>(read));
            EXPECT_NE(std::get<AddressRefusal>(read).text.find("Adresa pro tisk"),
                      std::string::npos);
        } else {
            EXPECT_TRUE(read == row.expected);
        }
    }
}

// Two lines an exercise: the answer, then the remainder; the marks as they count go to the
// page as letters, texts and the offers of solutions; missing lines are unanswered, and an
// answer that is no number is not readable.
TEST(PageApi, AnswerLinesAreMarkedAndHandedOver) {
    const std::vector<SheetItem> items = sheetItems(*readSheetCode("1DX2-DT93"));
    ASSERT_GE(items.size(), 3U);
    const auto answer = [&items](std::size_t i, int change) {
        return std::to_string(items[i].result.value + change) + "\n" +
               (items[i].result.remainder ? std::to_string(*items[i].result.remainder) : "") + "\n";
    };
    CheckSession session(items);
    evaluateAnswerLines(session, answer(0, 0) + answer(1, 1) + "abc\n\n");
    const MarksText text = marksText(session);
    EXPECT_EQ(text.letters, "rwn" + std::string(items.size() - 3, 'u'));
    EXPECT_EQ(text.offers, "010" + std::string(items.size() - 3, '0'));
    std::string expectedTexts;
    for (std::size_t i = 0; i < session.size(); ++i) {
        if (i > 0) {
            expectedTexts += '\n';
        }
        expectedTexts += markText(session.mark(i));
    }
    EXPECT_EQ(text.texts, expectedTexts);
    EXPECT_EQ(text.summary, session.summary());
    EXPECT_EQ(marksText(CheckSession({})).letters, "");

    const std::string cells = resultCellLines(items);
    EXPECT_EQ(cells.substr(0, cells.find('\n')), "1.\t" + resultText(items[0].result));
    EXPECT_EQ(static_cast<std::size_t>(std::count(cells.begin(), cells.end(), '\n')),
              items.size() - 1);
}

// The overview's pages from a set file's text, as the page prints them: laid out by the core
// on the scale typed, the chart's bars as fills; a damaged file or a scale that does not read
// gives the core's sentence instead.
TEST(PageApi, TheOverviewsLayoutComesFromASetFilesText) {
    SetFile set;
    set.heading = "5. A";
    set.sheets.push_back({{11, 4, 2, allKinds}, false, "Jana", std::nullopt});
    set.sheets.push_back({{22, 4, 2, allKinds}, false, "", std::nullopt});
    set.sheets[0].row = SheetRow{std::vector<MarkedAnswer>(4, {Mark::Right, 0}), {}};
    set.sheets[0].row->marks[3] = {Mark::Wrong, 0};
    const std::string text = writeSetFile(set);
    const std::string cut = text.substr(0, text.size() - 3);
    ASSERT_FALSE(readSetFile(cut, "5A.ciferon").set);
    const auto laid = [&set](const MarkScale& scale) {
        return layoutJson(overviewLayout(set, overviewOf(set, scale)));
    };
    const auto refusal = [](const std::string& sentence) {
        return nlohmann::json{{"refusal", sentence}}.dump();
    };
    const struct {
        std::string text;
        std::string scale;
        std::string expected;
    } rows[] = {
        {text, "", laid({})},
        {text, " 100, 80,50 ,0", laid({{100, 80, 50, 0}})},
        {text, "75,90,50,30", refusal(scaleRefusal("75,90,50,30"))},
        {cut, "", refusal(readSetFile(cut, "5A.ciferon").refusal)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(overviewLayoutJson(row.text, "5A.ciferon", row.scale), row.expected) << row.scale;
    }
    EXPECT_NE(laid({}), laid({{100, 80, 50, 0}}));
    // The bars are fills of the page they stand on, and only there.
    const nlohmann::json json = nlohmann::json::parse(laid({}));
    const nlohmann::json& first = json.at("pages").at(0);
    EXPECT_EQ(first.at("texts").at(0).at(0), "Přehled třídy: 5. A");
    ASSERT_TRUE(first.contains("fills"));
    for (const nlohmann::json& fill : first.at("fills")) {
        ASSERT_EQ(fill.size(), 4U);
        EXPECT_GT(fill.at(2).get<double>(), 0);
    }
    const auto sheets = readPrintAddress("print=1DX2-DT93");
    ASSERT_TRUE(std::holds_alternative<ClassSet>(sheets));
    EXPECT_FALSE(nlohmann::json::parse(layoutJson(classSetLayout(std::get<ClassSet>(sheets))))
                     .at("pages")
                     .at(0)
                     .contains("fills"));
}

// A result code for a class grid: the check's own code read back as its marks; a mistyped one
// and another sheet's refused with the core's sentences, and no marks.
TEST(PageApi, AResultCodeIsReadForItsSheet) {
    const Sheet sheet = *readSheetCode("1DX2-DT93");
    CheckSession session(sheetItems(sheet));
    evaluateAnswerLines(session, "1\n\nabc\n\n");
    const std::string line = resultCodeLine(sheet, session.marks());
    const std::string code = line.substr(line.find(": ") + 2);
    const ResultCodeMarks read = resultCodeMarks(sheet, code);
    EXPECT_EQ(read.marks, session.marks());
    EXPECT_EQ(read.refusal, "");
    const ResultCodeMarks other = resultCodeMarks(*readSheetCode("4XY1-ZKRX"), code);
    EXPECT_EQ(other.refusal, "Kód výsledku „" + code + "“ patří k jinému listu.");
    EXPECT_TRUE(other.marks.empty());
    EXPECT_EQ(resultCodeMarks(sheet, "XY").refusal, "Kód výsledku „XY“ není platný.");
}

// The follow-up set from a file's text: a new set file with the plan's kinds and no results;
// a file without results refused with the core's sentence.
TEST(PageApi, MakesTheFollowUpSetFileOrRefuses) {
    SetFile kept;
    for (const char* code : {"1DX2-DT93", "7AHD-EWGT-SSKE"}) {
        kept.sheets.push_back({*readSheetCode(code), false, "", std::nullopt});
    }
    ClockRandom random;
    EXPECT_EQ(followUpFile(writeSetFile(kept), "5A", FollowUpMode::OwnResults, random, ""),
              (FollowUpFile{{}, std::string(followUpNoResults())}));
    kept.sheets[0].row = SheetRow{std::vector<MarkedAnswer>(20, {Mark::Unanswered, 0}), {}};
    const FollowUpFile made = followUpFile(writeSetFile(kept), "5A", FollowUpMode::OwnResults,
                                           random, "2026-12-09T09:00:00Z");
    const SetFileReading read = readSetFile(made.text, "nova");
    ASSERT_TRUE(read.set.has_value()) << made.refusal << read.refusal;
    EXPECT_EQ(read.set->saved, "2026-12-09T09:00:00Z");
    const FollowUpPlan plan = followUpPlan(kept, FollowUpMode::OwnResults);
    for (std::size_t i = 0; i < kept.sheets.size(); ++i) {
        EXPECT_EQ(read.set->sheets[i].sheet.kinds, plan.sheets[i].kinds);
        EXPECT_FALSE(read.set->sheets[i].row.has_value());
    }
}

// Two sheets with division with a remainder and two-digit sums; the second adapted.
OpenSet twoSheets() {
    const std::string codes = sheetCode(Sheet{4321, 8, 4, (1U << 10U) | (1U << 13U)}) + "," +
                              sheetCode(Sheet{977, 6, 3, 1U << 10U});
    auto read = readClassSet(codes, "5. A", "2", {});
    EXPECT_TRUE(std::holds_alternative<ClassSet>(read));
    return OpenSet(setFileOf(std::get<ClassSet>(read)));
}

using Json = nlohmann::json;

// Each cell of the grid as typed: its text as the number row types digits, its mark's letter
// and the core's sign, the expected result, and the note that names the mistake.
TEST(PageApi, TheGridMarksEachCellAsTyped) {
    OpenSet open = twoSheets();
    const std::vector<SheetItem>& items = open.items[0];
    std::size_t division = 0;
    while (!items.at(division).result.remainder) {
        ++division;
    }
    const SheetItem& item = items[division];
    // The right quotient without its remainder: wrong, the missing remainder named.
    const std::string quotient = std::to_string(item.result.value);
    struct Case {
        std::string typed;
        std::string text;
        Mark mark;
        std::string note;
    };
    const std::vector<Case> cases{
        {quotient, quotient, Mark::Wrong, markText(markCell(item, quotient))},
        {" - ", " - ", Mark::Unanswered, "– bez odpovědi"},
        {"7x?", "7x?", Mark::Unreadable, markText(MarkedAnswer{Mark::Unreadable, 0})},
        {"", "", Mark::Right, markText(MarkedAnswer{Mark::Right, 0})},
        {"ěš", "23", markCell(item, "23").mark, "napsáno „23“"},
    };
    const char letters[] = {'u', 'r', 'w', 'n'};
    for (const Case& test : cases) {
        ASSERT_TRUE(typeCell(open, 0, division, test.typed, true)) << test.typed;
        const Json row = Json::parse(rowJson(open, 0));
        EXPECT_TRUE(row["handedIn"].get<bool>());
        const Json& cell = row["cells"][division];
        EXPECT_EQ(cell[0], resultText(item.result));
        EXPECT_EQ(cell[1], test.text);
        EXPECT_EQ(cell[2], std::string(markSign(test.mark))) << test.typed;
        EXPECT_EQ(cell[3], std::string(1, letters[static_cast<int>(test.mark)])) << test.typed;
        EXPECT_NE(cell[4].get<std::string>().find(test.note), std::string::npos)
            << cell[4] << " lacks " << test.note;
        // Every other cell of the sheet handed in is right, and shown so.
        EXPECT_EQ(row["cells"][division == 0 ? 1 : 0][2], std::string(markSign(Mark::Right)));
    }
    // The mistake named for the quotient alone is the core's, in the note.
    EXPECT_NE(markCell(item, quotient).mistakes, 0U);

    // The other sheet, not handed in: no sign, no mark, and the note says so.
    const Json other = Json::parse(gridJson(open))["sheets"][1];
    EXPECT_FALSE(other["handedIn"].get<bool>());
    EXPECT_TRUE(other["adapted"].get<bool>());
    EXPECT_EQ(other["cells"].size(), open.items[1].size());
    EXPECT_EQ(other["cells"][0][2], "");
    EXPECT_NE(other["cells"][0][4].get<std::string>().find("neodevzdáno"), std::string::npos);

    // No such cell, or an answer longer than any reader reads: nothing changes.
    const SetFile before = open.set;
    EXPECT_FALSE(typeCell(open, 0, items.size(), "5", true));
    EXPECT_FALSE(typeCell(open, 2, 0, "5", true));
    EXPECT_FALSE(typeCell(open, 0, 0, std::string(keptAnswerMax + 1, '7'), true));
    EXPECT_EQ(open.set, before);
}

// Typing in a cell is one step, handing in and clearing a row are one each, undone last first.
TEST(PageApi, ChangesAreUndoneLastFirst) {
    OpenSet open = twoSheets();
    const OpenSet made = open;
    ASSERT_TRUE(typeCell(open, 0, 1, "4", true));
    ASSERT_TRUE(typeCell(open, 0, 1, "42", false));
    const SetFile typed = open.set;
    EXPECT_TRUE(handInSheet(open, 1));
    EXPECT_FALSE(handInSheet(open, 1));
    EXPECT_FALSE(handInSheet(open, 2));
    const SetFile handedIn = open.set;
    EXPECT_TRUE(clearSheet(open, 0));
    EXPECT_FALSE(clearSheet(open, 0));
    EXPECT_FALSE(open.set.sheets[0].row.has_value());

    EXPECT_EQ(undoChange(open), std::optional<std::size_t>(0));
    EXPECT_EQ(open.set, handedIn);
    EXPECT_EQ(undoChange(open), std::optional<std::size_t>(1));
    EXPECT_EQ(open.set, typed);
    EXPECT_EQ(undoChange(open), std::optional<std::size_t>(0));
    EXPECT_EQ(open.set, made.set);
    EXPECT_EQ(undoChange(open), std::nullopt);
}

// A row from a pupil's result code: another sheet's code and a mistyped one refused with the
// core's sentence and the row unchanged; the sheet's own fills the row with its marks, a step
// that Ctrl+Z undoes.
TEST(PageApi, ARowTakesItsSheetsResultCode) {
    OpenSet open = twoSheets();
    const OpenSet made = open;
    std::vector<MarkedAnswer> marks(open.items[1].size(), {Mark::Unanswered, 0});
    marks[0] = {Mark::Wrong, 0};
    const std::string own = *resultCode(open.set.sheets[1].sheet, marks);
    const std::string other =
        *resultCode(open.set.sheets[0].sheet, std::vector<MarkedAnswer>(open.items[0].size()));
    for (const std::string& refused : {other, own.substr(1)}) {
        const ResultCodeFault fault = readResultCode(open.set.sheets[1].sheet, refused).fault;
        EXPECT_EQ(enterRowResultCode(open, 1, refused), resultCodeRefusal(fault, refused));
        EXPECT_EQ(open.set, made.set);
    }
    EXPECT_EQ(enterRowResultCode(open, 1, own), "");
    ASSERT_TRUE(open.set.sheets[1].row.has_value());
    EXPECT_EQ(open.set.sheets[1].row->marks, marks);
    EXPECT_TRUE(open.set.sheets[1].row->answers.empty());
    EXPECT_EQ(undoChange(open), std::optional<std::size_t>(1));
    EXPECT_EQ(open.set, made.set);
}

// Names pasted as a list as the core reads them; the browser keeps them only when asked; a
// download is the set file with its time of saving, read back whole.
TEST(PageApi, NamesStorageAndDownload) {
    OpenSet open = twoSheets();
    EXPECT_EQ(setNames(open, "Jana Nováková\n\n"), "");
    EXPECT_EQ(open.set.sheets[0].name, "Jana Nováková");
    EXPECT_EQ(open.set.sheets[1].name, "");
    const std::string tooMany = "A\nB\nC";
    EXPECT_EQ(setNames(open, tooMany), readNameList(tooMany, 2).refusal);
    EXPECT_FALSE(setNames(open, tooMany).empty());
    EXPECT_EQ(open.set.sheets[0].name, "Jana Nováková");
    ASSERT_TRUE(typeCell(open, 1, 0, "-", true));

    EXPECT_EQ(storedText(open.set, true), writeSetFile(open.set));
    const SetFileReading nameless = readSetFile(storedText(open.set, false), "x");
    ASSERT_TRUE(nameless.set) << nameless.refusal;
    EXPECT_EQ(nameless.set->sheets[0].name, "");
    EXPECT_EQ(nameless.set->sheets[1].row, open.set.sheets[1].row);

    const std::string file = downloadText(open.set, 1765265400);
    EXPECT_EQ(open.set.saved, savedText(1765265400));
    const SetFileReading back = readSetFile(file, "sada.ciferon");
    ASSERT_TRUE(back.set) << back.refusal;
    EXPECT_EQ(*back.set, open.set);
}

// The overview's JSON holds the core's counts, the sheets named as the overview names them.
TEST(PageApi, TheOverviewIsTheCores) {
    OpenSet open = twoSheets();
    ASSERT_EQ(setNames(open, "Jana"), "");
    for (std::size_t at = 0; at < open.items[0].size(); ++at) {
        const Result& result = open.items[0][at].result;
        ASSERT_TRUE(typeCell(open, 0, at, at % 2 == 0 ? std::to_string(result.value) : "", true));
    }
    const MarkScale scale{{80, 60, 40, 20}};
    const Overview overview = overviewOf(open.set, scale);
    const Json json = Json::parse(overviewJson(open.set, scale));
    EXPECT_EQ(json["handedIn"], 1);
    EXPECT_EQ(json["sheets"], 2);
    EXPECT_EQ(json["unreadable"], overview.unreadable);
    ASSERT_EQ(json["pupils"].size(), 2U);
    const PupilResult& pupil = overview.pupils[0];
    EXPECT_EQ(json["pupils"][0]["right"], pupil.right);
    EXPECT_EQ(json["pupils"][0]["total"], pupil.total);
    EXPECT_EQ(json["pupils"][0]["percent"], pupil.percent);
    EXPECT_EQ(json["pupils"][0]["mark"], pupil.mark);
    EXPECT_EQ(json["pupils"][0]["name"], "Jana");
    EXPECT_EQ(json["missing"], Json::array({"2"}));
    ASSERT_EQ(json["kinds"].size(), overview.kinds.size());
    for (std::size_t k = 0; k < overview.kinds.size(); ++k) {
        EXPECT_EQ(json["kinds"][k]["number"], overview.kinds[k].kind + 1);
        EXPECT_EQ(json["kinds"][k]["name"], std::string(kindName(overview.kinds[k].kind)));
        EXPECT_EQ(json["kinds"][k]["right"], overview.kinds[k].right);
        EXPECT_EQ(json["kinds"][k]["total"], overview.kinds[k].total);
    }
    ASSERT_FALSE(overview.mistakes.empty());
    ASSERT_EQ(json["mistakes"].size(), overview.mistakes.size());
    for (std::size_t m = 0; m < overview.mistakes.size(); ++m) {
        EXPECT_EQ(json["mistakes"][m]["text"],
                  std::string(mistakeText(overview.mistakes[m].mistake)));
        EXPECT_EQ(json["mistakes"][m]["count"], overview.mistakes[m].count);
        EXPECT_EQ(json["mistakes"][m]["sheets"], Json::array({"1 (Jana)"}));
    }
    EXPECT_EQ(json["hardest"].size(), overview.hardest.size());
}

}  // namespace
}  // namespace ciferon::page
