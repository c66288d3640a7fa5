// Any bytes as a result code typed for a sheet that the first five bytes choose (its seed and
// its count, up to one beyond the longest with a code): reading never fails, and a code it
// accepts gives a mark for every exercise and is the very code that those marks make, typed
// some other way. The same bytes as marks make a code that reads back as those marks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "codes/code_symbols.h"
#include "codes/result_code.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The code's symbols without its dashes, as typed symbols read.
std::string symbolsOf(std::string_view typed) {
    std::vector<unsigned> symbols(typed.size());
    const auto read = ciferon::typedSymbols(typed, symbols);
    std::string text;
    for (std::size_t i = 0; read && i < *read; ++i) {
        text += ciferon::codeAlphabet[symbols[i]];
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) {
        return 0;
    }
    ciferon::Sheet sheet;
    sheet.seed = (static_cast<std::uint32_t>(data[0]) << 16U |
                  static_cast<std::uint32_t>(data[1]) << 8U | data[2]) %
                 ciferon::sheetSeeds;
    sheet.count = 1 + data[3] % (ciferon::resultCodeExercisesMax + 1);
    sheet.separator = 1 + data[4] % ciferon::sheetSeparatorMax;
    const std::string_view typed(reinterpret_cast<const char*>(data) + 5, size - 5);

    const ciferon::ResultCodeReading read = ciferon::readResultCode(sheet, typed);
    const bool hasCode = sheet.count <= ciferon::resultCodeExercisesMax;
    require(hasCode || read.fault == ciferon::ResultCodeFault::NoCode);
    require(read.marks.empty() == (read.fault != ciferon::ResultCodeFault::None));
    if (read.fault == ciferon::ResultCodeFault::None) {
        require(read.marks.size() == static_cast<std::size_t>(sheet.count));
        const auto again = ciferon::resultCode(sheet, read.marks);
        require(again.has_value() && symbolsOf(*again) == symbolsOf(typed));
    }

    // The bytes as marks: each a mark, and for a wrong one the mistakes this program names.
    std::vector<ciferon::MarkedAnswer> marks;
    for (const char byte : typed) {
        const auto value = static_cast<unsigned char>(byte);
        const auto mark = static_cast<ciferon::Mark>(value & 3U);
        marks.push_back(
            {mark, mark == ciferon::Mark::Wrong
                       ? static_cast<ciferon::MistakeSet>((value >> 2U) & ciferon::allMistakes)
                       : ciferon::MistakeSet{0}});
    }
    marks.resize(static_cast<std::size_t>(sheet.count));
    const auto code = ciferon::resultCode(sheet, marks);
    require(code.has_value() == hasCode);
    if (code) {
        const ciferon::ResultCodeReading back = ciferon::readResultCode(sheet, *code);
        require(back.fault == ciferon::ResultCodeFault::None && back.marks == marks);
    }
    return 0;
}
