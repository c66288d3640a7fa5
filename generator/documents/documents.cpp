#include "documents/documents.h"

#include "documents/docx.h"
#include "documents/odt.h"

namespace ciferon {

std::string documentBytes(const Document& document, DocumentFormat format) {
    return format == DocumentFormat::Docx ? docxDocument(document) : odtDocument(document);
}

std::string classSetDocument(const ClassSet& set, DocumentFormat format) {
    return documentBytes(sheetsDocument(printedSheets(set), set.settings.heading, set.print),
                         format);
}

std::string_view documentExtension(DocumentFormat format) {
    return format == DocumentFormat::Docx ? "docx" : "odt";
}

std::string_view documentMediaType(DocumentFormat format) {
    return format == DocumentFormat::Docx
               ? "application/vnd.openxmlformats-officedocument.wordprocessingml.document"
               : "application/vnd.oasis.opendocument.text";
}

}  // namespace ciferon
