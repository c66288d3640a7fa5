#include "documents/docx.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <string_view>
#include <utility>
#include <variant>

#include "documents/editable.h"
#include "documents/zip.h"
#include "layout/pages.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

using editable::Role;

// Lengths in WordprocessingML's units: twentieths of a point, half points for type.
std::string twips(double mm) {
    return std::to_string(std::lround(mm * 72 / 25.4 * 20));
}

std::string halfPoints(double points) {
    return std::to_string(std::lround(points * 2));
}

std::string fontOf(Face face) {
    return editable::isSans(face) ? "Arial" : "Times New Roman";
}

// A run's properties: the face and size only where they differ from its paragraph style's.
std::string runProperties(Face face, double points, bool bold, std::string_view more = {}) {
    std::string properties = "<w:rPr>";
    const std::string font = fontOf(face);
    properties += "<w:rFonts w:ascii=\"" + font + "\" w:hAnsi=\"" + font + "\" w:cs=\"" + font +
                  "\" w:eastAsia=\"" + font + "\"/>";
    if (bold) {
        properties += "<w:b/><w:bCs/>";
    }
    properties += "<w:sz w:val=\"" + halfPoints(points) + "\"/><w:szCs w:val=\"" +
                  halfPoints(points) + "\"/>";
    properties.append(more);
    properties += "</w:rPr>";
    return properties;
}

std::string textRun(std::string_view text, std::string_view properties = {}) {
    std::string run = "<w:r>";
    run.append(properties);
    run += "<w:t xml:space=\"preserve\">" + editable::xmlText(text) + "</w:t></w:r>";
    return run;
}

const std::string underlinedTab = "<w:r><w:rPr><w:u w:val=\"single\"/></w:rPr><w:tab/></w:r>";
const std::string plainTab = "<w:r><w:tab/></w:r>";

// A ruled box to answer in: non-breaking blanks with a border round them.
std::string boxRun() {
    std::string blanks;
    for (int i = 0; i < 10; ++i) {
        blanks += "\u00A0";
    }
    return "<w:r><w:rPr><w:bdr w:val=\"single\" w:sz=\"8\" w:space=\"0\" w:color=\"000000\"/>"
           "</w:rPr><w:t xml:space=\"preserve\">" +
           blanks + "</w:t></w:r>";
}

// A paragraph style used in the document, with what sets it apart.
struct Style {
    editable::StyleName name;
    Role role;
    Face face;
    double points;
    double lineFactor = 1;
};

std::string tabStop(std::string_view kind, double mm) {
    return "<w:tab w:val=\"" + std::string(kind) + "\" w:pos=\"" + twips(mm) + "\"/>";
}

// The style's paragraph properties, in the order WordprocessingML lists them.
std::string paragraphProperties(const Style& style) {
    const double scale = style.points / 12;
    const double indent = editable::numberIndentMm * scale;
    std::string keep;
    std::string border;
    std::string tabs;
    std::string spacing = R"(<w:spacing w:before="0" w:after="0")";
    std::string indentation;
    std::string outline;
    const auto spaced = [&](double beforePt, double afterPt) {
        spacing = "<w:spacing w:before=\"" + std::to_string(std::lround(beforePt * 20)) +
                  "\" w:after=\"" + std::to_string(std::lround(afterPt * 20)) + "\"";
    };
    switch (style.role) {
        case Role::SheetHeading:
        case Role::PartHeading:
            keep = "<w:keepNext/><w:keepLines/>";
            spaced(0, 6);
            outline = style.role == Role::SheetHeading ? "<w:outlineLvl w:val=\"0\"/>"
                                                       : "<w:outlineLvl w:val=\"1\"/>";
            break;
        case Role::Note:
            keep = "<w:keepNext/>";
            spaced(0, 4);
            break;
        case Role::NameLine:
            keep = "<w:keepNext/>";
            tabs = tabStop("left", editable::textWidthMm * 0.68 - 6 * scale) +
                   tabStop("left", editable::textWidthMm * 0.68) +
                   tabStop("right", editable::textWidthMm);
            spaced(10 * scale, 8 * scale);
            break;
        case Role::SheetLine:
            keep = "<w:keepNext/>";
            border =
                "<w:pBdr><w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"4\" "
                "w:color=\"000000\"/></w:pBdr>";
            tabs = tabStop("right", editable::textWidthMm);
            spaced(0, 12 * scale);
            break;
        case Role::Exercise:
        case Role::Line:
            indentation =
                "<w:ind w:left=\"" + twips(indent) + "\" w:hanging=\"" + twips(indent) + "\"/>";
            tabs = tabStop("left", indent);
            break;
        case Role::Title:
            keep = "<w:keepNext/>";
            spaced(6, 2);
            break;
        case Role::Result:
            break;
    }
    spacing += " w:line=\"" + std::to_string(std::lround(240 * style.lineFactor)) +
               R"(" w:lineRule="auto"/>)";
    std::string properties = "<w:pPr>" + keep + border;
    if (!tabs.empty()) {
        properties += "<w:tabs>" + tabs + "</w:tabs>";
    }
    properties += spacing + indentation + outline + "</w:pPr>";
    return properties;
}

// Word knows its own headings by their names in small letters, and shows them in its language.
std::string builtInName(const editable::StyleName& name) {
    if (name.id == "Heading1" || name.id == "Heading2") {
        std::string lower = name.display;
        lower[0] = 'h';
        return lower;
    }
    return name.display;
}

std::string styleXml(const Style& style) {
    const bool heading = style.role == Role::SheetHeading || style.role == Role::PartHeading;
    const bool bold = editable::isBold(style.face) || style.role == Role::Title;
    std::string xml = R"(<w:style w:type="paragraph" w:styleId=")" + style.name.id +
                      "\"><w:name w:val=\"" + editable::xmlText(builtInName(style.name)) +
                      R"("/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/>)";
    if (heading) {
        xml += "<w:qFormat/>";
    }
    xml += paragraphProperties(style);
    xml += runProperties(style.face, style.points, bold);
    xml += "</w:style>";
    return xml;
}

// The body as the blocks are visited, and the styles that it uses.
class Body {
  public:
    void operator()(const doc::Break& /*block*/) {
        columns(1);
        breakPending_ = started_;
    }

    void operator()(const doc::Heading& block) {
        paragraph(Role::SheetHeading, block.face, block.points, 1, {}, textRun(block.text));
    }

    void operator()(const doc::NameLine& block) {
        paragraph(
            Role::NameLine, block.face, block.points, 1, {},
            textRun(block.name) + underlinedTab + plainTab + textRun(block.date) + underlinedTab);
    }

    void operator()(const doc::SheetLine& block) {
        paragraph(Role::SheetLine, block.face, block.points, 1, {},
                  textRun(block.place) + plainTab + textRun(block.code));
    }

    void operator()(const doc::Columns& block) {
        const editable::ColumnPlan plan = editable::columnPlan(block);
        if (breakPending_ && plan.count > 1) {
            paragraph(Role::Line, block.face, block.points, 1, {}, {});
        }
        columns(plan.count);
        const bool sheet =
            block.spacing == doc::Spacing::Sheet || block.spacing == doc::Spacing::AdaptedSheet;
        const double factor = editable::lineFactor(block.spacing);
        for (const doc::Group& group : block.groups) {
            if (!group.title.empty()) {
                paragraph(Role::Title, block.face, block.points, 1, {}, textRun(group.title));
            }
            for (const doc::Entry& entry : group.entries) {
                const bool last = &entry == &group.entries.back();
                std::string direct;
                if (!last) {
                    direct += "<w:keepNext/>";
                }
                direct += answerTabs(entry.place, plan.widthMm, block);
                if (last || entry.gapAfter) {
                    direct += "<w:spacing w:after=\"" +
                              std::to_string(std::lround(block.points * (sheet ? 8 : 6))) + "\"/>";
                }
                std::string runs;
                if (!entry.number.empty()) {
                    runs += textRun(entry.number) + plainTab;
                }
                runs += textRun(entry.text) + answerPlace(entry.place);
                paragraph(sheet ? Role::Exercise : Role::Line, block.face, block.points, factor,
                          direct, runs);
            }
        }
    }

    void operator()(const doc::Section& block) {
        if (!block.title.text.empty()) {
            columns(1);
            paragraph(Role::PartHeading, block.title.face, block.title.points, 1, {},
                      textRun(block.title.text));
            for (const doc::Heading& note : block.notes) {
                paragraph(Role::Note, note.face, note.points, 1, {}, textRun(note.text));
            }
        }
        std::visit([this](const auto& body) { (*this)(body); }, block.body);
    }

    // One table a sheet: its title across the first row, then its results side by side.
    void operator()(const doc::Table& table) {
        columns(1);
        const int perRow = editable::resultsPerRow(table);
        const std::string width = twips(editable::textWidthMm / perRow);
        const Style& cellStyle = use(Role::Result, table.face, table.points, 1);
        const Style& titleStyle = use(Role::Title, table.face, table.points, 1);
        for (const doc::TableRow& row : table.rows) {
            body_ +=
                "<w:tbl><w:tblPr><w:tblStyle w:val=\"CiferonResults\"/>"
                "<w:tblW w:w=\"5000\" w:type=\"pct\"/><w:tblLayout w:type=\"fixed\"/>"
                "</w:tblPr><w:tblGrid>";
            for (int i = 0; i < perRow; ++i) {
                body_ += "<w:gridCol w:w=\"" + width + "\"/>";
            }
            body_ += "</w:tblGrid>";
            const std::size_t rows = (row.cells.size() + perRow - 1) / perRow;
            body_ += "<w:tr><w:trPr><w:cantSplit/></w:trPr><w:tc><w:tcPr><w:gridSpan w:val=\"" +
                     std::to_string(perRow) + "\"/></w:tcPr>" +
                     cellParagraph(titleStyle, rows > 0 || !row.note.empty(), textRun(row.title)) +
                     (row.note.empty() ? std::string()
                                       : cellParagraph(cellStyle, rows > 0, textRun(row.note))) +
                     "</w:tc></w:tr>";
            for (std::size_t r = 0; r < rows; ++r) {
                body_ += "<w:tr><w:trPr><w:cantSplit/></w:trPr>";
                for (std::size_t c = 0; c < static_cast<std::size_t>(perRow); ++c) {
                    const std::size_t at = r * perRow + c;
                    std::string runs;
                    if (at < row.cells.size()) {
                        const doc::Cell& cell = row.cells[at];
                        runs = textRun(cell.number + ' ' + cell.result) + textRun(cell.mistakes);
                    }
                    body_ += "<w:tc><w:tcPr><w:tcW w:w=\"" + width +
                             R"(" w:type="dxa"/></w:tcPr>)" +
                             cellParagraph(cellStyle, r + 1 < rows, runs) + "</w:tc>";
                }
                body_ += "</w:tr>";
            }
            body_ += "</w:tbl>";
            // Two tables next to each other would run into one.
            body_ += "<w:p><w:pPr><w:pStyle w:val=\"" + cellStyle.name.id + "\"/></w:pPr></w:p>";
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

    [[nodiscard]] std::string document() {
        std::string xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
            "main\"><w:body>";
        xml += body_;
        xml += sectionProperties(columns_);
        xml += "</w:body></w:document>";
        return xml;
    }

    [[nodiscard]] std::string styles() const {
        std::string xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
            "<w:docDefaults><w:rPrDefault>" +
            runProperties(Face::Serif, 12, false, "<w:lang w:val=\"cs-CZ\"/>") +
            "</w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" "
            "w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
            "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
            "<w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
            "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\">"
            "<w:name w:val=\"Normal Table\"/><w:tblPr><w:tblCellMar>"
            "<w:left w:w=\"108\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/>"
            "</w:tblCellMar></w:tblPr></w:style>"
            "<w:style w:type=\"table\" w:styleId=\"CiferonResults\">"
            "<w:name w:val=\"Výsledky listu\"/><w:basedOn w:val=\"TableNormal\"/><w:tblPr>"
            "<w:tblBorders>";
        for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
            xml += std::string("<w:") + side +
                   R"( w:val="single" w:sz="4" w:space="0" w:color="000000"/>)";
        }
        xml +=
            "</w:tblBorders><w:tblCellMar><w:top w:w=\"28\" w:type=\"dxa\"/>"
            "<w:left w:w=\"57\" w:type=\"dxa\"/><w:bottom w:w=\"28\" w:type=\"dxa\"/>"
            "<w:right w:w=\"57\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style>";
        for (const Style& style : styles_) {
            xml += styleXml(style);
        }
        xml += "</w:styles>";
        return xml;
    }

  private:
    // The style of a role in a face, added at its first use, where its size is decided.
    const Style& use(Role role, Face face, double points, double lineFactor) {
        // A heading's style is bold by its role; its face's family tells the variant.
        const editable::StyleName name = editable::styleName(role, face);
        const auto found = std::find_if(styles_.begin(), styles_.end(), [&](const Style& style) {
            return style.name.id == name.id;
        });
        if (found != styles_.end()) {
            return *found;
        }
        styles_.push_back({name, role, face, points, lineFactor});
        return styles_.back();
    }

    void paragraph(Role role, Face face, double points, double lineFactor,
                   const std::string& direct, const std::string& runs) {
        const Style& style = use(role, face, points, lineFactor);
        // A new page before the paragraph, in the document's text, after its keeping with the
        // next as WordprocessingML orders them. LibreOffice drops the style of a paragraph
        // that begins with a break run behind a section's end; it keeps this.
        std::string properties = direct;
        if (breakPending_) {
            const std::size_t at = properties.rfind("<w:keepNext/>", 0) == 0 ? 13 : 0;
            properties.insert(at, "<w:pageBreakBefore/>");
            breakPending_ = false;
        }
        body_ +=
            "<w:p><w:pPr><w:pStyle w:val=\"" + style.name.id + "\"/>" + properties + "</w:pPr>";
        // Type that differs from the style's, as where a later block of the same role is
        // larger, goes on the runs.
        if (std::abs(points - style.points) > 0.01 || face != style.face) {
            const std::string properties =
                runProperties(face, points, editable::isBold(face) || role == Role::Title);
            std::string marked = runs;
            for (std::size_t at = 0; (at = marked.find("<w:r>", at)) != std::string::npos;) {
                at += 5;
                if (marked.compare(at, 7, "<w:rPr>") != 0) {
                    marked.insert(at, properties);
                    at += properties.size();
                }
            }
            body_ += marked;
        } else {
            body_ += runs;
        }
        body_ += "</w:p>";
        started_ = true;
    }

    void plainTable(const std::vector<std::vector<std::string>>& rows, Face face, double points,
                    bool heading) {
        columns(1);
        if (rows.empty()) {
            return;
        }
        const Style& cellStyle = use(Role::Result, face, points, 1);
        const Style& titleStyle = use(Role::Title, face, points, 1);
        const std::string width =
            twips(editable::textWidthMm / static_cast<double>(rows[0].size()));
        body_ +=
            "<w:tbl><w:tblPr><w:tblStyle w:val=\"CiferonResults\"/>"
            "<w:tblW w:w=\"5000\" w:type=\"pct\"/></w:tblPr><w:tblGrid>";
        for (std::size_t i = 0; i < rows[0].size(); ++i) {
            body_ += "<w:gridCol w:w=\"" + width + "\"/>";
        }
        body_ += "</w:tblGrid>";
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const bool head = heading && r == 0;
            body_ += head ? "<w:tr><w:trPr><w:cantSplit/><w:tblHeader/></w:trPr>"
                          : "<w:tr><w:trPr><w:cantSplit/></w:trPr>";
            for (const std::string& text : rows[r]) {
                body_ += "<w:tc>" +
                         cellParagraph(head ? titleStyle : cellStyle, false, textRun(text)) +
                         "</w:tc>";
            }
            body_ += "</w:tr>";
        }
        body_ +=
            "</w:tbl><w:p><w:pPr><w:pStyle w:val=\"" + cellStyle.name.id + "\"/></w:pPr></w:p>";
    }

    static std::string cellParagraph(const Style& style, bool keepNext, const std::string& runs) {
        return "<w:p><w:pPr><w:pStyle w:val=\"" + style.name.id + "\"/>" +
               (keepNext ? "<w:keepNext/>" : "") + "</w:pPr>" + runs + "</w:p>";
    }

    // The tab stops of an exercise's places to write on, within its column.
    static std::string answerTabs(doc::AnswerPlace place, double widthMm,
                                  const doc::Columns& block) {
        if (place == doc::AnswerPlace::Room) {
            return "<w:tabs>" + tabStop("right", widthMm) + "</w:tabs>";
        }
        if (place == doc::AnswerPlace::RoomAndRemainder) {
            const double label = textWidth(remainderLabel(), block.face, block.points) / ptPerMm;
            return "<w:tabs>" + tabStop("right", widthMm - editable::answerRoomMm - label - 2) +
                   tabStop("right", widthMm) + "</w:tabs>";
        }
        return {};
    }

    static std::string answerPlace(doc::AnswerPlace place) {
        const std::string remainder = textRun(" " + std::string(remainderLabel()) + " ");
        switch (place) {
            case doc::AnswerPlace::Room:
                return underlinedTab;
            case doc::AnswerPlace::RoomAndRemainder:
                return underlinedTab + remainder + underlinedTab;
            case doc::AnswerPlace::Box:
                return textRun(" ") + boxRun();
            case doc::AnswerPlace::BoxAndRemainder:
                return textRun(" ") + boxRun() + remainder + boxRun();
            case doc::AnswerPlace::None:
                break;
        }
        return {};
    }

    static std::string sectionProperties(int count) {
        const std::string margin = twips(editable::marginMm);
        return R"(<w:sectPr><w:type w:val="continuous"/><w:pgSz w:w=")" +
               twips(editable::pageWidthMm) + "\" w:h=\"" + twips(editable::pageHeightMm) +
               "\"/><w:pgMar w:top=\"" + margin + "\" w:right=\"" + margin + "\" w:bottom=\"" +
               margin + "\" w:left=\"" + margin +
               R"(" w:header="0" w:footer="0" w:gutter="0"/><w:cols w:num=")" +
               std::to_string(count) + "\" w:space=\"" + twips(editable::columnGapMm) +
               "\"/></w:sectPr>";
    }

    // Text columns change only at a section's end: a paragraph too small to see carries the
    // properties of the section that it ends.
    void columns(int count) {
        if (count == columns_) {
            return;
        }
        if (started_) {
            body_ +=
                "<w:p><w:pPr><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"20\" "
                "w:lineRule=\"exact\"/><w:rPr><w:sz w:val=\"2\"/></w:rPr>";
            body_ += sectionProperties(columns_) + "</w:pPr></w:p>";
        }
        columns_ = count;
    }

    std::string body_;
    std::deque<Style> styles_;
    int columns_ = 1;
    bool started_ = false;       // something is written
    bool breakPending_ = false;  // the next paragraph begins a new page
};

}  // namespace

std::string docxDocument(const Document& document) {
    Body body;
    for (const doc::Block& block : document.blocks) {
        std::visit(body, block);
    }
    const std::string relationships =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    return storedZip({
        {"[Content_Types].xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" "
         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
         "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/></Types>"},
        {"_rels/.rels",
         relationships +
             "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
             "2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
             "</Relationships>"},
        {"word/_rels/document.xml.rels",
         relationships +
             "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
             "2006/relationships/styles\" Target=\"styles.xml\"/></Relationships>"},
        {"word/document.xml", body.document()},
        {"word/styles.xml", body.styles()},
    });
}

}  // namespace ciferon
