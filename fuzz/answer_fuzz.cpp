// Any bytes as a pupil's answer and as a line of a --check file: reading and marking never
// fail, a number read is read the same from its own decimal text, and a line splits into
// the quotient and the remainder just as two fields hold them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "marking/results.h"

namespace {

using ciferon::Answer;
using ciferon::Mark;
using ciferon::Result;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const Answer answer = ciferon::readAnswer(typed);
    require(typed.size() <= ciferon::answerMax || answer.state == Answer::State::NotNumber);
    if (answer.state == Answer::State::Number) {
        const Answer again = ciferon::readAnswer(std::to_string(answer.value));
        require(again.state == Answer::State::Number && again.value == answer.value);
        const Result result{answer.value, {}};
        require(ciferon::markAnswer(result, typed) == Mark::Right);
        require(ciferon::markAnswerLine(result, typed) == Mark::Right);
    }

    // As a check line: one CR at its end changes nothing.
    const Result plain{61, {}};
    const Result remainder{8, 3};
    if (!typed.ends_with('\r')) {
        const std::string withCr = std::string(typed) + '\r';
        for (const Result& result : {plain, remainder}) {
            require(ciferon::markAnswerLine(result, typed) ==
                    ciferon::markAnswerLine(result, withCr));
        }
    }

    // Its halves as the quotient and the remainder: «Q (R)» and «Q zb. R» mark as the two
    // fields do, when the halves hold nothing that the line's own separators would catch: a
    // bracket, or a "z" that could begin the word for a remainder.
    const std::string_view quotient = typed.substr(0, size / 2);
    const std::string_view rest = typed.substr(size / 2);
    const auto has = [](std::string_view text, std::string_view what) {
        return text.find_first_of(what) != std::string_view::npos;
    };
    if (quotient.size() < ciferon::answerMax && rest.size() < ciferon::answerMax &&
        !has(quotient, "(zZ") && !has(rest, "zZ")) {
        const Mark fields = ciferon::markAnswer(remainder, quotient, rest);
        const std::string bracketed = std::string(quotient) + " (" + std::string(rest) + ")";
        require(ciferon::markAnswerLine(remainder, bracketed) == fields);
        if (!has(rest, "(") && !rest.ends_with('\r')) {
            // "zb" without blanks only before a digit, which cannot make it "zb." or "zbytek".
            const bool digitNext = !rest.empty() && rest.front() >= '0' && rest.front() <= '9';
            for (const char* word : {" zb. ", " zb ", " ZBYTEK ", "zb"}) {
                if (word == std::string_view("zb") && !digitNext) {
                    continue;
                }
                const std::string line = std::string(quotient) + word + std::string(rest);
                require(ciferon::markAnswerLine(remainder, line) == fields);
            }
        }
    }
    // A field that holds no number, and only such a field, is unreadable.
    for (const Result& result : {plain, remainder}) {
        require((ciferon::markAnswer(result, typed) == Mark::Unreadable) ==
                (answer.state == Answer::State::NotNumber));
    }
    return 0;
}
