// The editable documents' own rules: text made safe for XML, and a heading with XML's reserved
// characters and a control character written as typed, the control character dropped. Real
// readers (unzip, LibreOffice, python-docx) open whole class sets in documents_check.sh.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "documents/documents.h"
#include "documents/editable.h"

namespace ciferon {
namespace {

TEST(Documents, TextIsSafeForXml) {
    const struct {
        std::string_view text;
        std::string_view xml;
    } cases[] = {
        {"7+8=", "7+8="},
        {"a < b & c > d", "a &lt; b &amp; c &gt; d"},
        {"\"uvozovky\" a 'apostrofy'", "&quot;uvozovky&quot; a &apos;apostrofy&apos;"},
        {"]]>", "]]&gt;"},
        {"Dělení\x01\t\n\x7F se zbytkem", "Dělení se zbytkem"},
        {"\xC2\x85konec", "konec"},    // U+0085, a C1 control
        {"ž\xFFž", "ž\xEF\xBF\xBDž"},  // a stray byte as U+FFFD
        {"Příklady – 5. A", "Příklady – 5. A"},
    };
    for (const auto& [text, xml] : cases) {
        EXPECT_EQ(editable::xmlText(text), xml) << text;
    }
}

// The stored zip holds each part's XML as written, so the heading is found in the bytes.
TEST(Documents, HeadingWithReservedCharactersStandsEscaped) {
    const std::string heading = "A < B & \"C\" ]]> D\x01";
    ClassSet set = sheetAlone(Sheet{}, false, heading);
    for (const DocumentFormat format : {DocumentFormat::Docx, DocumentFormat::Odt}) {
        const std::string bytes = classSetDocument(set, format);
        EXPECT_NE(bytes.find("A &lt; B &amp; &quot;C&quot; ]]&gt; D<"), std::string::npos)
            << documentExtension(format);
        EXPECT_EQ(bytes.find("D\x01"), std::string::npos) << documentExtension(format);
        EXPECT_EQ(bytes.find("]]>"), std::string::npos) << documentExtension(format);
    }
}

// An adapted sheet's paragraphs have their own style in the sans-serif face at 18 pt, so
// that a teacher restyles them apart from the regular sheets'.
TEST(Documents, AdaptedSheetHasItsOwnStyles) {
    const ClassSet regular = sheetAlone(Sheet{}, false);
    const ClassSet adapted = sheetAlone(Sheet{}, true);
    const struct {
        DocumentFormat format;
        std::string_view style;
        std::string_view face;
    } cases[] = {
        {DocumentFormat::Docx, "w:styleId=\"CiferonExerciseAdapted\"", "w:ascii=\"Arial\""},
        {DocumentFormat::Odt, "style:name=\"CiferonExerciseAdapted\"",
         R"(style:font-name="Liberation Sans" fo:font-size="18.00pt")"},
    };
    for (const auto& [format, style, face] : cases) {
        const std::string bytes = classSetDocument(adapted, format);
        const std::size_t defined = bytes.find(style);
        ASSERT_NE(defined, std::string::npos) << documentExtension(format);
        EXPECT_NE(bytes.find(face, defined), std::string::npos) << documentExtension(format);
        EXPECT_EQ(classSetDocument(regular, format).find(style), std::string::npos);
    }
}

std::size_t occurrences(const std::string& text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The paragraphs that begin a new page: in DOCX each says so; in ODT each names an automatic
// style that says so, which paragraphs alike share.
std::size_t pageBreaks(const std::string& bytes, DocumentFormat format) {
    if (format == DocumentFormat::Docx) {
        return occurrences(bytes, "<w:pageBreakBefore/>");
    }
    std::size_t count = 0;
    const std::string_view style = "<style:style style:name=\"";
    for (std::size_t at = bytes.find("fo:break-before=\"page\""); at != std::string::npos;
         at = bytes.find("fo:break-before=\"page\"", at + 1)) {
        const std::size_t begin = bytes.rfind(style, at) + style.size();
        const std::string name = bytes.substr(begin, bytes.find('"', begin) - begin);
        count += occurrences(bytes, "text:style-name=\"" + name + '"');
    }
    return count;
}

// A new page before every sheet but the first and before the key, or before the solutions of
// the two lists; none at the document's start.
TEST(Documents, BreakBeforeEverySheetAndTheKey) {
    ClassSetSettings settings;
    settings.sheets = 4;
    settings.count = 24;
    settings.adapted = "2";
    ClockRandom random;
    random.seedWith(3024);
    const ClassSet set = makeClassSet(settings, {true, true}, random);
    const Document lists = listsDocument("7+8=\r\n\r\n9:3=\r\n", "7+8=15\r\n\r\n9:3=3\r\n");
    for (const DocumentFormat format : {DocumentFormat::Docx, DocumentFormat::Odt}) {
        EXPECT_EQ(pageBreaks(classSetDocument(set, format), format), 4U)
            << documentExtension(format);
        EXPECT_EQ(pageBreaks(documentBytes(lists, format), format), 1U)
            << documentExtension(format);
    }
}

}  // namespace
}  // namespace ciferon
