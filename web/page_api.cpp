#include "page_api.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "codes/choice.h"
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
    using json = nlohmann::ordered_json;
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
        out.letters += marked.mark == Mark::Right        ? 'r'
                       : marked.mark == Mark::Wrong      ? 'w'
                       : marked.mark == Mark::Unreadable ? 'n'
                                                         : 'u';
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
    using json = nlohmann::ordered_json;
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

}  // namespace ciferon::page
