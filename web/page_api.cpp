#include "page_api.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "classset/set_entry.h"
#include "codes/choice.h"
#include "codes/sheet.h"
#include "layout/overview_document.h"
#include "projection/projection.h"
#include "texts/texts.h"

namespace ciferon::page {

namespace {

// A length in pt to a thousandth, which is all a printed page can show.
double thousandths(double points) {
    return std::round(points * 1000) / 1000;
}

// A hexadecimal digit's value, or -1.
int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A part of a query as a browser decodes it: "+" a blank, "%XX" a byte; nothing for a broken
// escape.
std::optional<std::string> decoded(std::string_view part) {
    std::string text;
    for (std::size_t at = 0; at < part.size(); ++at) {
        if (part[at] == '+') {
            text += ' ';
        } else if (part[at] != '%') {
            text += part[at];
        } else {
            const int high = at + 2 < part.size() ? hexValue(part[at + 1]) : -1;
            const int low = at + 2 < part.size() ? hexValue(part[at + 2]) : -1;
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            text += static_cast<char>(high * 16 + low);
            at += 2;
        }
    }
    return text;
}

// A mark as one letter for the page: u not answered, r right, w wrong, n not readable.
char markLetter(Mark mark) {
    switch (mark) {
        case Mark::Right:
            return 'r';
        case Mark::Wrong:
            return 'w';
        case Mark::Unreadable:
            return 'n';
        case Mark::Unanswered:
            break;
    }
    return 'u';
}

AddressRefusal addressRefusal(std::string_view part) {
    return {
        "Adresa pro tisk smí za „#“ obsahovat jen print=KÓDY, heading=NADPIS, "
        "adapted=LISTY, duplex=0 nebo 1 a mistakes=0 nebo 1, každé nejvýše jednou, ne „" +
        std::string(part) + "“."};
}

}  // namespace

KindChoice chosenKinds(std::string_view list) {
    return readKindList(list).value_or(0);
}

ClassSetSettings dialogSettings(int sheets, int count, int separator, std::string_view kinds,
                                std::string_view heading, std::string_view adapted,
                                int adaptedCount) {
    return {sheets,
            count,
            separator,
            chosenKinds(kinds),
            std::string(heading),
            std::string(adapted),
            adaptedCount};
}

std::string layoutJson(const Layout& layout) {
    // The core's own kind of JSON object, as the set file's: one more kind, kept in order,
    // would cost the page its code a second time; the page reads the objects by their names.
    using json = nlohmann::json;
    json faces = json::array();
    for (const Face face : {Face::Serif, Face::SerifBold, Face::Sans, Face::SansBold}) {
        faces.push_back({{"sans", face == Face::Sans || face == Face::SansBold},
                         {"bold", face == Face::SerifBold || face == Face::SansBold},
                         {"ascent", thousandths(ascentOf(face, 1))},
                         {"height", thousandths(ascentOf(face, 1) + descentOf(face, 1))}});
    }
    json pages = json::array();
    for (const Page& page : layout.pages) {
        json texts = json::array();
        for (const TextRun& text : page.texts) {
            texts.push_back({text.text, static_cast<int>(text.face), thousandths(text.points),
                             thousandths(text.x), thousandths(text.y)});
        }
        json rules = json::array();
        for (const Rule& rule : page.rules) {
            rules.push_back({thousandths(rule.x1), thousandths(rule.y1), thousandths(rule.x2),
                             thousandths(rule.y2)});
        }
        json drawn = {{"texts", std::move(texts)}, {"rules", std::move(rules)}};
        // Fills only where a page has them, so that a page without stays as it was.
        if (!page.fills.empty()) {
            json fills = json::array();
            for (const Fill& fill : page.fills) {
                fills.push_back({thousandths(fill.x), thousandths(fill.y), thousandths(fill.width),
                                 thousandths(fill.height)});
            }
            drawn["fills"] = std::move(fills);
        }
        pages.push_back(std::move(drawn));
    }
    const json out = {{"faces", std::move(faces)},
                      {"rule", thousandths(ruleWidth)},
                      {"width", thousandths(pageWidth)},
                      {"height", thousandths(pageHeight)},
                      {"pages", std::move(pages)}};
    // A text that is not UTF-8 is drawn with replacement characters, never aborts.
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::variant<std::monostate, ClassSet, AddressRefusal> readPrintAddress(std::string_view fragment) {
    struct Part {
        std::string_view raw;
        std::optional<std::string> name;
        std::optional<std::string> value;  // none without "=" or for a broken escape
    };
    std::vector<Part> parts;
    for (std::string_view rest = fragment;;) {
        const std::size_t end = rest.find('&');
        const std::string_view raw = rest.substr(0, end);
        const std::size_t equals = raw.find('=');
        parts.push_back(
            {raw, decoded(raw.substr(0, equals)),
             equals == std::string_view::npos ? std::nullopt : decoded(raw.substr(equals + 1))});
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    // An address that asks for no printing is not the print address's to refuse.
    if (std::none_of(parts.begin(), parts.end(),
                     [](const Part& part) { return part.name == "print" && part.value; })) {
        return std::monostate{};
    }
    std::string codes;
    std::string heading;
    std::string adapted;
    PrintOptions print;
    std::set<std::string, std::less<>> given;
    for (const Part& part : parts) {
        if (!part.name || !part.value || !given.insert(*part.name).second) {
            return addressRefusal(part.raw);
        }
        const std::string& name = *part.name;
        const std::string& value = *part.value;
        if (name == "print") {
            codes = value;
        } else if (name == "heading") {
            heading = value;
        } else if (name == "adapted") {
            adapted = value;
        } else if ((name == "duplex" || name == "mistakes") && (value == "0" || value == "1")) {
            (name == "duplex" ? print.duplex : print.mistakes) = value == "1";
        } else {
            return addressRefusal(part.raw);
        }
    }
    auto read = readClassSet(codes, heading, adapted, print);
    if (auto* problem = std::get_if<ClassSetProblem>(&read)) {
        return AddressRefusal{std::move(problem->text)};
    }
    return std::get<ClassSet>(std::move(read));
}

MarksText marksText(const CheckSession& session) {
    MarksText out;
    for (std::size_t i = 0; i < session.size(); ++i) {
        if (i > 0) {
            out.texts += '\n';
        }
        const MarkedAnswer marked = session.mark(i);
        out.letters += markLetter(marked.mark);
        out.texts += markText(marked);
        out.offers += session.offersSolution(i) ? '1' : '0';
    }
    out.summary = session.summary();
    return out;
}

void evaluateAnswerLines(CheckSession& session, std::string_view lines) {
    const auto nextLine = [&lines] {
        const std::size_t end = lines.find('\n');
        const std::string_view line = lines.substr(0, end);
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
        return line;
    };
    for (std::size_t i = 0; i < session.size(); ++i) {
        const std::string_view answer = nextLine();
        session.evaluate(i, answer, nextLine());
    }
}

ResultCodeMarks resultCodeMarks(const Sheet& sheet, std::string_view typed) {
    ResultCodeReading read = readResultCode(sheet, typed);
    if (read.fault != ResultCodeFault::None) {
        return {{}, resultCodeRefusal(read.fault, typed)};
    }
    return {std::move(read.marks), {}};
}

std::string resultCellLines(const std::vector<SheetItem>& items) {
    std::string cells;
    for (const ResultCell& cell : resultCells(items)) {
        cells.append(cells.empty() ? "" : "\n").append(cell.label).append("\t").append(cell.text);
    }
    return cells;
}

FollowUpFile followUpFile(std::string_view setFile, std::string_view name, FollowUpMode mode,
                          RandomSource& random, std::string_view saved) {
    const SetFileReading read = readSetFile(setFile, name);
    if (!read.set) {
        return {{}, read.refusal};
    }
    const FollowUpPlan plan = followUpPlan(*read.set, mode);
    if (!plan.refusal.empty()) {
        return {{}, plan.refusal};
    }
    SetFile made = followUpSet(*read.set, plan, random);
    made.saved = saved;
    return {writeSetFile(made), {}};
}

}  // namespace ciferon::page

namespace ciferon::page {

std::string overviewLayoutJson(std::string_view setText, std::string_view fileName,
                               std::string_view scale) {
    using json = nlohmann::json;
    const auto refused = [](std::string_view sentence) {
        return json{{"refusal", sentence}}.dump(-1, ' ', false, json::error_handler_t::replace);
    };
    const SetFileReading reading = readSetFile(setText, fileName);
    if (!reading.set) {
        return refused(reading.refusal);
    }
    const auto marks = scale.empty() ? std::optional(MarkScale{}) : readMarkScale(scale);
    if (!marks) {
        return refused(scaleRefusal(scale));
    }
    return layoutJson(overviewLayout(*reading.set, overviewOf(*reading.set, *marks)));
}

namespace {

using Json = nlohmann::json;

// A text that is not UTF-8 is shown with replacement characters, never aborts.
std::string dumped(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json rowOf(const OpenSet& open, std::size_t index) {
    const SetSheet& sheet = open.set.sheets.at(index);
    const std::vector<SheetItem>& items = open.items.at(index);
    Json cells = Json::array();
    for (std::size_t at = 0; at < items.size(); ++at) {
        const bool handedIn = sheet.row.has_value();
        const Mark mark = handedIn ? sheet.row->marks.at(at).mark : Mark::Unanswered;
        cells.push_back({resultText(items[at].result), std::string(cellOf(sheet, at)),
                         handedIn ? std::string(markSign(mark)) : std::string(),
                         handedIn ? std::string(1, markLetter(mark)) : std::string(),
                         cellNote(sheet, items[at], at)});
    }
    return {{"number", index + 1},
            {"name", sheet.name},
            {"code", sheetCode(sheet.sheet)},
            {"adapted", sheet.adapted},
            {"handedIn", sheet.row.has_value()},
            {"cells", std::move(cells)}};
}

// A sheet as the overview names it: "3", or "3 (Jana)" where it has a name.
std::string sheetWho(const PupilResult& pupil) {
    std::string who = std::to_string(pupil.number);
    if (!pupil.name.empty()) {
        who.append(" (").append(pupil.name).append(")");
    }
    return who;
}

}  // namespace

OpenSet::OpenSet(SetFile file) : set(std::move(file)) {
    for (const SetSheet& sheet : set.sheets) {
        items.push_back(sheetItems(sheet.sheet));
    }
}

std::string gridJson(const OpenSet& open) {
    Json sheets = Json::array();
    for (std::size_t i = 0; i < open.set.sheets.size(); ++i) {
        sheets.push_back(rowOf(open, i));
    }
    return dumped(
        {{"heading", open.set.heading}, {"saved", open.set.saved}, {"sheets", std::move(sheets)}});
}

std::string rowJson(const OpenSet& open, std::size_t sheet) {
    return dumped(rowOf(open, sheet));
}

bool typeCell(OpenSet& open, std::size_t sheet, std::size_t exercise, std::string_view typed,
              bool newStep) {
    if (sheet >= open.set.sheets.size() || exercise >= open.items.at(sheet).size()) {
        return false;
    }
    const std::string text = cellText(typed);
    if (text.size() > keptAnswerMax) {
        return false;
    }
    SetSheet& row = open.set.sheets[sheet];
    if (newStep) {
        open.undo.push_back({sheet, row.row});
    }
    enterCell(row, open.items[sheet], exercise, text);
    return true;
}

bool handInSheet(OpenSet& open, std::size_t sheet) {
    if (sheet >= open.set.sheets.size() || open.set.sheets[sheet].row) {
        return false;
    }
    open.undo.push_back({sheet, std::nullopt});
    handIn(open.set.sheets[sheet]);
    return true;
}

bool clearSheet(OpenSet& open, std::size_t sheet) {
    if (sheet >= open.set.sheets.size() || !open.set.sheets[sheet].row) {
        return false;
    }
    open.undo.push_back({sheet, open.set.sheets[sheet].row});
    open.set.sheets[sheet].row.reset();
    return true;
}

std::string enterRowResultCode(OpenSet& open, std::size_t sheet, std::string_view typed) {
    SetSheet& target = open.set.sheets.at(sheet);
    std::optional<SheetRow> before = target.row;
    if (const ResultCodeFault fault = enterResultCode(target, typed);
        fault != ResultCodeFault::None) {
        return resultCodeRefusal(fault, typed);
    }
    open.undo.push_back({sheet, std::move(before)});
    return {};
}

std::optional<std::size_t> undoChange(OpenSet& open) {
    if (open.undo.empty()) {
        return std::nullopt;
    }
    OpenSet::Change change = std::move(open.undo.back());
    open.undo.pop_back();
    open.set.sheets.at(change.sheet).row = std::move(change.before);
    return change.sheet;
}

std::string setNames(OpenSet& open, std::string_view list) {
    NameList read = readNameList(list, static_cast<int>(open.set.sheets.size()));
    if (!read.refusal.empty()) {
        return read.refusal;
    }
    read.names.resize(open.set.sheets.size());
    for (std::size_t i = 0; i < read.names.size(); ++i) {
        open.set.sheets[i].name = std::move(read.names[i]);
    }
    return {};
}

std::string storedText(const SetFile& set, bool names) {
    if (names) {
        return writeSetFile(set);
    }
    SetFile nameless = set;
    for (SetSheet& sheet : nameless.sheets) {
        sheet.name.clear();
    }
    return writeSetFile(nameless);
}

std::string downloadText(SetFile& set, long long secondsSince1970) {
    set.saved = savedText(secondsSince1970);
    return writeSetFile(set);
}

std::string overviewJson(const SetFile& set, const MarkScale& scale) {
    const Overview overview = overviewOf(set, scale);
    Json pupils = Json::array();
    Json missing = Json::array();
    for (const PupilResult& pupil : overview.pupils) {
        pupils.push_back({{"number", pupil.number},
                          {"name", pupil.name},
                          {"code", pupil.code},
                          {"handedIn", pupil.handedIn},
                          {"right", pupil.right},
                          {"total", pupil.total},
                          {"percent", pupil.percent},
                          {"mark", pupil.mark}});
        if (!pupil.handedIn) {
            missing.push_back(sheetWho(pupil));
        }
    }
    Json kinds = Json::array();
    for (const KindResult& kind : overview.kinds) {
        kinds.push_back({{"number", kind.kind + 1},
                         {"name", kindName(kind.kind)},
                         {"right", kind.right},
                         {"total", kind.total}});
    }
    Json mistakes = Json::array();
    for (const MistakeResult& mistake : overview.mistakes) {
        Json sheets = Json::array();
        for (const int number : mistake.sheets) {
            sheets.push_back(sheetWho(overview.pupils.at(static_cast<std::size_t>(number) - 1)));
        }
        mistakes.push_back({{"text", mistakeText(mistake.mistake)},
                            {"count", mistake.count},
                            {"sheets", std::move(sheets)}});
    }
    Json hardest = Json::array();
    for (const ExerciseResult& exercise : overview.hardest) {
        hardest.push_back({{"exercise", exercise.exercise},
                           {"notRight", exercise.notRight},
                           {"handedIn", exercise.handedIn}});
    }
    return dumped({{"handedIn", overview.handedIn},
                   {"sheets", overview.pupils.size()},
                   {"unreadable", overview.unreadable},
                   {"pupils", std::move(pupils)},
                   {"kinds", std::move(kinds)},
                   {"mistakes", std::move(mistakes)},
                   {"hardest", std::move(hardest)},
                   {"missing", std::move(missing)}});
}

std::string followUpJson(const SetFile& set, FollowUpMode mode) {
    const FollowUpPlan plan = followUpPlan(set, mode);
    if (!plan.refusal.empty()) {
        return dumped({{"refusal", plan.refusal}});
    }
    Json sheets = Json::array();
    for (const FollowUpSheet& sheet : plan.sheets) {
        Json names = Json::array();
        for (int kind = 0; kind < kindCount; ++kind) {
            if ((sheet.kinds & (1U << static_cast<unsigned>(kind))) != 0) {
                names.push_back(std::to_string(kind + 1).append(" – ").append(kindName(kind)));
            }
        }
        sheets.push_back({{"number", sheet.number},
                          {"name", sheet.name},
                          {"kinds", kindListText(sheet.kinds)},
                          {"kindNames", std::move(names)},
                          {"reason", followUpReasonText(sheet.reason)}});
    }
    return dumped({{"intro", followUpIntro()},
                   {"wholeClass", wholeClassWeakestLabel()},
                   {"legend", practisedLegend(plan.setKinds)},
                   {"sheets", std::move(sheets)}});
}

}  // namespace ciferon::page
