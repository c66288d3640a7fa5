// A document as ODT (OpenDocument text), LibreOffice's own, which Word opens too: written from
// its blocks as docx.h writes DOCX, with the same named styles, page breaks, groups kept
// together and the key's tables, in Liberation Serif and Liberation Sans as the PDFs are.
#pragma once

#include <string>

#include "layout/document.h"

namespace ciferon {

// The bytes of the .odt file: a zip of stored entries whose first is the stored "mimetype".
std::string odtDocument(const Document& document);

}  // namespace ciferon
