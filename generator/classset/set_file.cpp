#include "classset/set_file.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "base/utf8.h"
#include "classset/classset.h"

namespace ciferon {

namespace {

using Json = nlohmann::json;

constexpr std::string_view formatName = "ciferon-set";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The marks' words in the file, and what stands after "wrong" when mistakes are named.
constexpr std::string_view rightWord = "right";
constexpr std::string_view wrongWord = "wrong";
constexpr std::string_view unansweredWord = "unanswered";
constexpr std::string_view unreadableWord = "unreadable";

constexpr std::array<std::string_view, mistakeCount> mistakeKeys{
    "left-to-right",     "carry-forgotten", "units-reversed", "remainder-too-large",
    "remainder-missing", "swapped",         "one-sign"};

// Where UTF-8 first goes wrong, and whether only because the text ends inside a character.
struct Utf8Fault {
    std::size_t at = std::string_view::npos;  // npos: well-formed
    bool cutShort = false;
};

Utf8Fault utf8Fault(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        if (nextCodePoint(text, at)) {
            continue;
        }
        // Cut short: a lead byte that announces more bytes than the text has left.
        const auto lead = static_cast<unsigned char>(text[start]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        return {start, lead >= 0xC2 && lead <= 0xF4 && text.size() - start < length};
    }
    return {};
}

// Whether a text holds a control character (below U+0020, or DEL), as a JSON escape can put
// into a name or a heading: a line break there would split the overview's lines.
bool hasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

std::size_t lineAt(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<std::size_t>(std::count(
                   text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// Where the JSON reader stopped, read again when the text is not JSON, and whether the
// outermost value had been closed by then: a text that stops inside it is cut short.
class ErrorPosition : public nlohmann::json_sax<Json> {
  public:
    std::size_t position = 0;
    bool closed = false;
    bool null() override { return true; }
    bool boolean(bool /*value*/) override { return true; }
    bool number_integer(number_integer_t /*value*/) override { return true; }
    bool number_unsigned(number_unsigned_t /*value*/) override { return true; }
    bool number_float(number_float_t /*value*/, const string_t& /*text*/) override { return true; }
    bool string(string_t& /*value*/) override { return true; }
    bool binary(binary_t& /*value*/) override { return true; }
    bool start_object(std::size_t /*elements*/) override { return open(); }
    bool key(string_t& /*value*/) override { return true; }
    bool end_object() override { return close(); }
    bool start_array(std::size_t /*elements*/) override { return open(); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t at, const std::string& /*token*/,
                     const nlohmann::detail::exception& /*fault*/) override {
        position = at;
        return false;
    }

  private:
    int depth_ = 0;
    bool open() {
        ++depth_;
        return true;
    }
    bool close() {
        closed = --depth_ == 0;
        return true;
    }
};

std::string jsonText(std::string_view text) {
    return Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string markWordOf(const MarkedAnswer& marked) {
    switch (marked.mark) {
        case Mark::Right:
            return std::string(rightWord);
        case Mark::Unanswered:
            return std::string(unansweredWord);
        case Mark::Unreadable:
            return std::string(unreadableWord);
        case Mark::Wrong:
            break;
    }
    std::string word(wrongWord);
    const char* separator = ": ";
    for (int m = 0; m < mistakeCount; ++m) {
        if ((marked.mistakes & mistakeBit(static_cast<Mistake>(m))) != 0) {
            word.append(separator).append(mistakeKeys[static_cast<std::size_t>(m)]);
            separator = ", ";
        }
    }
    return word;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A mark as the file writes it: "right", "wrong", "wrong: carry-forgotten, left-to-right",
// "unanswered", "unreadable"; blanks around the words do not matter.
std::optional<MarkedAnswer> readMark(std::string_view word) {
    word = trimmed(word);
    if (word == rightWord) {
        return MarkedAnswer{Mark::Right, 0};
    }
    if (word == unansweredWord) {
        return MarkedAnswer{Mark::Unanswered, 0};
    }
    if (word == unreadableWord) {
        return MarkedAnswer{Mark::Unreadable, 0};
    }
    if (!word.starts_with(wrongWord)) {
        return std::nullopt;
    }
    word.remove_prefix(wrongWord.size());
    MarkedAnswer marked{Mark::Wrong, 0};
    if (trimmed(word).empty()) {
        return marked;
    }
    word = trimmed(word);
    if (!word.starts_with(':')) {
        return std::nullopt;
    }
    word.remove_prefix(1);
    while (true) {
        const std::size_t comma = word.find(',');
        const std::string_view key = trimmed(word.substr(0, comma));
        const auto* found = std::find(mistakeKeys.begin(), mistakeKeys.end(), key);
        if (found == mistakeKeys.end()) {
            return std::nullopt;
        }
        marked.mistakes |= mistakeBit(static_cast<Mistake>(found - mistakeKeys.begin()));
        if (comma == std::string_view::npos) {
            return marked;
        }
        word.remove_prefix(comma + 1);
    }
}

// The first part of every refusal: «Soubor sady „5A.ciferon“».
class Refuser {
  public:
    explicit Refuser(std::string_view name) : start_("Soubor sady „" + std::string(name) + "“ ") {}
    SetFileReading operator()(const std::string& rest) const {
        return {std::nullopt, start_ + rest};
    }

  private:
    std::string start_;
};

// A value quoted in a refusal, cut after 40 bytes (between characters) with "…", so that a
// sentence stays one line whatever the file holds.
std::string shown(std::string text) {
    constexpr std::size_t longest = 40;
    if (text.size() > longest) {
        std::size_t end = longest;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U) {
            --end;
        }
        text.resize(end);
        text += "…";
    }
    return text;
}

// Where a sheet stands in the file, for a refusal: "u listu 3", or before its number is known
// "u 3. listu v souboru".
std::string sheetPlace(int number, std::size_t index) {
    return number > 0 ? "u listu " + std::to_string(number)
                      : "u " + std::to_string(index + 1) + ". listu v souboru";
}

// Why a field of the object is not of its type, or nothing when it is absent or fits.
std::optional<std::string> wrongType(const Json& object, const char* key, Json::value_t type,
                                     std::string_view what) {
    const auto found = object.find(key);
    if (found == object.end() || found->type() == type ||
        (type == Json::value_t::number_integer &&
         found->type() == Json::value_t::number_unsigned)) {
        return std::nullopt;
    }
    return "chybnou položku „" + std::string(key) + "“: má to být " + std::string(what);
}

// One sheet's entry read into `sheet`, or the refusal's words after "Soubor sady „…“ ".
std::optional<std::string> readSheet(const Json& entry, std::size_t index, int sheets,
                                     SetSheet& sheet, int& number) {
    number = 0;
    std::string place = sheetPlace(0, index);
    if (!entry.is_object()) {
        return "má " + place + " chybný zápis: má to být objekt ve složených závorkách.";
    }
    if (auto fault = wrongType(entry, "number", Json::value_t::number_integer, "celé číslo")) {
        return "má " + place + " " + *fault + ".";
    }
    const auto numberFound = entry.find("number");
    if (numberFound == entry.end()) {
        return "nemá " + place + " číslo listu („number“).";
    }
    const auto given = numberFound->get<long long>();
    if (given < 1 || given > sheets) {
        return "má " + place + " číslo listu " + std::to_string(given) + ", ale listy jsou " +
               "očíslované od 1 do " + std::to_string(sheets) + ".";
    }
    number = static_cast<int>(given);
    place = sheetPlace(number, index);
    const struct {
        const char* key;
        Json::value_t type;
        const char* what;
    } fields[] = {{"code", Json::value_t::string, "text"},
                  {"adapted", Json::value_t::boolean, "true nebo false"},
                  {"name", Json::value_t::string, "text"},
                  {"marks", Json::value_t::array, "seznam známek"},
                  {"answers", Json::value_t::array, "seznam odpovědí"}};
    for (const auto& field : fields) {
        if (auto fault = wrongType(entry, field.key, field.type, field.what)) {
            return "má " + place + " " + *fault + ".";
        }
    }
    const auto code = entry.find("code");
    if (code == entry.end()) {
        return "nemá " + place + " kód („code“).";
    }
    const auto& codeText = code->get_ref<const std::string&>();
    const auto read = readSheetCode(codeText);
    if (!read) {
        return "má " + place + " neplatný kód „" + shown(codeText) + "“.";
    }
    sheet.sheet = *read;
    sheet.adapted = entry.value("adapted", false);
    if (const auto name = entry.find("name"); name != entry.end()) {
        sheet.name = std::string(trimmed(name->get_ref<const std::string&>()));
        if (hasControl(sheet.name)) {
            return "má " + place + " jméno s řídicím znakem (například koncem řádku).";
        }
        if (characterCount(sheet.name) > pupilNameMax) {
            return "má " + place + " jméno delší než " + std::to_string(pupilNameMax) + " znaků.";
        }
    }
    const auto marks = entry.find("marks");
    const auto answers = entry.find("answers");
    if (marks == entry.end()) {
        if (answers != entry.end()) {
            return "má " + place + " odpovědi bez známek („marks“).";
        }
        return std::nullopt;
    }
    const auto count = static_cast<std::size_t>(sheet.sheet.count);
    if (marks->size() != count) {
        return "má " + place + (marks->size() > count ? " víc" : " méně") + " známek (" +
               std::to_string(marks->size()) + "), než má list příkladů (" + std::to_string(count) +
               ").";
    }
    SheetRow row;
    for (std::size_t i = 0; i < count; ++i) {
        const Json& word = (*marks)[i];
        const auto marked =
            word.is_string() ? readMark(word.get_ref<const std::string&>()) : std::nullopt;
        if (!marked) {
            return "má " + place + " u příkladu " + std::to_string(i + 1) + " neznámou známku " +
                   shown(word.dump(-1, ' ', false, Json::error_handler_t::replace)) +
                   " (patří sem right, wrong, unanswered nebo unreadable).";
        }
        row.marks.push_back(*marked);
    }
    if (answers != entry.end()) {
        if (answers->size() > count) {
            return "má " + place + " víc odpovědí (" + std::to_string(answers->size()) +
                   "), než má list příkladů (" + std::to_string(count) + ").";
        }
        for (std::size_t i = 0; i < answers->size(); ++i) {
            if (!(*answers)[i].is_string()) {
                return "má " + place + " u příkladu " + std::to_string(i + 1) +
                       " odpověď, která není text v uvozovkách.";
            }
            row.answers.push_back((*answers)[i].get<std::string>());
        }
    }
    sheet.row = std::move(row);
    return std::nullopt;
}

SetFileReading readJson(const Json& root, const Refuser& refuse) {
    const auto format = root.is_object() ? root.find("format") : root.end();
    if (format == root.end() || !format->is_string() ||
        format->get_ref<const std::string&>() != formatName) {
        return refuse("není sada listů Ciferonu: chybí v něm \"format\": \"ciferon-set\".");
    }
    const auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer()) {
        return refuse("nemá číslo verze („version“).");
    }
    if (version->get<long long>() < 1) {
        return refuse("má verzi " + shown(version->dump()) + ", jakou žádný Ciferon nezapisuje.");
    }
    if (version->get<long long>() > setFileVersion) {
        return refuse("má verzi " + shown(version->dump()) +
                      " z novější verze Ciferonu; tato verze umí otevřít nejvýše verzi " +
                      std::to_string(setFileVersion) + ".");
    }
    const struct {
        const char* key;
        Json::value_t type;
        const char* what;
    } fields[] = {{"heading", Json::value_t::string, "text"},
                  {"duplex", Json::value_t::boolean, "true nebo false"},
                  {"mistakes", Json::value_t::boolean, "true nebo false"},
                  {"kinds", Json::value_t::boolean, "true nebo false"},
                  {"saved", Json::value_t::string, "text"},
                  {"sheets", Json::value_t::array, "seznam listů"}};
    for (const auto& field : fields) {
        if (auto fault = wrongType(root, field.key, field.type, field.what)) {
            return refuse("má " + *fault + ".");
        }
    }
    SetFile set;
    set.heading = std::string(trimmed(root.value("heading", std::string())));
    set.duplex = root.value("duplex", false);
    set.mistakes = root.value("mistakes", false);
    set.kinds = root.value("kinds", false);
    set.saved = root.value("saved", std::string());
    const auto sheets = root.find("sheets");
    if (sheets == root.end()) {
        return refuse("nemá seznam listů („sheets“).");
    }
    if (hasControl(set.heading)) {
        return refuse("má nadpis („heading“) s řídicím znakem (například koncem řádku).");
    }
    ClassSetSettings settings;
    settings.sheets = static_cast<int>(std::min<std::size_t>(sheets->size(), classSetMax + 1));
    settings.heading = set.heading;
    if (const ClassSetProblem problem = classSetProblem(settings)) {
        if (problem.field == ClassSetField::Sheets) {
            return refuse("má " + std::to_string(sheets->size()) +
                          " listů, ale sada jich má od 1 do " + std::to_string(classSetMax) + ".");
        }
        std::string why = problem.text;
        // "Nadpis smí…" within the sentence: "nadpis smí…".
        if (why.starts_with("N")) {
            why[0] = 'n';
        }
        return refuse("má chybnou položku „heading“: " + why);
    }
    set.sheets.resize(sheets->size());
    std::vector<bool> seen(sheets->size() + 1, false);
    for (std::size_t i = 0; i < sheets->size(); ++i) {
        SetSheet sheet;
        int number = 0;
        if (auto fault = readSheet((*sheets)[i], i, settings.sheets, sheet, number)) {
            return refuse(*fault);
        }
        if (seen[static_cast<std::size_t>(number)]) {
            return refuse("má list " + std::to_string(number) + " dvakrát.");
        }
        seen[static_cast<std::size_t>(number)] = true;
        set.sheets[static_cast<std::size_t>(number) - 1] = std::move(sheet);
    }
    // Two pupils must never get the same sheet.
    for (std::size_t i = 0; i < set.sheets.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (set.sheets[j].sheet == set.sheets[i].sheet) {
                std::string why("má u listů ");
                why.append(std::to_string(j + 1))
                    .append(" a ")
                    .append(std::to_string(i + 1))
                    .append(" týž kód „")
                    .append(sheetCode(set.sheets[i].sheet))
                    .append("“; dva žáci nesmějí dostat stejný list.");
                return refuse(why);
            }
        }
    }
    return {std::move(set), {}};
}

// The part of an answer that is kept: at most keptAnswerMax bytes, cut between characters.
std::string keptAnswer(std::string_view line) {
    if (line.size() > keptAnswerMax) {
        std::size_t end = keptAnswerMax;
        while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0U) == 0x80U) {
            --end;
        }
        line = line.substr(0, end);
    }
    return std::string(line);
}

}  // namespace

std::string_view mistakeKey(Mistake mistake) {
    return mistakeKeys.at(static_cast<std::size_t>(mistake));
}

std::string writeSetFile(const SetFile& set) {
    std::string text = "{\n";
    text.append("  \"format\": ").append(jsonText(formatName)).append(",\n");
    text.append("  \"version\": ").append(std::to_string(setFileVersion)).append(",\n");
    text.append("  \"saved\": ").append(jsonText(set.saved)).append(",\n");
    text.append("  \"heading\": ").append(jsonText(set.heading)).append(",\n");
    text.append("  \"duplex\": ").append(set.duplex ? "true" : "false").append(",\n");
    text.append("  \"mistakes\": ").append(set.mistakes ? "true" : "false").append(",\n");
    if (set.kinds) {
        text.append("  \"kinds\": true,\n");
    }
    text.append("  \"sheets\": [");
    for (std::size_t i = 0; i < set.sheets.size(); ++i) {
        const SetSheet& sheet = set.sheets[i];
        text.append(i == 0 ? "\n" : ",\n");
        text.append("    {\"number\": ").append(std::to_string(i + 1));
        text.append(", \"code\": ").append(jsonText(sheetCode(sheet.sheet)));
        text.append(", \"adapted\": ").append(sheet.adapted ? "true" : "false");
        if (!sheet.name.empty()) {
            text.append(", \"name\": ").append(jsonText(sheet.name));
        }
        if (sheet.row) {
            text.append(",\n     \"marks\": [");
            for (std::size_t k = 0; k < sheet.row->marks.size(); ++k) {
                text.append(k == 0 ? "" : ", ").append(jsonText(markWordOf(sheet.row->marks[k])));
            }
            text.append("]");
            if (!sheet.row->answers.empty()) {
                text.append(",\n     \"answers\": [");
                for (std::size_t k = 0; k < sheet.row->answers.size(); ++k) {
                    text.append(k == 0 ? "" : ", ").append(jsonText(sheet.row->answers[k]));
                }
                text.append("]");
            }
        }
        text.append("}");
    }
    text.append("\n  ]\n}\n");
    return text;
}

SetFileReading readSetFile(std::string_view bytes, std::string_view name) {
    const Refuser refuse(name);
    if (bytes.size() > setFileMax) {
        return refuse("je delší než " + std::to_string(setFileMax >> 20U) +
                      " MiB, takže to není sada listů.");
    }
    if (bytes.starts_with(byteOrderMark)) {
        bytes.remove_prefix(byteOrderMark.size());
    }
    if (trimmed(bytes).find_first_not_of("\r\n") == std::string_view::npos) {
        return refuse("je prázdný.");
    }
    // Control characters other than tab and line breaks stand in no text file: a program, a
    // picture, a compressed file.
    if (const auto* const control = std::find_if(bytes.begin(), bytes.end(),
                                                 [](char c) {
                                                     return static_cast<unsigned char>(c) < 0x20 &&
                                                            c != '\t' && c != '\n' && c != '\r';
                                                 });
        control != bytes.end()) {
        return refuse(
            "není textový soubor (řádek " +
            std::to_string(lineAt(bytes, static_cast<std::size_t>(control - bytes.begin()))) +
            "), takže to není sada listů.");
    }
    if (const Utf8Fault fault = utf8Fault(bytes); fault.at != std::string_view::npos) {
        if (fault.cutShort) {
            return refuse("je useknutý: končí na řádku " + std::to_string(lineAt(bytes, fault.at)) +
                          " uprostřed znaku.");
        }
        return refuse("není v kódování UTF-8 (řádek " + std::to_string(lineAt(bytes, fault.at)) +
                      "), nejspíš je uložený v kódování Windows-1250; ulož ho jako UTF-8.");
    }
    const Json root = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (root.is_discarded()) {
        ErrorPosition error;
        Json::sax_parse(bytes.begin(), bytes.end(), &error);
        // The reader counts the end of the text as one character more.
        if (error.position >= bytes.size() && !error.closed) {
            return refuse("je useknutý: končí na řádku " +
                          std::to_string(lineAt(bytes, bytes.size())) +
                          " dřív, než se uzavře poslední složenou závorkou.");
        }
        return refuse("má na řádku " +
                      std::to_string(lineAt(bytes, error.position > 0 ? error.position - 1 : 0)) +
                      " chybu zápisu, takže ho nelze přečíst.");
    }
    return readJson(root, refuse);
}

std::string savedText(long long secondsSince1970) {
    // Days since 1970 to the civil date (the proleptic Gregorian calendar).
    const long long days = secondsSince1970 / 86400 - (secondsSince1970 % 86400 < 0 ? 1 : 0);
    const long long seconds = secondsSince1970 - days * 86400;
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const auto two = [](long long n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(year) + "-" + two(month) + "-" + two(day) + "T" + two(seconds / 3600) +
           ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60) + "Z";
}

SheetRow rowOfAnswerFile(std::string_view bytes, FileMarks marked) {
    SheetRow row{std::move(marked.marks), {}};
    if (bytes.starts_with(byteOrderMark)) {
        bytes.remove_prefix(byteOrderMark.size());
    }
    while (!bytes.empty() && row.answers.size() < row.marks.size()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        row.answers.push_back(keptAnswer(line));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    while (!row.answers.empty() && row.answers.back().empty()) {
        row.answers.pop_back();
    }
    return row;
}

NameList readNameList(std::string_view text, int sheets) {
    if (text.starts_with(byteOrderMark)) {
        text.remove_prefix(byteOrderMark.size());
    }
    if (const Utf8Fault fault = utf8Fault(text); fault.at != std::string_view::npos) {
        return {{},
                "Seznam jmen není v kódování UTF-8 (řádek " +
                    std::to_string(lineAt(text, fault.at)) + "); ulož ho jako UTF-8."};
    }
    NameList list;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        list.names.emplace_back(trimmed(line));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    while (!list.names.empty() && list.names.back().empty()) {
        list.names.pop_back();
    }
    if (static_cast<int>(list.names.size()) > sheets) {
        return {{},
                "Jmen je víc (" + std::to_string(list.names.size()) + ") než listů v sadě (" +
                    std::to_string(sheets) + "); na každý řádek patří jméno k jednomu listu."};
    }
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        if (characterCount(list.names[i]) > pupilNameMax) {
            return {{},
                    "Jméno na řádku " + std::to_string(i + 1) + " je delší než " +
                        std::to_string(pupilNameMax) + " znaků."};
        }
    }
    return list;
}

SetFile setFileOf(const ClassSet& set) {
    SetFile file;
    file.heading = set.settings.heading;
    file.duplex = set.print.duplex;
    file.mistakes = set.print.mistakes;
    file.kinds = set.print.kinds;
    for (const ClassSetSheet& sheet : set.sheets) {
        file.sheets.push_back({sheet.sheet, sheet.adapted, {}, std::nullopt});
    }
    return file;
}

ClassSet classSetOf(const SetFile& set) {
    ClassSet made;
    made.settings.heading = set.heading;
    made.settings.sheets = static_cast<int>(set.sheets.size());
    made.print = {set.duplex, set.mistakes, set.kinds};
    int number = 0;
    for (const SetSheet& sheet : set.sheets) {
        made.sheets.push_back({sheet.sheet, ++number, sheet.adapted});
    }
    return made;
}

}  // namespace ciferon
