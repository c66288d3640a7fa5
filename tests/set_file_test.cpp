// The set file: what is written is read back the same, a teacher's edit in a text editor is
// read as meant, and every damaged file is refused whole with its sentence.
#include <gtest/gtest.h>

#include <string>

#include "classset/set_file.h"

namespace ciferon {
namespace {

using enum Mark;

Sheet sheetOf(const char* code) {
    const auto sheet = readSheetCode(code);
    EXPECT_TRUE(sheet.has_value()) << code;
    return sheet.value_or(Sheet{});
}

// Three sheets: the first handed in with every kind of mark and some answers typed, the
// second with marks alone, the third adapted and not handed in.
SetFile sampleSet() {
    SetFile set;
    set.heading = "5. A – dělení \"na zkoušku\"";
    set.duplex = true;
    set.mistakes = true;
    set.saved = "2026-12-09T07:30:00Z";
    const Sheet first = sheetOf("1DX2-DT93");
    SheetRow row;
    row.marks.assign(static_cast<std::size_t>(first.count), MarkedAnswer{Right, 0});
    row.marks[1] = {Wrong, 0};
    row.marks[2] = {Wrong, static_cast<MistakeSet>(mistakeBit(Mistake::CarryForgotten) |
                                                   mistakeBit(Mistake::LeftToRight))};
    row.marks[3] = {Unanswered, 0};
    row.marks[4] = {Unreadable, 0};
    row.marks[5] = {Wrong, mistakeBit(Mistake::OneSign)};
    row.answers = {"", "7 zb. 2", "52", "", "5x", "−3", "a\\b\tč"};
    set.sheets.push_back({first, false, "Žofie Nováková 👩‍🎓", row});
    SheetRow marksOnly;
    const Sheet second = sheetOf("7AHD-EWGT-SSKE");
    marksOnly.marks.assign(static_cast<std::size_t>(second.count), MarkedAnswer{Unanswered, 0});
    set.sheets.push_back({second, false, std::string(200, 'x'), marksOnly});
    set.sheets.push_back({sheetOf("4XY1-ZKRX"), true, "", std::nullopt});
    return set;
}

TEST(SetFile, WhatIsWrittenIsReadBackTheSame) {
    const SetFile set = sampleSet();
    const std::string text = writeSetFile(set);
    const SetFileReading read = readSetFile(text, "5A.ciferon");
    ASSERT_TRUE(read.set.has_value()) << read.refusal;
    EXPECT_EQ(*read.set, set);
    EXPECT_EQ(writeSetFile(*read.set), text);
    // Every mistake's name is read back as that mistake.
    for (int m = 0; m < mistakeCount; ++m) {
        SetFile one = set;
        one.sheets[0].row->marks[1].mistakes = mistakeBit(static_cast<Mistake>(m));
        const auto again = readSetFile(writeSetFile(one), "a");
        ASSERT_TRUE(again.set.has_value()) << again.refusal;
        EXPECT_EQ(*again.set, one) << mistakeKey(static_cast<Mistake>(m));
    }
}

TEST(SetFile, CutShortAnywhereIsRefusedWhole) {
    const std::string text = writeSetFile(sampleSet());
    // The file without its last line break is whole; any shorter piece is not.
    ASSERT_TRUE(readSetFile(text.substr(0, text.size() - 1), "a").set.has_value());
    for (std::size_t size = 0; size + 1 < text.size(); ++size) {
        const SetFileReading read = readSetFile(text.substr(0, size), "a");
        ASSERT_FALSE(read.set.has_value()) << size;
        const bool cut = read.refusal.starts_with("Soubor sady „a“ je useknutý") ||
                         (read.refusal == "Soubor sady „a“ je prázdný.");
        ASSERT_TRUE(cut) << size << ": " << read.refusal;
    }
}

TEST(SetFile, AcceptsAHandEdit) {
    // Written by hand: a byte-order mark, CR LF, keys in another order, the sheets out of
    // order, blanks inside the marks, the code typed as a teacher types it, no time of saving.
    const std::string text =
        "\xEF\xBB\xBF{ \"sheets\": [\r\n"
        "  { \"code\": \"4xy1 zkrx\", \"number\": 2 },\r\n"
        "  { \"number\": 1, \"code\": \"1DX2-DT93\", \"name\": \"  Jan  \",\r\n"
        "    \"marks\": [\"right\", \" wrong :carry-forgotten,left-to-right \", \"unanswered\","
        " \"right\", \"right\", \"right\", \"right\", \"right\", \"right\", \"right\", \"right\","
        " \"right\", \"right\", \"right\", \"right\", \"right\", \"right\", \"right\", \"right\","
        " \"unreadable\"],\r\n"
        "    \"answers\": [\"\", \"40\"], \"poznámka\": \"doplnit\" }\r\n"
        "  ],\r\n"
        "  \"version\": 1, \"format\": \"ciferon-set\", \"heading\": \"5. B\" }\r\n";
    const SetFileReading read = readSetFile(text, "ručně.ciferon");
    ASSERT_TRUE(read.set.has_value()) << read.refusal;
    const SetFile& set = *read.set;
    ASSERT_EQ(set.sheets.size(), 2U);
    EXPECT_EQ(set.heading, "5. B");
    EXPECT_EQ(set.sheets[0].sheet, sheetOf("1DX2-DT93"));
    EXPECT_EQ(set.sheets[0].name, "Jan");
    EXPECT_EQ(set.sheets[1].sheet, sheetOf("4XY1-ZKRX"));
    EXPECT_FALSE(set.sheets[1].row.has_value());
    ASSERT_TRUE(set.sheets[0].row.has_value());
    EXPECT_EQ(set.sheets[0].row->marks[1],
              (MarkedAnswer{Wrong, static_cast<MistakeSet>(mistakeBit(Mistake::CarryForgotten) |
                                                           mistakeBit(Mistake::LeftToRight))}));
    EXPECT_EQ(set.sheets[0].row->marks[19], (MarkedAnswer{Unreadable, 0}));
    EXPECT_EQ(set.sheets[0].row->answers, (std::vector<std::string>{"", "40"}));
}

// A file of sheets as listed between the brackets of "sheets".
std::string fileOf(const std::string& sheets, const std::string& top = "\"version\": 1") {
    return R"({"format": "ciferon-set", )" + top + ", \"sheets\": [" + sheets + "]}";
}

std::string marks(int right, const std::string& more = "") {
    std::string list;
    for (int i = 0; i < right; ++i) {
        list += std::string(i == 0 ? "" : ", ") + "\"right\"";
    }
    return "[" + list + more + "]";
}

TEST(SetFile, RefusesADamagedFileWithItsSentence) {
    const std::string one = R"({"number": 1, "code": "1DX2-DT93"})";
    const std::string s = "Soubor sady „5A“ ";
    const struct {
        std::string bytes;
        std::string refusal;
    } rows[] = {
        {"", s + "je prázdný."},
        {" \r\n", s + "je prázdný."},
        {std::string(setFileMax + 1, 'x'), s + "je delší než 4 MiB, takže to není sada listů."},
        {"{\"format\": \"ciferon-set\",\n\"heading\": \"d\xEC"
         "len\xED\"}",
         s + "není v kódování UTF-8 (řádek 2), nejspíš je uložený v kódování Windows-1250; "
             "ulož ho jako UTF-8."},
        {"{\"heading\": \"\xC3", s + "je useknutý: končí na řádku 1 uprostřed znaku."},
        {std::string("\x7F"
                     "ELF\x02\x01\x01") +
             std::string(3, '\0'),
         s + "není textový soubor (řádek 1), takže to není sada listů."},
        {"{\n\"heading\": \"a\x0C\"}",
         s + "není textový soubor (řádek 2), takže to není sada listů."},
        {"{\"format\": \"ciferon-set\",\n\"version\": 1,\n\"sheets\": [",
         s + "je useknutý: končí na řádku 3 dřív, než se uzavře poslední složenou závorkou."},
        {"{\"format\": \"ciferon-set\",\n\"version\": 1,\n\"duplex\": tr",
         s + "je useknutý: končí na řádku 3 dřív, než se uzavře poslední složenou závorkou."},
        {"{\"format\": \"ciferon-set\",\n\"version\": 1,\n\"sheets\": [] } x",
         s + "má na řádku 3 chybu zápisu, takže ho nelze přečíst."},
        {"{\"format\": \"ciferon-set\",\n\"version\": 1,\n'sheets': []}",
         s + "má na řádku 3 chybu zápisu, takže ho nelze přečíst."},
        {"[1, 2]", s + "není sada listů Ciferonu: chybí v něm \"format\": \"ciferon-set\"."},
        {R"({"format": "ciferon-sada"})",
         s + "není sada listů Ciferonu: chybí v něm \"format\": \"ciferon-set\"."},
        {fileOf(one, R"("version": "1")"), s + "nemá číslo verze („version“)."},
        {fileOf(one, "\"version\": 2"),
         s + "má verzi 2 z novější verze Ciferonu; tato verze umí otevřít nejvýše verzi 1."},
        {fileOf(one, "\"version\": 0"), s + "má verzi 0, jakou žádný Ciferon nezapisuje."},
        {fileOf(one, R"("version": 1, "duplex": "ano")"),
         s + "má chybnou položku „duplex“: má to být true nebo false."},
        {fileOf(one, R"("version": 1, "heading": ")" + std::string(81, 'x') + "\""),
         s + "má chybnou položku „heading“: nadpis smí mít nejvýše 80 znaků."},
        {R"({"format": "ciferon-set", "version": 1})", s + "nemá seznam listů („sheets“)."},
        {fileOf(""), s + "má 0 listů, ale sada jich má od 1 do 40."},
        {fileOf(one + ", 7"), s + "má u 2. listu v souboru chybný zápis: má to být objekt ve "
                                  "složených závorkách."},
        {fileOf(R"({"code": "1DX2-DT93"})"),
         s + "nemá u 1. listu v souboru číslo listu („number“)."},
        {fileOf(R"({"number": 1.5, "code": "1DX2-DT93"})"),
         s + "má u 1. listu v souboru chybnou položku „number“: má to být celé číslo."},
        {fileOf(one + R"(, {"number": 3, "code": "1DX2-DT93"})"),
         s + "má u 2. listu v souboru číslo listu 3, ale listy jsou očíslované od 1 do 2."},
        {fileOf(one + ", " + one), s + "má list 1 dvakrát."},
        {fileOf(one + R"(, {"number": 2, "code": "1dx2 dt93"})"),
         s + "má u listů 1 a 2 týž kód „1DX2-DT93“; dva žáci nesmějí dostat stejný list."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "name": "Eva\n=1+1"})"),
         s + "má u listu 1 jméno s řídicím znakem (například koncem řádku)."},
        {fileOf(one, R"("version": 1, "heading": "5. A\u0007")"),
         s + "má nadpis („heading“) s řídicím znakem (například koncem řádku)."},
        {fileOf("{\"number\": 1}"), s + "nemá u listu 1 kód („code“)."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT94"})"),
         s + "má u listu 1 neplatný kód „1DX2-DT94“."},
        {fileOf(R"({"number": 1, "code": ")" + std::string(30, 'X') + "ĚĚĚĚĚĚĚĚ\"}"),
         s + "má u listu 1 neplatný kód „" + std::string(30, 'X') + "ĚĚĚĚĚ…“."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "adapted": 1})"),
         s + "má u listu 1 chybnou položku „adapted“: má to být true nebo false."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "name": ")" + std::string(201, 'x') + "\"}"),
         s + "má u listu 1 jméno delší než 200 znaků."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "answers": []})"),
         s + "má u listu 1 odpovědi bez známek („marks“)."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "marks": )" + marks(21) + "}"),
         s + "má u listu 1 víc známek (21), než má list příkladů (20)."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "marks": )" + marks(19) + "}"),
         s + "má u listu 1 méně známek (19), než má list příkladů (20)."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "marks": )" +
                marks(19, ", \"wrong: forgot\"") + "}"),
         s + "má u listu 1 u příkladu 20 neznámou známku \"wrong: forgot\" (patří sem right, "
             "wrong, unanswered nebo unreadable)."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "marks": )" + marks(19, ", true") + "}"),
         s + "má u listu 1 u příkladu 20 neznámou známku true (patří sem right, wrong, "
             "unanswered nebo unreadable)."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "marks": )" + marks(20) +
                ", \"answers\": " + marks(21) + "}"),
         s + "má u listu 1 víc odpovědí (21), než má list příkladů (20)."},
        {fileOf(R"({"number": 1, "code": "1DX2-DT93", "marks": )" + marks(20) +
                ", \"answers\": [61]}"),
         s + "má u listu 1 u příkladu 1 odpověď, která není text v uvozovkách."},
    };
    for (const auto& row : rows) {
        const SetFileReading read = readSetFile(row.bytes, "5A");
        EXPECT_FALSE(read.set.has_value()) << row.refusal;
        EXPECT_EQ(read.refusal, row.refusal) << row.bytes.substr(0, 200);
    }
    // The same file with the faults mended opens.
    EXPECT_TRUE(readSetFile(fileOf(one), "5A").set.has_value());
}

TEST(SetFile, ReadsPupilsNamesOneALine) {
    const std::string emoji = "Ema 👩‍👩‍👧 Malá";
    const std::string longest = std::string(199, 'x') + "č";  // 200 characters, 201 bytes
    const struct {
        std::string text;
        int sheets;
        std::vector<std::string> names;
        std::string refusal;
    } rows[] = {
        {"Jana\nPetr\n", 3, {"Jana", "Petr"}, ""},
        {"\xEF\xBB\xBF  Jana \r\n\r\nPetr\r\n\r\n\r\n", 3, {"Jana", "", "Petr"}, ""},
        {emoji + "\n" + longest, 2, {emoji, longest}, ""},
        {"", 2, {}, ""},
        {"a\nb\nc\n",
         2,
         {},
         "Jmen je víc (3) než listů v sadě (2); na každý řádek patří jméno "
         "k jednomu listu."},
        {"a\n" + longest + "x", 2, {}, "Jméno na řádku 2 je delší než 200 znaků."},
        {"Jana\nP\x9Atr",
         2,
         {},
         "Seznam jmen není v kódování UTF-8 (řádek 2); ulož ho jako UTF-8."},
    };
    for (const auto& row : rows) {
        const NameList list = readNameList(row.text, row.sheets);
        EXPECT_EQ(list.refusal, row.refusal) << row.text;
        EXPECT_EQ(list.names, row.names) << row.text;
    }
}

TEST(SetFile, KeepsAnAnswerFilesLinesAsTyped) {
    const Sheet sheet = sheetOf("1DX2-DT93");
    const std::string line(100, '7');
    const std::string bytes =
        "\xEF\xBB\xBF"
        "12\r\n\r\nx " +
        line + "\n\n\n";
    const SheetRow row = rowOfAnswerFile(bytes, markAnswerFile(bytes, sheetItems(sheet)));
    EXPECT_EQ(row.marks.size(), 20U);
    EXPECT_EQ(row.answers, (std::vector<std::string>{"12", "", "x " + line.substr(0, 62)}));
    EXPECT_EQ(savedText(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(savedText(1796801400), "2026-12-09T07:30:00Z");
    EXPECT_EQ(savedText(951825599), "2000-02-29T11:59:59Z");
}

}  // namespace
}  // namespace ciferon
