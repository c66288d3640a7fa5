// The window's two fields as the program left them, to tell whether the teacher has edited
// them since.
#pragma once

#include <string_view>

#include "run/run.h"

namespace ciferon {

// Whether the fields hold text the teacher typed or changed: they differ from `placed`, the
// lists the program last put in them (a run or a sheet opened by its code), as CR LF text.
// Empty fields hold nothing to lose.
bool fieldsEdited(std::string_view exercises, std::string_view solutions, const Lists& placed);

}  // namespace ciferon
