// What the class-set dialog asks for, on its own so that the dialog and its callers need not
// know the main window.
#pragma once

#include <QString>

#include "codes/sheet.h"

namespace ciferon {

struct ClassSetRequest {
    int sheets = classSetDefault;
    int count = sheetCountDefault;
    int separator = sheetSeparatorDefault;
    KindChoice kinds = allKinds;  // never empty once the dialog is accepted
    QString heading{};
    // The sheets laid out adapted, as the teacher lists them ("3, 7", "všechny"); empty for
    // none. Their count of exercises, 0 while it follows the set's count.
    QString adapted{};
    int adaptedCount = 0;
    // Laid out for both sides of the paper: every pupil's sheet and the key start on a front
    // page. A PDF is laid out so; for the printer it only presets its dialog to two-sided.
    bool duplex = false;
    // The key lists beside each result the wrong answers that common mistakes give.
    bool mistakes = false;
    enum class Output { Print, Pdf, Preview } output = Output::Print;
};

}  // namespace ciferon
