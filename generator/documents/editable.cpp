#include "documents/editable.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/utf8.h"
#include "layout/metrics.h"
#include "layout/pages.h"
#include "texts/texts.h"

namespace ciferon::editable {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0U | (c >> 6U)));
        out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0U | (c >> 12U)));
        out.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    } else {
        out.push_back(static_cast<char>(0xF0U | (c >> 18U)));
        out.push_back(static_cast<char>(0x80U | ((c >> 12U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    }
}

constexpr double mm(double points) {
    return points / ptPerMm;
}

}  // namespace

std::string xmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<char32_t> c = nextCodePoint(text, at);
        if (!c) {
            appendUtf8(out, U'\uFFFD');
            continue;
        }
        switch (*c) {
            case U'<':
                out += "&lt;";
                break;
            case U'>':
                out += "&gt;";
                break;
            case U'&':
                out += "&amp;";
                break;
            case U'"':
                out += "&quot;";
                break;
            case U'\'':
                out += "&apos;";
                break;
            default:
                // C0 controls, DEL and C1 controls, and the two code points XML excludes.
                if (*c < 0x20 || (*c >= 0x7F && *c < 0xA0) || *c == 0xFFFE || *c == 0xFFFF) {
                    break;
                }
                appendUtf8(out, *c);
        }
    }
    return out;
}

bool isSans(Face face) {
    return face == Face::Sans || face == Face::SansBold;
}

bool isBold(Face face) {
    return face == Face::SerifBold || face == Face::SansBold;
}

StyleName styleName(Role role, Face face) {
    struct Names {
        std::string_view id;
        std::string_view display;
    };
    static constexpr std::array<Names, 9> names{{
        {"Heading1", "Heading 1"},
        {"Heading2", "Heading 2"},
        {"CiferonNote", "Poznámka ke klíči"},
        {"CiferonNameLine", "Jméno a datum"},
        {"CiferonSheetLine", "List a kód"},
        {"CiferonExercise", "Příklad"},
        {"CiferonLine", "Řádek řešení"},
        {"CiferonTitle", "Název listu v klíči"},
        {"CiferonResult", "Výsledek"},
    }};
    const Names& name = names.at(static_cast<std::size_t>(role));
    StyleName style{std::string(name.id), std::string(name.display)};
    // Word and LibreOffice take a name beginning "Heading 1" for their own heading's.
    if (isSans(face)) {
        style.id += "Adapted";
        style.display = role == Role::SheetHeading ? std::string("Nadpis upraveného listu")
                                                   : style.display + " – upravený list";
    }
    return style;
}

ColumnPlan columnPlan(const doc::Columns& columns) {
    if (columns.spacing == doc::Spacing::AdaptedSheet) {
        return {};
    }
    double widest = 0;
    for (const doc::Group& group : columns.groups) {
        widest = std::max(widest, mm(textWidth(group.title, boldOf(columns.face), columns.points)));
        for (const doc::Entry& entry : group.entries) {
            double width = mm(textWidth(entry.text, columns.face, columns.points));
            if (!entry.number.empty()) {
                width += numberIndentMm;
            }
            if (entry.place == doc::AnswerPlace::Room) {
                width += answerRoomMm;
            } else if (entry.place == doc::AnswerPlace::RoomAndRemainder) {
                width += 2 * answerRoomMm +
                         mm(textWidth(remainderLabel(), columns.face, columns.points));
            }
            widest = std::max(widest, width);
        }
    }
    const int fit = static_cast<int>((textWidthMm + columnGapMm) / (widest + columnGapMm));
    const int count = std::clamp(fit, 1, 4);
    return {count, (textWidthMm - (count - 1) * columnGapMm) / count};
}

int resultsPerRow(const doc::Table& table) {
    double widest = 0;
    std::size_t most = 1;
    for (const doc::TableRow& row : table.rows) {
        most = std::max(most, row.cells.size());
        for (const doc::Cell& cell : row.cells) {
            widest = std::max(widest, mm(textWidth(cell.number + ' ' + cell.result + cell.mistakes,
                                                   table.face, table.points)));
        }
    }
    // A cell's margins and a little air on either side.
    const int fit = static_cast<int>(textWidthMm / (widest + 4));
    return std::clamp(fit, 1, std::min(10, static_cast<int>(most)));
}

double lineFactor(doc::Spacing spacing) {
    switch (spacing) {
        case doc::Spacing::Sheet:
            return 1.6;
        case doc::Spacing::AdaptedSheet:
            return 1.75;
        case doc::Spacing::Solutions:
            return 1.1;
        case doc::Spacing::List:
            break;
    }
    return 1;
}

std::vector<std::vector<std::string>> textRows(const doc::Grid& grid) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> heading;
    for (const doc::GridColumn& column : grid.columns) {
        heading.push_back(column.title);
    }
    rows.push_back(std::move(heading));
    for (const std::vector<std::string>& row : grid.rows) {
        rows.push_back(row);
        rows.back().resize(std::max(row.size(), grid.columns.size()));
    }
    return rows;
}

std::vector<std::vector<std::string>> textRows(const doc::Bars& bars) {
    constexpr int blocksMax = 10;
    std::vector<std::vector<std::string>> rows;
    for (const doc::Bar& bar : bars.bars) {
        const long blocks =
            bar.whole > 0 ? std::lround(blocksMax * static_cast<double>(bar.part) / bar.whole) : 0;
        std::string drawn;
        for (long i = 0; i < blocks; ++i) {
            drawn += "\u2588";
        }
        rows.push_back({bar.label, drawn, bar.count});
    }
    return rows;
}

}  // namespace ciferon::editable
