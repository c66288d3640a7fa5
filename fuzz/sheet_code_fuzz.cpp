// Any bytes as a typed sheet code: the reading never fails, and a code it accepts was
// well-formed UTF-8 and opens a valid sheet whose own code reads back the same and whose lists
// are sound.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "codes/sheet.h"
#include "evaluator.h"

namespace {

// The well-formed byte sequences of UTF-8 as the Unicode standard tabulates them: a lead byte
// range, the range of the byte after it, and the sequence's length; any further bytes are
// 80..BF.
struct Form {
    unsigned char leadLo, leadHi, secondLo, secondHi;
    std::size_t length;
};
constexpr std::array<Form, 9> forms{{
    {0x00, 0x7F, 0x00, 0x00, 1},
    {0xC2, 0xDF, 0x80, 0xBF, 2},
    {0xE0, 0xE0, 0xA0, 0xBF, 3},
    {0xE1, 0xEC, 0x80, 0xBF, 3},
    {0xED, 0xED, 0x80, 0x9F, 3},
    {0xEE, 0xEF, 0x80, 0xBF, 3},
    {0xF0, 0xF0, 0x90, 0xBF, 4},
    {0xF1, 0xF3, 0x80, 0xBF, 4},
    {0xF4, 0xF4, 0x80, 0x8F, 4},
}};

bool wellFormed(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    while (at < size) {
        const Form* form = nullptr;
        for (const Form& f : forms) {
            if (data[at] >= f.leadLo && data[at] <= f.leadHi) {
                form = &f;
            }
        }
        if (form == nullptr || size - at < form->length) {
            return false;
        }
        for (std::size_t k = 1; k < form->length; ++k) {
            const bool second = k == 1;
            const unsigned lo = second ? form->secondLo : 0x80U;
            const unsigned hi = second ? form->secondHi : 0xBFU;
            if (data[at + k] < lo || data[at + k] > hi) {
                return false;
            }
        }
        at += form->length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const auto sheet = ciferon::readSheetCode(typed);
    if (!sheet) {
        return 0;
    }
    if (!wellFormed(data, size) || !ciferon::validSheet(*sheet) ||
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
