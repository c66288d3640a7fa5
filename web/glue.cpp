// The web page's side of a generation run: the browser's own modal prompt asks the two
// questions, and the page shows the two lists. The page hands both operations to the module
// when it creates it (askNumber and showResults); the run itself is the core's.
#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "run.h"

namespace {

// The confirmed answer as a C string that the caller frees, or a null pointer when the
// memory for it could not be had; a cancelled prompt gives the empty answer.
// clang-format off
EM_JS(char*, askInPage, (const char* question, int defaultAnswer), {
    const answer = Module.askNumber(UTF8ToString(question), String(defaultAnswer));
    const size = lengthBytesUTF8(answer) + 1;
    const text = _malloc(size);
    if (text) {
        stringToUTF8(answer, text, size);
    }
    return text;
});

EM_JS(void, showInPage, (const char* exercises, const char* solutions), {
    Module.showResults(UTF8ToString(exercises), UTF8ToString(solutions));
});
// clang-format on

class PageHost final : public ciferon::RunHost {
  public:
    // An answer ends at a NUL character, where the reading of a number stops anyway.
    std::string askNumber(std::string_view question, int defaultAnswer) override {
        const std::unique_ptr<char, decltype(&std::free)> answer(
            askInPage(std::string(question).c_str(), defaultAnswer), &std::free);
        return answer ? std::string(answer.get()) : std::string();
    }

    void showResults(const std::string& exercises, const std::string& solutions) override {
        showInPage(exercises.c_str(), solutions.c_str());
    }
};

}  // namespace

// Command1, "Generuj": one generation run, seeded from the clock.
extern "C" EMSCRIPTEN_KEEPALIVE void generate() {
    static ciferon::ClockRandom random;
    PageHost host;
    ciferon::run(host, random);
}
