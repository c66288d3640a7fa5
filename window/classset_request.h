// What the class-set dialog asks for, on its own so that the dialog and its callers need not
// know the main window.
#pragma once

#include "classset/classset.h"

namespace ciferon {

struct ClassSetRequest {
    // The class set's settings; the kinds are never empty once the dialog is accepted. The
    // adapted sheets' count is 0 while it follows the set's count.
    ClassSetSettings settings{};
    // Two-sided: every pupil's sheet and the key start on a front page. A PDF is laid out so;
    // for the printer it only presets its dialog to two-sided.
    PrintOptions print{};
    // Document: an editable DOCX or ODT, its blank backs left to the word processor.
    enum class Output { Print, Pdf, Preview, Document } output = Output::Print;
};

}  // namespace ciferon
