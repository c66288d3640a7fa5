// The web page's side of a generation run: the browser's own modal prompt asks the two
// questions, and the page shows the two lists. The page hands both operations to the module
// when it creates it (askNumber and showResults); the run itself is the core's.
#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "results.h"
#include "run.h"
#include "sheet.h"

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

EM_JS(void, sheetToPage, (const char* code, const char* exercises, const char* solutions,
                         const char* results), {
    Module.takeSheet(UTF8ToString(code), UTF8ToString(exercises), UTF8ToString(solutions),
                     UTF8ToString(results).split("\n"));
});

EM_JS(void, limitsToPage, (int sheets, int sheetsMax, int count, int countMax, int separator,
                           int separatorMax, int headingMax), {
    Module.takeLimits({
        sheets: {value: sheets, max: sheetsMax},
        count: {value: count, max: countMax},
        separator: {value: separator, max: separatorMax},
        headingMax: headingMax,
    });
});
// clang-format on

// A sheet, its lists and its results for the key ("61", "8 (3)"), read from the solutions
// already made rather than from a second run.
void handOver(const ciferon::Sheet& sheet) {
    const ciferon::Lists lists = ciferon::sheetLists(sheet);
    std::string results;
    for (const ciferon::Result& result : ciferon::readResults(lists.solutions)) {
        if (!results.empty()) {
            results += '\n';
        }
        results += ciferon::resultText(result);
    }
    sheetToPage(ciferon::sheetCode(sheet).c_str(), lists.exercises.c_str(), lists.solutions.c_str(),
                results.c_str());
}

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

ciferon::ClockRandom& clockRandom() {
    static ciferon::ClockRandom random;
    return random;
}

}  // namespace

// Command1, "Generuj": one generation run, seeded from the clock.
extern "C" EMSCRIPTEN_KEEPALIVE void generate() {
    PageHost host;
    ciferon::run(host, clockRandom());
}

// "Otevřít list podle kódu…": hands the sheet of a typed code to the page (takeSheet), or
// returns 0 for a code that is not valid.
extern "C" EMSCRIPTEN_KEEPALIVE int openSheet(const char* typed) {
    const auto sheet = ciferon::readSheetCode(typed);
    if (!sheet) {
        return 0;
    }
    handOver(*sheet);
    return 1;
}

// The class-set dialog's defaults and maxima (each number from 1), and the heading's length,
// handed to the page (takeLimits): the core's, as every front-end has them.
extern "C" EMSCRIPTEN_KEEPALIVE void classSetLimits() {
    limitsToPage(ciferon::classSetDefault, ciferon::classSetMax, ciferon::sheetCountDefault,
                 ciferon::sheetCountMax, ciferon::sheetSeparatorDefault, ciferon::sheetSeparatorMax,
                 ciferon::headingMax);
}

// "Pracovní listy pro třídu…": hands a class set to the page sheet by sheet, seeded from the
// clock; returns 0 for numbers out of range.
extern "C" EMSCRIPTEN_KEEPALIVE int classSet(int sheets, int count, int separator) {
    if (sheets < 1 || sheets > ciferon::classSetMax || count < 1 ||
        count > ciferon::sheetCountMax || separator < 1 || separator > ciferon::sheetSeparatorMax) {
        return 0;
    }
    clockRandom().seed();
    for (const ciferon::Sheet& sheet : ciferon::classSet(sheets, count, separator, clockRandom())) {
        handOver(sheet);
    }
    return 1;
}
