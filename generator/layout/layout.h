// The one pagination of every printout: pupils' sheets with their key, and the two lists as
// the fields hold them, laid out on A4 in pt. It sets a document (document.h) on pages and
// decides everything that has a break in it — the columns and their width, which column and
// page every line, title and continuation falls on, the results table's grid, where a long
// heading wraps or shrinks, where the solutions begin and where two-sided printing leaves a
// back blank — and gives every page as positioned texts and rules (pages.h). The desktop's
// paper and the web page only draw what it gives, measured with the same table of advance
// widths (metrics.h).
#pragma once

#include <string_view>
#include <vector>

#include "layout/document.h"
#include "layout/metrics.h"
#include "layout/pages.h"

namespace ciferon {

// The document on pages. A break to a new sheet of paper leaves, printed on both sides
// (`duplex`), a blank back so that what follows begins on a front page. A run of groups longer
// than its page goes on in the next column or page, a sheet's under its title marked as
// continued; the solutions begin below the results where their heading and a few lines fit
// there, otherwise on a new page.
Layout paginate(const Document& document, bool duplex);

// The pages of sheetsDocument() and of listsDocument().
Layout sheetsLayout(const std::vector<PrintSheet>& sheets, std::string_view heading,
                    const PrintOptions& options);
Layout listsLayout(std::string_view exercises, std::string_view solutions);

}  // namespace ciferon
