// The web page's side of a generation run: the browser's own modal prompt asks the two
// questions, and the page shows the two lists. The page hands both operations to the module
// when it creates it (askNumber and showResults); the run itself is the core's.
#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "choice.h"
#include "projection.h"
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

// "Pracovní listy pro třídu…": hands a class set of the chosen kinds (bit k for kind k) to the
// page sheet by sheet, seeded from the clock; returns 0 for numbers out of range or no kind.
extern "C" EMSCRIPTEN_KEEPALIVE int classSet(int sheets, int count, int separator, int kinds) {
    if (sheets < 1 || sheets > ciferon::classSetMax || count < 1 ||
        count > ciferon::sheetCountMax || separator < 1 || separator > ciferon::sheetSeparatorMax ||
        kinds < 1 || kinds > ciferon::allKinds) {
        return 0;
    }
    clockRandom().seed();
    for (const ciferon::Sheet& sheet : ciferon::classSet(sheets, count, separator, clockRandom(),
                                                         static_cast<ciferon::KindChoice>(kinds))) {
        handOver(sheet);
    }
    return 1;
}

namespace {

// clang-format off
EM_JS(void, kindToPage, (const char* topic, int kind, const char* name, const char* example), {
    Module.takeKind(UTF8ToString(topic), kind, UTF8ToString(name), UTF8ToString(example));
});

EM_JS(void, checkToPage, (const char* code, const char* exercises, const char* solutions,
                          const char* remainders), {
    Module.takeCheck(UTF8ToString(code), UTF8ToString(exercises), UTF8ToString(solutions),
                     UTF8ToString(remainders));
});

EM_JS(void, marksToPage, (const char* marks, const char* summary), {
    Module.takeMarks(UTF8ToString(marks), UTF8ToString(summary));
});
// clang-format on

// The sheet being checked: its results, and the marks of its last evaluation.
struct Check {
    std::vector<ciferon::Result> results;
    std::vector<ciferon::Mark> marks;
};

Check& check() {
    static Check sheet;
    return sheet;
}

// The last marks as one letter an exercise (u: not answered, r: right, w: wrong) and the
// summary with `shown` solutions shown.
void marksOut(int shown) {
    std::string letters;
    for (const ciferon::Mark mark : check().marks) {
        letters += mark == ciferon::Mark::Right ? 'r' : mark == ciferon::Mark::Wrong ? 'w' : 'u';
    }
    marksToPage(letters.c_str(), ciferon::summaryText(check().marks, shown).c_str());
}

}  // namespace

// The kind choice of the class-set dialog: every topic's kinds in the order shown, each with
// its name and example, handed to the page one by one (takeKind).
extern "C" EMSCRIPTEN_KEEPALIVE void kindChoice() {
    for (const ciferon::KindTopic& topic : ciferon::kindTopics()) {
        const std::string topicName(topic.name);
        for (const int kind : topic.kinds) {
            kindToPage(topicName.c_str(), kind, std::string(ciferon::kindName(kind)).c_str(),
                       ciferon::kindExample(kind).c_str());
        }
    }
}

// "Zkontrolovat list podle kódu…": hands the sheet of a typed code to the page with a "1" for
// every exercise that takes a remainder, a "0" for the others (takeCheck), and keeps its
// results for marking; returns 0 for a code that is not valid.
extern "C" EMSCRIPTEN_KEEPALIVE int checkSheet(const char* typed) {
    const auto sheet = ciferon::readSheetCode(typed);
    if (!sheet) {
        return 0;
    }
    check().results = ciferon::sheetResults(*sheet);
    check().marks.assign(check().results.size(), ciferon::Mark::Unanswered);
    std::string remainders;
    for (const ciferon::Result& result : check().results) {
        remainders += result.remainder ? '1' : '0';
    }
    const ciferon::Lists lists = ciferon::sheetLists(*sheet);
    checkToPage(ciferon::sheetCode(*sheet).c_str(), lists.exercises.c_str(),
                lists.solutions.c_str(), remainders.c_str());
    return 1;
}

// "Vyhodnotit": marks the checked sheet's answers, given as lines, two for each exercise: the
// answer and the remainder (empty where the result has none); missing lines are empty. Hands
// the marks and the summary with `shown` solutions shown to the page (takeMarks).
extern "C" EMSCRIPTEN_KEEPALIVE void markAnswers(const char* answers, int shown) {
    std::string_view rest(answers);
    const auto nextLine = [&rest] {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        return line;
    };
    Check& sheet = check();
    for (std::size_t i = 0; i < sheet.results.size(); ++i) {
        const std::string_view answer = nextLine();
        sheet.marks[i] = ciferon::markAnswer(sheet.results[i], answer, nextLine());
    }
    marksOut(shown);
}

// "Ukázat řešení": the last marks again, with the summary counting `shown` solutions shown.
extern "C" EMSCRIPTEN_KEEPALIVE void checkSummary(int shown) {
    marksOut(shown);
}

namespace {

// clang-format off
EM_JS(void, projectionLimitsToPage, (int count, int countMin, int countMax, int seconds,
                                     int secondsMin, int secondsMax, int reference), {
    Module.takeProjectionLimits({
        projectionCount: {value: count, min: countMin, max: countMax},
        projectionSeconds: {value: seconds, min: secondsMin, max: secondsMax},
    }, reference);
});

EM_JS(void, problemToPage, (const char* problem), {
    Module.takeProjectionProblem(UTF8ToString(problem));
});

EM_JS(void, projectionToPage, (const char* exercise, const char* solution, const char* steps,
                               const char* corner, const char* codeLine, const char* spoken,
                               int current, int endScreen, int finished, int timed,
                               int secondsLeft, double share, int paused, int blanked), {
    Module.takeProjection({
        exercise: UTF8ToString(exercise),
        solution: UTF8ToString(solution),
        steps: UTF8ToString(steps),
        corner: UTF8ToString(corner),
        codeLine: UTF8ToString(codeLine),
        spoken: UTF8ToString(spoken),
        current: current,
        endScreen: !!endScreen,
        finished: !!finished,
        timed: !!timed,
        secondsLeft: secondsLeft,
        share: share,
        paused: !!paused,
        blanked: !!blanked,
    });
});

EM_JS(void, resultsToPage, (const char* title, const char* cells, int perRow, const char* paused), {
    Module.takeProjectionTexts(UTF8ToString(title), UTF8ToString(cells).split("\n"), perRow,
                               UTF8ToString(paused));
});
// clang-format on

std::unique_ptr<ciferon::Projection>& projection() {
    static std::unique_ptr<ciferon::Projection> shown;
    return shown;
}

ciferon::ProjectionRequest projectionRequest(int count, int seconds, int kinds, const char* code) {
    return {count, seconds, static_cast<ciferon::KindChoice>(kinds & ciferon::allKinds), code};
}

void projectionOut() {
    const ciferon::Projection& view = *projection();
    std::string exercise;
    std::string solution;
    if (!view.onEndScreen()) {
        const ciferon::SheetItem& item = view.items().at(static_cast<std::size_t>(view.current()));
        exercise = item.exercise;
        solution = item.solution.substr(item.exercise.size());
    }
    projectionToPage(exercise.c_str(), solution.c_str(), view.stepLine().c_str(),
                     view.cornerText().c_str(), ciferon::projectionCodeLine(view.code()).c_str(),
                     view.spokenText().c_str(), view.current(), view.onEndScreen() ? 1 : 0,
                     view.finished() ? 1 : 0, view.timed() ? 1 : 0, view.secondsLeft(),
                     view.timeShare(), view.paused() ? 1 : 0, view.blanked() ? 1 : 0);
}

}  // namespace

// The projection dialog's defaults and limits and the size the page measures texts at,
// handed to the page (takeProjectionLimits).
extern "C" EMSCRIPTEN_KEEPALIVE void projectionLimits() {
    projectionLimitsToPage(ciferon::projectionCountDefault, ciferon::projectionCountMin,
                           ciferon::projectionCountMax, ciferon::projectionSecondsDefault,
                           ciferon::projectionSecondsMin, ciferon::projectionSecondsMax,
                           ciferon::projectionReferenceSize);
}

// Why the dialog's request cannot be projected, or the empty text (takeProjectionProblem).
extern "C" EMSCRIPTEN_KEEPALIVE void projectionProblem(int count, int seconds, int kinds,
                                                       const char* code) {
    problemToPage(
        ciferon::projectionProblem(projectionRequest(count, seconds, kinds, code)).c_str());
}

// "Promítat": the sheet of the request, a new one seeded from the clock or that of the code;
// hands the end screen's texts (takeProjectionTexts) and the first state (takeProjection) to
// the page. Returns 0, having handed the problem over, when there is no sheet.
extern "C" EMSCRIPTEN_KEEPALIVE int startProjection(int count, int seconds, int kinds,
                                                    const char* code) {
    const ciferon::ProjectionRequest request = projectionRequest(count, seconds, kinds, code);
    const ciferon::ProjectionSheet chosen = ciferon::projectionSheet(request, clockRandom());
    if (!chosen.sheet) {
        problemToPage(chosen.problem.c_str());
        return 0;
    }
    projection() = std::make_unique<ciferon::Projection>(*chosen.sheet, request.seconds);
    std::string cells;
    for (const ciferon::ResultCell& cell : ciferon::resultCells(projection()->items())) {
        cells.append(cells.empty() ? "" : "\n").append(cell.label).append("\t").append(cell.text);
    }
    resultsToPage(std::string(ciferon::resultsTitle).c_str(), cells.c_str(),
                  ciferon::resultsPerRow(static_cast<int>(projection()->items().size())),
                  std::string(ciferon::pausedText).c_str());
    projectionOut();
    return 1;
}

// A key or a click (Projection::Action: 0 next, 1 previous, 2 step, 3 unstep, 4 pause,
// 5 blank, 6 end); the state goes to the page (takeProjection) when it changed.
extern "C" EMSCRIPTEN_KEEPALIVE int projectionAct(int action) {
    if (!projection() || action < 0 || action > 6 ||
        !projection()->act(static_cast<ciferon::Projection::Action>(action))) {
        return 0;
    }
    projectionOut();
    return 1;
}

// The page's clock: `milliseconds` have passed. The state goes to the page every time, since
// the bar shrinks within a second too; returns whether more than the bar changed.
extern "C" EMSCRIPTEN_KEEPALIVE int projectionTick(int milliseconds) {
    if (!projection()) {
        return 0;
    }
    const bool changed = projection()->tick(milliseconds);
    projectionOut();
    return changed ? 1 : 0;
}

// The type sizes of the exercise and of the end screen, for the page's measured widths at
// the reference size.
extern "C" EMSCRIPTEN_KEEPALIVE int projectionTypeSize(int width, int height,
                                                       double widthAtReference) {
    return ciferon::exerciseTypeSize(width, height, widthAtReference);
}

extern "C" EMSCRIPTEN_KEEPALIVE int projectionResultsSize(int width, int height,
                                                          double cellWidthAtReference) {
    return projection() ? ciferon::resultsTypeSize(width, height, cellWidthAtReference,
                                                   static_cast<int>(projection()->items().size()))
                        : 0;
}
