#include "documents/odt.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "documents/documents.h"
#include "documents/editable.h"
#include "documents/zip.h"
#include "layout/pages.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

using editable::Role;

// A length to a hundredth of its unit, "12.50mm": written by hand rather than by printf, which
// would bring the whole of printf's formatting into the page.
std::string length(double value, std::string_view unit) {
    const long long hundredths = std::llround(std::abs(value) * 100);
    const long long fraction = hundredths % 100;
    std::string text = value < 0 && hundredths != 0 ? "-" : "";
    text.append(std::to_string(hundredths / 100))
        .append(fraction < 10 ? ".0" : ".")
        .append(std::to_string(fraction))
        .append(unit);
    return text;
}

std::string mm(double value) {
    return length(value, "mm");
}

std::string pt(double value) {
    return length(value, "pt");
}

std::string familyOf(Face face) {
    return editable::isSans(face) ? "Liberation Sans" : "Liberation Serif";
}

std::string textProperties(Face face, double points, bool bold) {
    const std::string weight = bold ? "bold" : "normal";
    return "<style:text-properties style:font-name=\"" + familyOf(face) + "\" fo:font-size=\"" +
           pt(points) + "\" fo:font-weight=\"" + weight + "\" style:font-weight-complex=\"" +
           weight + R"(" fo:language="cs" fo:country="CZ"/>)";
}

std::string span(std::string_view style, std::string_view inner) {
    return "<text:span text:style-name=\"" + std::string(style) + "\">" + std::string(inner) +
           "</text:span>";
}

std::string text(std::string_view value) {
    // Runs of blanks are kept as typed.
    std::string out;
    const std::string escaped = editable::xmlText(value);
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == ' ' && (i == 0 || escaped[i - 1] == ' ' || i + 1 == escaped.size())) {
            out += "<text:s/>";
        } else {
            out += escaped[i];
        }
    }
    return out;
}

const std::string tab = "<text:tab/>";
const std::string underlinedTab = span("CiferonAnswerLine", tab);
const std::string box = span("CiferonAnswerBox",
                             "\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0"
                             "\u00A0\u00A0");

struct Style {
    editable::StyleName name;
    Role role;
    Face face;
    double points;
    double lineFactor = 1;
};

std::string tabStop(std::string_view kind, double position) {
    return "<style:tab-stop style:position=\"" + mm(position) + "\" style:type=\"" +
           std::string(kind) + "\"/>";
}

std::string styleXml(const Style& style) {
    const double scale = style.points / 12;
    const double indent = editable::numberIndentMm * scale;
    std::string properties =
        "fo:line-height=\"" + std::to_string(std::lround(style.lineFactor * 100)) + "%\"";
    std::string tabs;
    std::string outline;
    const auto spaced = [&](double before, double after) {
        properties +=
            " fo:margin-top=\"" + pt(before) + "\" fo:margin-bottom=\"" + pt(after) + "\"";
    };
    switch (style.role) {
        case Role::SheetHeading:
        case Role::PartHeading:
            properties += " fo:keep-with-next=\"always\"";
            spaced(0, 6);
            outline = style.role == Role::SheetHeading ? " style:default-outline-level=\"1\""
                                                       : " style:default-outline-level=\"2\"";
            break;
        case Role::Note:
            properties += " fo:keep-with-next=\"always\"";
            spaced(0, 4);
            break;
        case Role::NameLine:
            properties += " fo:keep-with-next=\"always\"";
            tabs = tabStop("left", editable::textWidthMm * 0.68 - 6 * scale) +
                   tabStop("left", editable::textWidthMm * 0.68) +
                   tabStop("right", editable::textWidthMm);
            spaced(10 * scale, 8 * scale);
            break;
        case Role::SheetLine:
            properties +=
                " fo:keep-with-next=\"always\" fo:border-bottom=\"0.5pt solid #000000\" "
                "fo:padding-bottom=\"4pt\"";
            tabs = tabStop("right", editable::textWidthMm);
            spaced(0, 12 * scale);
            break;
        case Role::Exercise:
        case Role::Line:
            properties +=
                " fo:margin-left=\"" + mm(indent) + "\" fo:text-indent=\"" + mm(-indent) + "\"";
            break;
        case Role::Title:
            properties += " fo:keep-with-next=\"always\"";
            spaced(6, 2);
            break;
        case Role::Result:
            break;
    }
    std::string xml = "<style:style style:name=\"" + style.name.id + "\" style:display-name=\"" +
                      editable::xmlText(style.name.display) +
                      R"(" style:family="paragraph" style:parent-style-name="Standard")" + outline +
                      "><style:paragraph-properties " + properties;
    xml += tabs.empty() ? "/>"
                        : "><style:tab-stops>" + tabs + "</style:tab-stops>" +
                              "</style:paragraph-properties>";
    xml += textProperties(style.face, style.points,
                          editable::isBold(style.face) || style.role == Role::Title);
    xml += "</style:style>";
    return xml;
}

const std::string namespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
    " xmlns:loext=\"urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0\""
    " office:version=\"1.3\"";

const std::string fontFaces =
    "<office:font-face-decls>"
    "<style:font-face style:name=\"Liberation Serif\" svg:font-family=\"'Liberation Serif'\" "
    "style:font-family-generic=\"roman\" style:font-pitch=\"variable\"/>"
    "<style:font-face style:name=\"Liberation Sans\" svg:font-family=\"'Liberation Sans'\" "
    "style:font-family-generic=\"swiss\" style:font-pitch=\"variable\"/>"
    "</office:font-face-decls>";

class Body {
  public:
    void operator()(const doc::Break& /*block*/) {
        endColumns();
        breakPending_ = started_;
    }

    void operator()(const doc::Heading& block) {
        paragraph(Role::SheetHeading, block.face, block.points, 1, {}, text(block.text));
    }

    void operator()(const doc::NameLine& block) {
        paragraph(Role::NameLine, block.face, block.points, 1, {},
                  text(block.name) + underlinedTab + tab + text(block.date) + underlinedTab);
    }

    void operator()(const doc::SheetLine& block) {
        paragraph(Role::SheetLine, block.face, block.points, 1, {},
                  text(block.place) + tab + text(block.code));
    }

    void operator()(const doc::Columns& block) {
        const editable::ColumnPlan plan = editable::columnPlan(block);
        if (breakPending_ && plan.count > 1) {
            paragraph(Role::Line, block.face, block.points, 1, {}, {});
        }
        endColumns();
        if (plan.count > 1) {
            const std::string name = automatic(
                "<style:style style:name=\"@\" style:family=\"section\">"
                "<style:section-properties text:dont-balance-text-columns=\"false\">"
                "<style:columns fo:column-count=\"" +
                std::to_string(plan.count) + "\" fo:column-gap=\"" + mm(editable::columnGapMm) +
                "\"/></style:section-properties></style:style>");
            body_ += "<text:section text:style-name=\"" + name + "\" text:name=\"Sloupce" +
                     std::to_string(++sections_) + "\">";
            inSection_ = true;
        }
        const bool sheet =
            block.spacing == doc::Spacing::Sheet || block.spacing == doc::Spacing::AdaptedSheet;
        const double factor = editable::lineFactor(block.spacing);
        const double indent = editable::numberIndentMm * block.points / 12;
        for (const doc::Group& group : block.groups) {
            if (!group.title.empty()) {
                paragraph(Role::Title, block.face, block.points, 1, {}, text(group.title));
            }
            for (const doc::Entry& entry : group.entries) {
                const bool last = &entry == &group.entries.back();
                Direct direct;
                direct.keepNext = !last;
                if (last || entry.gapAfter) {
                    direct.after = block.points * (sheet ? 0.4 : 0.3);
                }
                // Tab stops count from the paragraph's indent.
                if (entry.place == doc::AnswerPlace::Room) {
                    direct.tabs = tabStop("right", plan.widthMm - indent);
                } else if (entry.place == doc::AnswerPlace::RoomAndRemainder) {
                    const double label =
                        textWidth(remainderLabel(), block.face, block.points) / ptPerMm;
                    direct.tabs = tabStop("right", plan.widthMm - indent - editable::answerRoomMm -
                                                       label - 2) +
                                  tabStop("right", plan.widthMm - indent);
                }
                std::string inner;
                if (!entry.number.empty()) {
                    inner += text(entry.number) + tab;
                }
                inner += text(entry.text) + answerPlace(entry.place);
                paragraph(sheet ? Role::Exercise : Role::Line, block.face, block.points, factor,
                          direct, inner);
            }
        }
    }

    void operator()(const doc::Section& block) {
        if (!block.title.text.empty()) {
            endColumns();
            paragraph(Role::PartHeading, block.title.face, block.title.points, 1, {},
                      text(block.title.text));
            for (const doc::Heading& note : block.notes) {
                paragraph(Role::Note, note.face, note.points, 1, {}, text(note.text));
            }
        }
        std::visit([this](const auto& body) { (*this)(body); }, block.body);
    }

    // One table a sheet, as in the DOCX: its title across the first row.
    void operator()(const doc::Table& table) {
        endColumns();
        const int perRow = editable::resultsPerRow(table);
        const Style& cellStyle = use(Role::Result, table.face, table.points, 1);
        const Style& titleStyle = use(Role::Title, table.face, table.points, 1);
        const std::string tableStyle = automatic(
            "<style:style style:name=\"@\" style:family=\"table\"><style:table-properties "
            "style:width=\"" +
            mm(editable::textWidthMm) +
            "\" table:align=\"left\" fo:margin-bottom=\"4pt\" style:may-break-between-rows="
            "\"false\"/></style:style>");
        const std::string column = automatic(
            "<style:style style:name=\"@\" style:family=\"table-column\">"
            "<style:table-column-properties style:column-width=\"" +
            mm(editable::textWidthMm / perRow) + "\"/></style:style>");
        const std::string cell = automatic(
            "<style:style style:name=\"@\" "
            "style:family=\"table-cell\"><style:table-cell-properties "
            "fo:border=\"0.5pt solid #000000\" fo:padding=\"0.5mm\"/></style:style>");
        const std::string keep = keptStyle(cellStyle);
        for (const doc::TableRow& row : table.rows) {
            body_ += "<table:table table:name=\"Vysledky" + std::to_string(++tables_) +
                     "\" table:style-name=\"" + tableStyle;
            body_ += "\"><table:table-column table:style-name=\"" + column +
                     "\" table:number-columns-repeated=\"" + std::to_string(perRow) + "\"/>";
            body_ += "<table:table-row><table:table-cell table:style-name=\"" + cell +
                     "\" table:number-columns-spanned=\"" + std::to_string(perRow) +
                     R"(" office:value-type="string"><text:p text:style-name=")" +
                     keptStyle(titleStyle) + "\">" + text(row.title) + "</text:p>";
            if (!row.note.empty()) {
                body_ += "<text:p text:style-name=\"" + keep + "\">" + text(row.note) + "</text:p>";
            }
            body_ += "</table:table-cell>";
            for (int i = 1; i < perRow; ++i) {
                body_ += "<table:covered-table-cell/>";
            }
            body_ += "</table:table-row>";
            const std::size_t rows = (row.cells.size() + perRow - 1) / perRow;
            for (std::size_t r = 0; r < rows; ++r) {
                body_ += "<table:table-row>";
                for (std::size_t c = 0; c < static_cast<std::size_t>(perRow); ++c) {
                    const std::size_t at = r * perRow + c;
                    std::string inner;
                    if (at < row.cells.size()) {
                        const doc::Cell& result = row.cells[at];
                        inner = text(result.number + ' ' + result.result + result.mistakes);
                    }
                    body_ += "<table:table-cell table:style-name=\"" + cell +
                             R"(" office:value-type="string"><text:p text:style-name=")";
                    body_ += (r + 1 < rows ? keep : cellStyle.name.id) + "\">" + inner +
                             "</text:p></table:table-cell>";
                }
                body_ += "</table:table-row>";
            }
            body_ += "</table:table>";
        }
    }

    // The class's overview: its grids with their heading row repeated on every page, and its
    // bar chart, as plain tables.
    void operator()(const doc::Grid& grid) {
        plainTable(editable::textRows(grid), grid.face, grid.points, true);
    }

    void operator()(const doc::Bars& bars) {
        plainTable(editable::textRows(bars), bars.face, bars.points, false);
    }

    void plainTable(const std::vector<std::vector<std::string>>& rows, Face face, double points,
                    bool heading) {
        endColumns();
        if (rows.empty()) {
            return;
        }
        const Style& cellStyle = use(Role::Result, face, points, 1);
        const Style& titleStyle = use(Role::Title, face, points, 1);
        const std::string tableStyle = automatic(
            "<style:style style:name=\"@\" style:family=\"table\"><style:table-properties "
            "style:width=\"" +
            mm(editable::textWidthMm) +
            R"(" table:align="left" fo:margin-bottom="4pt"/></style:style>)");
        const std::string cell = automatic(
            "<style:style style:name=\"@\" "
            "style:family=\"table-cell\"><style:table-cell-properties "
            "fo:border=\"0.5pt solid #000000\" fo:padding=\"0.5mm\"/></style:style>");
        body_ += "<table:table table:name=\"Prehled" + std::to_string(++tables_) +
                 "\" table:style-name=\"" + tableStyle +
                 "\"><table:table-column "
                 "table:number-columns-repeated=\"" +
                 std::to_string(rows[0].size()) + "\"/>";
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const bool head = heading && r == 0;
            body_ += head ? "<table:table-header-rows><table:table-row>" : "<table:table-row>";
            for (const std::string& value : rows[r]) {
                body_ += "<table:table-cell table:style-name=\"" + cell +
                         R"(" office:value-type="string"><text:p text:style-name=")" +
                         (head ? titleStyle : cellStyle).name.id + "\">" + text(value) +
                         "</text:p></table:table-cell>";
            }
            body_ += head ? "</table:table-row></table:table-header-rows>" : "</table:table-row>";
        }
        body_ += "</table:table>";
    }

    [[nodiscard]] std::string content() {
        endColumns();
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content" + namespaces +
               ">" + fontFaces + "<office:automatic-styles>" + automatic_ +
               "</office:automatic-styles><office:body><office:text>" + body_ +
               "</office:text></office:body></office:document-content>";
    }

    [[nodiscard]] std::string styles() const {
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-styles" +
                          namespaces + ">" + fontFaces +
                          "<office:styles><style:default-style style:family=\"paragraph\">" +
                          textProperties(Face::Serif, 12, false) +
                          "</style:default-style><style:style style:name=\"Standard\" "
                          "style:family=\"paragraph\" style:class=\"text\">" +
                          textProperties(Face::Serif, 12, false) +
                          "</style:style><style:style style:name=\"CiferonAnswerLine\" "
                          "style:display-name=\"Místo na odpověď\" style:family=\"text\">"
                          "<style:text-properties style:text-underline-style=\"solid\" "
                          "style:text-underline-width=\"auto\" "
                          "style:text-underline-color=\"font-color\"/></style:style>"
                          "<style:style style:name=\"CiferonAnswerBox\" "
                          "style:display-name=\"Rámeček na odpověď\" style:family=\"text\">"
                          "<style:text-properties loext:border=\"0.75pt solid #000000\" "
                          "loext:padding=\"0.5mm\"/></style:style>";
        for (const Style& style : styles_) {
            xml += styleXml(style);
        }
        const std::string margin = mm(editable::marginMm);
        xml +=
            "</office:styles><office:automatic-styles><style:page-layout style:name=\"A4\">"
            "<style:page-layout-properties fo:page-width=\"" +
            mm(editable::pageWidthMm) + "\" fo:page-height=\"" + mm(editable::pageHeightMm) +
            R"(" style:print-orientation="portrait" fo:margin-top=")" + margin +
            "\" fo:margin-bottom=\"" + margin + "\" fo:margin-left=\"" + margin +
            "\" fo:margin-right=\"" + margin +
            "\"/></style:page-layout></office:automatic-styles><office:master-styles>"
            "<style:master-page style:name=\"Standard\" style:page-layout-name=\"A4\"/>"
            "</office:master-styles></office:document-styles>";
        return xml;
    }

  private:
    // What a paragraph has beyond its style: kept with the next, room below, tab stops.
    struct Direct {
        bool keepNext = false;
        double after = 0;
        std::string tabs;
    };

    const Style& use(Role role, Face face, double points, double lineFactor) {
        editable::StyleName name = editable::styleName(role, face);
        // LibreOffice's own headings, "Heading 1" and "Heading 2", by their names in the file.
        if (name.id == "Heading1" || name.id == "Heading2") {
            name.id = "Heading_20_" + name.id.substr(7);
        }
        const auto found = std::find_if(styles_.begin(), styles_.end(), [&](const Style& style) {
            return style.name.id == name.id;
        });
        if (found != styles_.end()) {
            return *found;
        }
        styles_.push_back({name, role, face, points, lineFactor});
        return styles_.back();
    }

    // An automatic style, once for the same definition; "@" in it stands for its name.
    std::string automatic(const std::string& definition) {
        const auto found = std::find(definitions_.begin(), definitions_.end(), definition);
        if (found != definitions_.end()) {
            return "A" + std::to_string(found - definitions_.begin() + 1);
        }
        definitions_.push_back(definition);
        std::string name = "A" + std::to_string(definitions_.size());
        std::string named = definition;
        named.replace(named.find('@'), 1, name);
        automatic_ += named;
        return name;
    }

    std::string keptStyle(const Style& style) {
        return automatic(
            "<style:style style:name=\"@\" style:family=\"paragraph\" "
            "style:parent-style-name=\"" +
            style.name.id +
            "\"><style:paragraph-properties fo:keep-with-next=\"always\"/>"
            "</style:style>");
    }

    void paragraph(Role role, Face face, double points, double lineFactor, const Direct& direct,
                   const std::string& inner) {
        const Style& style = use(role, face, points, lineFactor);
        std::string name = style.name.id;
        std::string properties;
        if (breakPending_) {
            properties += " fo:break-before=\"page\"";
            breakPending_ = false;
        }
        if (direct.keepNext) {
            properties += " fo:keep-with-next=\"always\"";
        }
        if (direct.after > 0) {
            properties += " fo:margin-bottom=\"" + pt(direct.after) + "\"";
        }
        const bool larger = std::abs(points - style.points) > 0.01;
        if (!properties.empty() || !direct.tabs.empty() || larger) {
            std::string definition =
                "<style:style style:name=\"@\" style:family=\"paragraph\" "
                "style:parent-style-name=\"" +
                name + "\"><style:paragraph-properties" + properties;
            definition += direct.tabs.empty()
                              ? "/>"
                              : "><style:tab-stops>" + direct.tabs +
                                    "</style:tab-stops></style:paragraph-properties>";
            if (larger) {
                definition += "<style:text-properties fo:font-size=\"" + pt(points) + "\"/>";
            }
            name = automatic(definition + "</style:style>");
        }
        const bool heading = role == Role::SheetHeading || role == Role::PartHeading;
        if (heading) {
            body_ += "<text:h text:style-name=\"" + name + "\" text:outline-level=\"" +
                     (role == Role::SheetHeading ? "1" : "2") + "\">" + inner + "</text:h>";
        } else {
            body_ += "<text:p text:style-name=\"" + name + "\">" + inner + "</text:p>";
        }
        started_ = true;
    }

    static std::string answerPlace(doc::AnswerPlace place) {
        const std::string remainder = "<text:s/>" + text(remainderLabel()) + "<text:s/>";
        switch (place) {
            case doc::AnswerPlace::Room:
                return underlinedTab;
            case doc::AnswerPlace::RoomAndRemainder:
                return underlinedTab + remainder + underlinedTab;
            case doc::AnswerPlace::Box:
                return "<text:s/>" + box;
            case doc::AnswerPlace::BoxAndRemainder:
                return "<text:s/>" + box + remainder + box;
            case doc::AnswerPlace::None:
                break;
        }
        return {};
    }

    void endColumns() {
        if (inSection_) {
            body_ += "</text:section>";
            inSection_ = false;
        }
    }

    std::string body_;
    std::string automatic_;
    std::vector<std::string> definitions_;
    std::deque<Style> styles_;
    int sections_ = 0;
    int tables_ = 0;
    bool inSection_ = false;
    bool started_ = false;
    bool breakPending_ = false;
};

}  // namespace

std::string odtDocument(const Document& document) {
    Body body;
    for (const doc::Block& block : document.blocks) {
        std::visit(body, block);
    }
    const std::string mediaType(documentMediaType(DocumentFormat::Odt));
    return storedZip({
        {"mimetype", mediaType},
        {"content.xml", body.content()},
        {"styles.xml", body.styles()},
        {"META-INF/manifest.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<manifest:manifest "
         "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
         "manifest:version=\"1.3\"><manifest:file-entry manifest:full-path=\"/\" "
         "manifest:version=\"1.3\" manifest:media-type=\"" +
             mediaType +
             "\"/><manifest:file-entry manifest:full-path=\"content.xml\" "
             "manifest:media-type=\"text/xml\"/><manifest:file-entry "
             "manifest:full-path=\"styles.xml\" manifest:media-type=\"text/xml\"/>"
             "</manifest:manifest>"},
    });
}

}  // namespace ciferon
