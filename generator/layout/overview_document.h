// The class's overview ("Přehled třídy") as a printout on A4, laid out by the core so that the
// desktop's PDF and print and the page's print are the same pages.
#pragma once

#include "classset/set_file.h"
#include "layout/document.h"
#include "layout/pages.h"
#include "marking/overview.h"

namespace ciferon {

// "Přehled třídy: HEADING", how many sheets were handed in and how many answers could not be
// read; then "Žáci": a row per sheet (List, Jméno, Kód, Správně, Celkem, Procent, Známka),
// "neodevzdáno" across a sheet not handed in; "Druhy příkladů, nejslabší první": a bar per
// kind, "K. NAME" before it and "23 z 40" after it; "Chyby": each named mistake as the check
// writes it, how often ("12×") and on which sheets, with the pupils' names where given; and
// "Nejčastěji nesprávně": the exercises most often not right, "5 z 12".
Document overviewDocument(const SetFile& set, const Overview& overview);

// The overview's pages.
Layout overviewLayout(const SetFile& set, const Overview& overview);

}  // namespace ciferon
