// Any bytes as an exercise of any kind with a pupil's answer line: naming mistakes never
// fails, never names a right answer, and names each wrong answer's mistake when that answer
// is typed. The first byte picks the kind, the second how the exercise and its right result
// are taken: a sheet's own exercise of that kind seeded by the next two bytes, or the text
// after them with a result made of those two bytes. The rest is the exercise text (unused
// for a sheet's own), a line feed and the answer line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "codes/items.h"
#include "marking/mistakes.h"

namespace {

using ciferon::Mark;
using ciferon::MarkedAnswer;
using ciferon::Result;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const int kind = data[0] % (ciferon::kindCount + 2) - 1;
    const std::uint8_t how = data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
    std::string_view exercise = text.substr(0, text.find('\n'));
    const std::string_view line =
        exercise.size() < text.size() ? text.substr(exercise.size() + 1) : std::string_view();

    Result right{data[2], {}};
    if ((how & 1U) != 0) {
        right.remainder = data[3];
    }
    // A sheet's own exercise of the kind, with its seed from the two bytes.
    ciferon::SheetItem item;
    if ((how & 2U) != 0 && kind >= 0 && kind < ciferon::kindCount) {
        const ciferon::Sheet sheet{static_cast<std::uint32_t>(data[2] << 8U | data[3]), 1, 1,
                                   static_cast<ciferon::KindChoice>(1U << kind)};
        item = ciferon::sheetItems(sheet).front();
        exercise = item.exercise;
        right = item.result;
    }

    const ciferon::WrongAnswers wrong = ciferon::wrongAnswers(kind, exercise, right);
    for (const ciferon::WrongAnswer& given : wrong) {
        require(!(given.answer == right));
        const MarkedAnswer typed =
            ciferon::markLineWithMistakes(kind, exercise, right, ciferon::resultText(given.answer));
        require(typed.mark == Mark::Wrong && (typed.mistakes & mistakeBit(given.mistake)) != 0);
    }
    require(ciferon::markLineWithMistakes(kind, exercise, right, ciferon::resultText(right)) ==
            (MarkedAnswer{Mark::Right, 0}));

    const MarkedAnswer marked = ciferon::markLineWithMistakes(kind, exercise, right, line);
    require(marked.mark == ciferon::markAnswerLine(right, line));
    require(marked.mark == Mark::Wrong || marked.mistakes == 0);
    const std::string key = ciferon::keyMistakes(kind, exercise, right);
    require(key.empty() || (key.starts_with(" [") && key.ends_with("]")));
    const std::string summary = ciferon::summaryText(std::vector<MarkedAnswer>{marked});
    require(summary.starts_with(marked.mark == Mark::Right ? "Správně 1 z 1." : "Správně 0 z 1."));
    return 0;
}
