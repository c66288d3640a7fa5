// A document as DOCX (WordprocessingML), which Word and LibreOffice open and a teacher edits:
// written from its blocks, not from its pages. Headings and every kind of line have their
// named styles; exercises are numbered paragraphs with an underlined place to answer on, an
// adapted sheet's with a box, in Arial at its larger size; a group's lines keep together; a
// sheet and the key begin on a new page through a page break in the text; the key's results
// are a table a sheet, its title in the first row. A4 with the PDF's margins, Times New Roman
// and Arial, which LibreOffice maps to the Liberation faces.
#pragma once

#include <string>

#include "layout/document.h"

namespace ciferon {

// The bytes of the .docx file: a zip of stored entries (zip.h), the same for the same
// document.
std::string docxDocument(const Document& document);

}  // namespace ciferon
