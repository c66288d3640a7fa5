// The editable documents as the front-ends ask for them: a class set with its key, or any
// document of the layout, as the bytes of a DOCX or an ODT file.
#pragma once

#include <string>
#include <string_view>

#include "classset/classset.h"
#include "layout/document.h"

namespace ciferon {

enum class DocumentFormat { Docx, Odt };

// The file's bytes in the format.
std::string documentBytes(const Document& document, DocumentFormat format);

// A class set's sheets and key under its heading, as its print options ask (two-sided
// printing aside: the word processor leaves blank backs where its own printing asks).
std::string classSetDocument(const ClassSet& set, DocumentFormat format);

// The file name's extension of the format, without the dot: "docx", "odt"; its media type.
std::string_view documentExtension(DocumentFormat format);
std::string_view documentMediaType(DocumentFormat format);

}  // namespace ciferon
