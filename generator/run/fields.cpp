#include "run/fields.h"

namespace ciferon {

bool fieldsEdited(std::string_view exercises, std::string_view solutions, const Lists& placed) {
    if (exercises.empty() && solutions.empty()) {
        return false;
    }
    return exercises != placed.exercises || solutions != placed.solutions;
}

}  // namespace ciferon
