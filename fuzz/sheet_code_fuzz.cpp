// Any bytes as a typed sheet code: the reading never fails, and a code it accepts opens a
// valid sheet whose own code reads back the same and whose lists are sound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "evaluator.h"
#include "sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const auto sheet = ciferon::readSheetCode(typed);
    if (!sheet) {
        return 0;
    }
    if (!ciferon::validSheet(*sheet) ||
        ciferon::readSheetCode(ciferon::sheetCode(*sheet)) != sheet) {
        std::abort();
    }
    const ciferon::Lists lists = ciferon::sheetLists(*sheet);
    if (!ciferon::testing::checkLists(lists.exercises, lists.solutions, sheet->count,
                                      sheet->separator)
             .fault.empty()) {
        std::abort();
    }
    return 0;
}
