// The web page's side of a generation run: the browser's own modal prompt asks the two
// questions, and the page shows the two lists. The page hands both operations to the module
// when it creates it (askNumber and showResults); the run itself is the core's.
#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "classset/classset.h"
#include "classset/entry.h"
#include "classset/set_file.h"
#include "codes/choice.h"
#include "codes/items.h"
#include "codes/sheet.h"
#include "documents/documents.h"
#include "layout/overview_document.h"
#include "marking/check_session.h"
#include "marking/mistakes.h"
#include "marking/overview.h"
#include "marking/results.h"
#include "page_api.h"
#include "projection/projection.h"
#include "run/fields.h"
#include "run/run.h"
#include "texts/texts.h"

namespace {

// The confirmed answer as a C string that the caller frees, or a null pointer when the
// memory for it could not be had; a cancelled prompt gives the empty answer.
// clang-format off
// A text asked for, "" when cancelled; the answer malloc'd, for the caller to free.
EM_JS(char*, askTextInPage, (const char* question), {
    const answer = Module.askNumber(UTF8ToString(question), "");
    const size = lengthBytesUTF8(answer) + 1;
    const text = _malloc(size);
    if (text) {
        stringToUTF8(answer, text, size);
    }
    return text;
});

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

EM_JS(void, sheetToPage, (const char* code, const char* exercises, const char* solutions), {
    Module.takeSheet(UTF8ToString(code), UTF8ToString(exercises), UTF8ToString(solutions));
});

EM_JS(void, layoutToPage, (const char* layout), {
    Module.takeLayout(JSON.parse(UTF8ToString(layout)));
});

EM_JS(void, listsLayoutToPage, (const char* layout), {
    Module.takeListsLayout(JSON.parse(UTF8ToString(layout)));
});

EM_JS(void, limitsToPage, (int sheets, int sheetsMax, int count, int countMax, int separator,
                           int separatorMax, int headingMax, const char* headingLabel), {
    Module.takeLimits({
        sheets: {value: sheets, max: sheetsMax},
        count: {value: count, max: countMax},
        separator: {value: separator, max: separatorMax},
        headingMax: headingMax,
        headingLabel: UTF8ToString(headingLabel),
    });
});

// The page's OK and Cancel question; 1 for OK.
EM_JS(int, confirmInPage, (const char* question), {
    return Module.confirm(UTF8ToString(question)) ? 1 : 0;
});

EM_JS(void, helpToPage, (const char* title, const char* text), {
    Module.takeHelp(UTF8ToString(title), UTF8ToString(text));
});

EM_JS(void, documentToPage, (const char* bytes, int size, const char* name, const char* type), {
    Module.takeDocument(HEAPU8.slice(bytes, bytes + size), UTF8ToString(name), UTF8ToString(type));
});

// The page frames a refusal itself (an alert); its words are the core's.
EM_JS(void, refuseInPage, (const char* text), {
    Module.refuse(UTF8ToString(text));
});

EM_JS(void, problemToPage, (const char* text), {
    Module.takeProblem(UTF8ToString(text));
});
// clang-format on

// What a run or an opened sheet last put in the page's fields, to tell the teacher's edits.
ciferon::Lists& placed() {
    static ciferon::Lists lists;
    return lists;
}

// The core's refusal of a typed code, handed to the page.
void refuseCode(const char* typed) {
    refuseInPage(ciferon::codeRefusal(typed).c_str());
}

// A sheet's code and its two lists, for the fields.
void handOver(const ciferon::Sheet& sheet) {
    const ciferon::Lists lists = ciferon::sheetLists(sheet);
    sheetToPage(ciferon::sheetCode(sheet).c_str(), lists.exercises.c_str(),
                lists.solutions.c_str());
}

// The class set that "Vytisknout…" prints next, and the sheet last opened by its code, which
// "Tisk…" prints alone.
std::optional<ciferon::ClassSet>& kept() {
    static std::optional<ciferon::ClassSet> set;
    return set;
}

std::optional<ciferon::Sheet>& opened() {
    static std::optional<ciferon::Sheet> sheet;
    return sheet;
}

void layOut(const ciferon::ClassSet& set) {
    layoutToPage(ciferon::page::layoutJson(ciferon::classSetLayout(set)).c_str());
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
        placed() = {exercises, solutions};
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
// returns 0 for a code that is not valid. The fields as they stand (with CR LF) are replaced
// only once the teacher confirms, when the teacher has edited them; else it returns 0.
extern "C" EMSCRIPTEN_KEEPALIVE int openSheet(const char* typed, const char* exercises,
                                              const char* solutions) {
    const auto sheet = ciferon::readSheetCode(typed);
    if (!sheet) {
        refuseCode(typed);
        return 0;
    }
    if (ciferon::fieldsEdited(exercises, solutions, placed()) &&
        confirmInPage(std::string(ciferon::replaceEditedQuestion()).c_str()) == 0) {
        return 0;
    }
    placed() = ciferon::sheetLists(*sheet);
    handOver(*sheet);
    opened() = *sheet;
    return 1;
}

// The class-set dialog's defaults and maxima (each number from 1), and the heading's length,
// handed to the page (takeLimits): the core's, as every front-end has them.
extern "C" EMSCRIPTEN_KEEPALIVE void classSetLimits() {
    limitsToPage(ciferon::classSetDefault, ciferon::classSetMax, ciferon::sheetCountDefault,
                 ciferon::sheetCountMax, ciferon::sheetSeparatorDefault, ciferon::sheetSeparatorMax,
                 ciferon::headingMax, ciferon::headingLabel().c_str());
}

// "Nápověda": the core's help, section by section (takeHelp).
extern "C" EMSCRIPTEN_KEEPALIVE void help() {
    for (const ciferon::HelpSection& section : ciferon::helpSections()) {
        helpToPage(std::string(section.title).c_str(), std::string(section.text).c_str());
    }
}

// The class-set dialog's one check, on every change: hands the page the core's reason why the
// settings make no class set, or the empty text (takeProblem); returns 1 when they make one.
extern "C" EMSCRIPTEN_KEEPALIVE int checkClassSet(int sheets, int count, int separator,
                                                  const char* kinds, const char* heading,
                                                  const char* adapted, int adaptedCount) {
    const ciferon::ClassSetProblem problem = ciferon::classSetProblem(ciferon::page::dialogSettings(
        sheets, count, separator, kinds, heading, adapted, adaptedCount));
    problemToPage(problem.text.c_str());
    return problem ? 0 : 1;
}

// "Pracovní listy pro třídu…": makes a class set of the kinds listed as a teacher numbers them
// ("1-3,14"), with the adapted sheets listed so ("3, 7", "všechny") and their count, under the
// heading, one-sided or two-sided (`duplex`), with the common mistakes in the key or not
// (`mistakes`), seeded from the clock, and keeps it for printSheets(); returns 0 when the
// core's check refuses the settings.
extern "C" EMSCRIPTEN_KEEPALIVE int classSet(int sheets, int count, int separator,
                                             const char* kinds, const char* heading,
                                             const char* adapted, int adaptedCount, int duplex,
                                             int mistakes) {
    const ciferon::ClassSetSettings settings = ciferon::page::dialogSettings(
        sheets, count, separator, kinds, heading, adapted, adaptedCount);
    if (ciferon::classSetProblem(settings)) {
        return 0;
    }
    clockRandom().seed();
    kept() = ciferon::makeClassSet(settings, {duplex != 0, mistakes != 0}, clockRandom());
    return 1;
}

// The kept class set with its key, laid out by the core page by page and handed to the page
// to draw (takeLayout).
extern "C" EMSCRIPTEN_KEEPALIVE void printSheets() {
    if (kept()) {
        layOut(*kept());
    }
}

// The address's fragment after "#": a class set of exactly the codes of "print=", as the
// command line's --codes makes it, laid out and handed to the page to draw (takeLayout);
// returns 1. An address that the core refuses is refused through the page (refuse), nothing
// laid out, and gives -1; one that asks for no printing gives 0.
extern "C" EMSCRIPTEN_KEEPALIVE int printAddress(const char* fragment) {
    const auto read = ciferon::page::readPrintAddress(fragment);
    if (const auto* refusal = std::get_if<ciferon::page::AddressRefusal>(&read)) {
        refuseInPage(refusal->text.c_str());
        return -1;
    }
    if (const auto* set = std::get_if<ciferon::ClassSet>(&read)) {
        layOut(*set);
        return 1;
    }
    return 0;
}

// The two fields as they stand, edits included, laid out by the core's list layout as the
// desktop prints them and handed to the page to draw (takeListsLayout).
extern "C" EMSCRIPTEN_KEEPALIVE void printLists(const char* exercises, const char* solutions) {
    listsLayoutToPage(
        ciferon::page::layoutJson(ciferon::listsLayout(exercises, solutions)).c_str());
}

// "Tisk…" of the sheet last opened by its code, alone with its key, laid out adapted when
// `adapted` ("Upravený list"), and handed to the page to draw (takeLayout).
extern "C" EMSCRIPTEN_KEEPALIVE void printOpened(int adapted) {
    if (opened()) {
        layOut(ciferon::sheetAlone(*opened(), adapted != 0));
    }
}

// Whether the fields, as the page holds them, still hold the sheet last opened by its code
// unedited: then "Tisk…" prints that sheet with its key.
extern "C" EMSCRIPTEN_KEEPALIVE int openedUnedited(const char* exercises, const char* solutions) {
    return opened() && ciferon::holdsUnedited(ciferon::sheetLists(*opened()), exercises, solutions)
               ? 1
               : 0;
}

// A count typed into the class-set dialog, as the core reads it: the adapted sheets' count
// when `adapted`, else the sheets, the exercises or the separator.
extern "C" EMSCRIPTEN_KEEPALIVE int typedCount(const char* typed, int adapted) {
    return adapted != 0 ? ciferon::typedAdaptedCount(typed) : ciferon::typedCount(typed);
}

// Whether the adapted sheets' count still follows the set's, now that the teacher typed it.
extern "C" EMSCRIPTEN_KEEPALIVE int adaptedCountFollows(int followed, const char* adaptedCount,
                                                        const char* count) {
    return ciferon::adaptedCountFollows(followed != 0, ciferon::typedAdaptedCount(adaptedCount),
                                        ciferon::typedCount(count))
               ? 1
               : 0;
}

// The adapted sheets' count that the settings take (0: as many as on the others).
extern "C" EMSCRIPTEN_KEEPALIVE int adaptedCountSetting(int follows, const char* adaptedCount,
                                                        const char* adapted) {
    return ciferon::adaptedCountSetting(follows != 0, ciferon::typedAdaptedCount(adaptedCount),
                                        adapted);
}

// Whether any adapted sheets are listed, so that their count may be set.
extern "C" EMSCRIPTEN_KEEPALIVE int adaptedSheetsListed(const char* adapted) {
    return ciferon::adaptedSheetsListed(adapted) ? 1 : 0;
}

// The box of topic `topic` (in the order of kindChoice()) for the kinds listed: 0 cleared,
// 1 partly ticked, 2 ticked.
extern "C" EMSCRIPTEN_KEEPALIVE int topicState(const char* kinds, int topic) {
    const auto& topics = ciferon::kindTopics();
    if (topic < 0 || static_cast<std::size_t>(topic) >= topics.size()) {
        return 0;
    }
    return static_cast<int>(ciferon::topicState(topics.at(static_cast<std::size_t>(topic)),
                                                ciferon::page::chosenKinds(kinds)));
}

// A click on the box of topic `topic`: the kinds chosen after it, bit k for kind k.
extern "C" EMSCRIPTEN_KEEPALIVE int clickTopic(const char* kinds, int topic) {
    const auto& topics = ciferon::kindTopics();
    if (topic < 0 || static_cast<std::size_t>(topic) >= topics.size()) {
        return ciferon::page::chosenKinds(kinds);
    }
    return ciferon::clickTopic(topics.at(static_cast<std::size_t>(topic)),
                               ciferon::page::chosenKinds(kinds));
}

namespace {

// clang-format off
EM_JS(void, kindToPage, (const char* topic, int kind, int number, const char* name,
                        const char* example), {
    Module.takeKind(UTF8ToString(topic), kind, number, UTF8ToString(name), UTF8ToString(example));
});

EM_JS(void, checkToPage, (const char* code, const char* intro, const char* honest), {
    Module.takeCheck(UTF8ToString(code), UTF8ToString(intro), UTF8ToString(honest));
});

EM_JS(void, checkItemToPage, (int number, const char* exercise, const char* solution,
                              int remainder, int groupEnd), {
    Module.takeCheckItem(number, UTF8ToString(exercise), UTF8ToString(solution), remainder !== 0,
                         groupEnd !== 0);
});

EM_JS(void, marksToPage, (const char* marks, const char* texts, const char* offers,
                         const char* summary, const char* resultLine), {
    Module.takeMarks(UTF8ToString(marks), UTF8ToString(texts).split("\n"), UTF8ToString(offers),
                     UTF8ToString(summary), UTF8ToString(resultLine));
});
// clang-format on

// The sheet being checked: its marks, first evaluated marks and solutions shown.
ciferon::CheckSession& check() {
    static ciferon::CheckSession session({});
    return session;
}

// The sheet being checked, whose result code the check ends with.
ciferon::Sheet& checkedSheet() {
    static ciferon::Sheet sheet;
    return sheet;
}

// The marks as they count, their texts, whether each offers its solution, the summary and the
// result code's line (takeMarks).
void marksOut() {
    const ciferon::page::MarksText marks = ciferon::page::marksText(check());
    marksToPage(marks.letters.c_str(), marks.texts.c_str(), marks.offers.c_str(),
                marks.summary.c_str(),
                ciferon::resultCodeLine(checkedSheet(), check().marks()).c_str());
}

}  // namespace

// The kind choice of the class-set dialog: every topic's kinds in the order shown, each with
// its name and example, handed to the page one by one (takeKind).
extern "C" EMSCRIPTEN_KEEPALIVE void kindChoice() {
    for (const ciferon::KindTopic& topic : ciferon::kindTopics()) {
        const std::string topicName(topic.name);
        for (const int kind : topic.kinds) {
            // The teacher's number of a kind, as lists of kinds are typed.
            kindToPage(topicName.c_str(), kind, kind + 1,
                       std::string(ciferon::kindName(kind)).c_str(),
                       ciferon::kindExample(kind).c_str());
        }
    }
}

// "Zkontrolovat list podle kódu…": hands the sheet of a typed code to the page with the check
// view's words to the pupil and its honest line (takeCheck), then its exercises one by one
// with their worked solutions as the check shows them,
// whether each takes a remainder and where a group ends (takeCheckItem), and keeps their
// results for marking; a code that is not valid is refused through the page and gives 0.
extern "C" EMSCRIPTEN_KEEPALIVE int checkSheet(const char* typed) {
    const auto sheet = ciferon::readSheetCode(typed);
    if (!sheet) {
        refuseCode(typed);
        return 0;
    }
    check() = ciferon::CheckSession(ciferon::sheetItems(*sheet));
    checkedSheet() = *sheet;
    checkToPage(ciferon::sheetCode(*sheet).c_str(), std::string(ciferon::checkIntro()).c_str(),
                std::string(ciferon::honestLine()).c_str());
    for (const ciferon::SheetItem& item : check().items()) {
        checkItemToPage(item.number, item.exercise.c_str(), ciferon::checkSolution(item).c_str(),
                        item.result.remainder ? 1 : 0, item.groupEnd ? 1 : 0);
    }
    return 1;
}

// "Vyhodnotit": marks the checked sheet's answers, given as lines, two for each exercise: the
// answer and the remainder (empty where the result has none); missing lines are empty. Hands
// the marks as they count and the summary to the page (takeMarks).
extern "C" EMSCRIPTEN_KEEPALIVE void markAnswers(const char* answers) {
    ciferon::page::evaluateAnswerLines(check(), answers);
    marksOut();
}

// "Ukázat řešení" of the exercise at `index` (from 0): the marks and the summary again, that
// exercise counted as first evaluated and its solution as shown (takeMarks). Returns 0 when it
// was shown already or there is no such exercise.
extern "C" EMSCRIPTEN_KEEPALIVE int showCheckSolution(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= check().size() ||
        !check().showSolution(static_cast<std::size_t>(index))) {
        return 0;
    }
    marksOut();
    return 1;
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

EM_JS(void, projectionProblemToPage, (const char* problem), {
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

EM_JS(void, frameToPage, (double margin, int cornerSize, int timeSize, double timeAbove,
                          double exerciseTop, double stepsBelow, double cellGap), {
    Module.takeProjectionFrame({margin, cornerSize, timeSize, timeAbove, exerciseTop, stepsBelow,
                                cellGap});
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

// The dialog's request, the kinds as a teacher's list.
ciferon::ProjectionRequest projectionRequest(int count, int seconds, const char* kinds,
                                             const char* code) {
    return {count, seconds, ciferon::page::chosenKinds(kinds), code};
}

void projectionOut() {
    const ciferon::Projection& view = *projection();
    std::string exercise;
    std::string solution;
    if (!view.onEndScreen()) {
        const ciferon::SheetItem& item = view.items().at(static_cast<std::size_t>(view.current()));
        exercise = item.exercise;
        solution = item.working;
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
extern "C" EMSCRIPTEN_KEEPALIVE void projectionProblem(int count, int seconds, const char* kinds,
                                                       const char* code) {
    projectionProblemToPage(
        ciferon::projectionProblem(projectionRequest(count, seconds, kinds, code)).c_str());
}

// "Promítat": the sheet of the request, a new one seeded from the clock or that of the code;
// hands the end screen's texts (takeProjectionTexts) and the first state (takeProjection) to
// the page. Returns 0, having handed the problem over, when there is no sheet.
extern "C" EMSCRIPTEN_KEEPALIVE int startProjection(int count, int seconds, const char* kinds,
                                                    const char* code) {
    const ciferon::ProjectionRequest request = projectionRequest(count, seconds, kinds, code);
    const ciferon::ProjectionSheet chosen = ciferon::projectionSheet(request, clockRandom());
    if (!chosen.sheet) {
        projectionProblemToPage(chosen.problem.c_str());
        return 0;
    }
    projection() = std::make_unique<ciferon::Projection>(*chosen.sheet, request.seconds);
    resultsToPage(std::string(ciferon::resultsTitle).c_str(),
                  ciferon::page::resultCellLines(projection()->items()).c_str(),
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

// A key by its name (KeyboardEvent.key): the action it takes (as projectionAct numbers them),
// or -1 for a key that the view leaves alone.
extern "C" EMSCRIPTEN_KEEPALIVE int projectionKey(const char* key) {
    const auto action = ciferon::projectionKeyAction(key);
    return action ? static_cast<int>(*action) : -1;
}

// A click `x` pixels from the left of a view `width` wide: the action it takes.
extern "C" EMSCRIPTEN_KEEPALIVE int projectionClick(double x, double width) {
    return static_cast<int>(ciferon::projectionClickAction(x, width));
}

// Where the view's parts stand on a screen `height` pixels high, handed to the page
// (takeProjectionFrame).
extern "C" EMSCRIPTEN_KEEPALIVE void projectionFrame(int height) {
    const ciferon::ProjectionFrame frame = ciferon::projectionFrame(height);
    frameToPage(frame.margin, frame.cornerSize, frame.timeSize, frame.timeAbove, frame.exerciseTop,
                frame.stepsBelow, frame.cellGap);
}

namespace {

// The core's JSON handed to the page's `taker` (takeLayout, takeFollowUp …), or, when it is
// {"refusal": …}, the core's sentence to the page's refuse; 1 when taken.
// clang-format off
EM_JS(int, takenOrRefused, (const char* json, const char* taker), {
    const given = JSON.parse(UTF8ToString(json));
    if (given.refusal !== undefined) {
        Module.refuse(given.refusal);
        return 0;
    }
    Module[UTF8ToString(taker)](given);
    return 1;
});
// clang-format on

}  // namespace

// "Přehled třídy" to print: the overview of a set file's text (its name `name` in a refusal)
// with marks on the scale as typed ("" for the usual one), laid out by the core as the desktop
// prints it and handed to the page to draw (takeLayout); returns 1. A file or scale the core
// refuses is refused through the page (refuse), nothing laid out, and gives 0.
extern "C" EMSCRIPTEN_KEEPALIVE int printClassOverview(const char* setText, const char* name,
                                                       const char* scale) {
    return takenOrRefused(ciferon::page::overviewLayoutJson(setText, name, scale).c_str(),
                          "takeLayout");
}

namespace {

// clang-format off
EM_JS(void, setToPage, (const char* grid), {
    Module.takeSet(JSON.parse(UTF8ToString(grid)));
});

EM_JS(void, rowToPage, (int sheet, const char* row), {
    Module.takeRow(sheet, JSON.parse(UTF8ToString(row)));
});

// A text's bytes exactly, a byte-order mark included.
EM_JS(void, bytesToPage, (const char* bytes, int size), {
    Module.takeText(HEAPU8.slice(bytes, bytes + size));
});

EM_JS(void, overviewToPage, (const char* overview), {
    Module.takeOverview(JSON.parse(UTF8ToString(overview)));
});
// clang-format on

void textToPage(const std::string& text) {
    bytesToPage(text.data(), static_cast<int>(text.size()));
}

// The class set open on the page, with its results.
std::optional<ciferon::page::OpenSet>& openSet() {
    static std::optional<ciferon::page::OpenSet> set;
    return set;
}

void setOut() {
    setToPage(ciferon::page::gridJson(*openSet()).c_str());
}

// A sheet's row to the page again, after a change.
int rowOut(std::size_t sheet) {
    rowToPage(static_cast<int>(sheet), ciferon::page::rowJson(*openSet(), sheet).c_str());
    return 1;
}

bool haveSheet(int sheet) {
    return openSet() && sheet >= 0 &&
           static_cast<std::size_t>(sheet) < openSet()->set.sheets.size();
}

}  // namespace

// "Otevřít sadu…": the set file of `size` bytes, named `name`, opened as the page's set and
// handed to the page (takeSet); returns 1. A file that the core refuses is refused through the
// page (refuse) with the core's sentence, unless `quiet`, and gives 0; the open set stays.
extern "C" EMSCRIPTEN_KEEPALIVE int openSetFile(const char* bytes, int size, const char* name,
                                                int quiet) {
    ciferon::SetFileReading read =
        ciferon::readSetFile(std::string_view(bytes, static_cast<std::size_t>(size)), name);
    if (!read.set) {
        if (quiet == 0) {
            refuseInPage(read.refusal.c_str());
        }
        return 0;
    }
    openSet().emplace(std::move(*read.set));
    setOut();
    return 1;
}

// The class set just made in the dialog (classSet) opened as the page's set, not yet saved to
// a file (takeSet).
extern "C" EMSCRIPTEN_KEEPALIVE int adoptClassSet() {
    if (!kept()) {
        return 0;
    }
    openSet().emplace(ciferon::setFileOf(*kept()));
    setOut();
    return 1;
}

// "Zavřít sadu".
extern "C" EMSCRIPTEN_KEEPALIVE void closeSet() {
    openSet().reset();
}

// A cell of the grid typed into, its whole text: the sheet's row back to the page (takeRow);
// 0 when nothing changed.
extern "C" EMSCRIPTEN_KEEPALIVE int typeCell(int sheet, int exercise, const char* text,
                                             int newStep) {
    if (!haveSheet(sheet) || exercise < 0 ||
        !ciferon::page::typeCell(*openSet(), static_cast<std::size_t>(sheet),
                                 static_cast<std::size_t>(exercise), text, newStep != 0)) {
        return 0;
    }
    return rowOut(static_cast<std::size_t>(sheet));
}

// "Odevzdáno" (`handIn` 1) and "Vymazat řádek" (0) of a sheet: its row back to the page
// (takeRow); 0 when there was nothing to do.
extern "C" EMSCRIPTEN_KEEPALIVE int markSheet(int sheet, int handIn) {
    if (!haveSheet(sheet)) {
        return 0;
    }
    const auto at = static_cast<std::size_t>(sheet);
    const bool done = handIn != 0 ? ciferon::page::handInSheet(*openSet(), at)
                                  : ciferon::page::clearSheet(*openSet(), at);
    return done ? rowOut(at) : 0;
}

// "Kód výsledku…": asks for the sheet's result code and fills its row from it, the row back to
// the page (takeRow); a code the core refuses is refused through the page (refuse). 0 when
// nothing changed.
extern "C" EMSCRIPTEN_KEEPALIVE int enterRowResultCode(int sheet) {
    if (!haveSheet(sheet)) {
        return 0;
    }
    const auto at = static_cast<std::size_t>(sheet);
    const std::unique_ptr<char, decltype(&std::free)> typed(
        askTextInPage(
            ciferon::resultCodeQuestion(at + 1, ciferon::sheetCode(openSet()->set.sheets[at].sheet))
                .c_str()),
        &std::free);
    if (!typed || std::string_view(typed.get()).empty()) {
        return 0;
    }
    const std::string refusal = ciferon::page::enterRowResultCode(*openSet(), at, typed.get());
    if (!refusal.empty()) {
        refuseInPage(refusal.c_str());
        return 0;
    }
    return rowOut(at);
}

// Ctrl+Z: the last change undone, its sheet's row back to the page (takeRow); returns the
// sheet, or -1 when there is nothing to undo.
extern "C" EMSCRIPTEN_KEEPALIVE int undoEntry() {
    const auto sheet = openSet() ? ciferon::page::undoChange(*openSet()) : std::nullopt;
    if (!sheet) {
        return -1;
    }
    rowOut(*sheet);
    return static_cast<int>(*sheet);
}

// "Jména…": names pasted as a list, one a line in sheet order; the grid again (takeSet), or
// the core's refusal through the page (refuse) and 0.
extern "C" EMSCRIPTEN_KEEPALIVE int setNames(const char* list) {
    if (!openSet()) {
        return 0;
    }
    const std::string refusal = ciferon::page::setNames(*openSet(), list);
    if (!refusal.empty()) {
        refuseInPage(refusal.c_str());
        return 0;
    }
    setOut();
    return 1;
}

// The open set's text for the browser's storage, with the names only when `names` (takeText, as
// bytes).
extern "C" EMSCRIPTEN_KEEPALIVE int storedSet(int names) {
    if (!openSet()) {
        return 0;
    }
    textToPage(ciferon::page::storedText(openSet()->set, names != 0));
    return 1;
}

// "Uložit sadu": the set file's text, saved `seconds` after 1970 (takeText, as bytes).
extern "C" EMSCRIPTEN_KEEPALIVE int saveSet(double seconds) {
    if (!openSet()) {
        return 0;
    }
    textToPage(ciferon::page::downloadText(openSet()->set, static_cast<long long>(seconds)));
    return 1;
}

// "Přehled třídy" with the marks of the scale as typed ("90,75,50,30"; takeOverview), or 0
// for a scale the core does not read; with `csv`, the overview's CSV instead (takeText, as bytes).
extern "C" EMSCRIPTEN_KEEPALIVE int setOverview(const char* scale, int csv) {
    const auto read = ciferon::readMarkScale(scale);
    if (!openSet() || !read) {
        return 0;
    }
    if (csv != 0) {
        textToPage(ciferon::overviewCsv(ciferon::overviewOf(openSet()->set, *read)));
    } else {
        overviewToPage(ciferon::page::overviewJson(openSet()->set, *read).c_str());
    }
    return 1;
}

// "Vytisknout přehled…": the open set's overview with the marks of the scale as typed, laid out
// by the core as the desktop prints it and handed to the page to draw (takeLayout); 0 for no
// open set or a scale the core does not read.
extern "C" EMSCRIPTEN_KEEPALIVE int printSetOverview(const char* scale) {
    const auto read = ciferon::readMarkScale(scale);
    if (!openSet() || !read) {
        return 0;
    }
    const ciferon::SetFile& set = openSet()->set;
    layoutToPage(
        ciferon::page::layoutJson(ciferon::overviewLayout(set, ciferon::overviewOf(set, *read)))
            .c_str());
    return 1;
}

// "Vytisknout sadu…": the open set's sheets and key as they were made, laid out by the core and
// handed to the page to draw (takeLayout), as the command line's --set F --pdf prints them;
// 0 for no open set.
extern "C" EMSCRIPTEN_KEEPALIVE int printOpenSet() {
    if (!openSet()) {
        return 0;
    }
    layOut(ciferon::classSetOf(openSet()->set));
    return 1;
}

// "Uložit jako DOCX" and "Uložit jako ODT": the class set that classSet() made, with its key,
// as an editable document (`format` 0 for DOCX, 1 for ODT), handed to the page to download
// (takeDocument).
extern "C" EMSCRIPTEN_KEEPALIVE void saveDocument(int format) {
    if (kept()) {
        const auto chosen =
            format == 1 ? ciferon::DocumentFormat::Odt : ciferon::DocumentFormat::Docx;
        const std::string bytes = ciferon::classSetDocument(*kept(), chosen);
        const std::string name =
            std::string("pracovni-listy.").append(ciferon::documentExtension(chosen));
        documentToPage(bytes.data(), static_cast<int>(bytes.size()), name.c_str(),
                       std::string(ciferon::documentMediaType(chosen)).c_str());
    }
}

namespace {

ciferon::FollowUpMode followUpMode(int wholeClass) {
    return wholeClass != 0 ? ciferon::FollowUpMode::WholeClass : ciferon::FollowUpMode::OwnResults;
}

// The follow-up set made last (makeFollowUp), until it is the open set.
std::optional<ciferon::SetFile>& followUp() {
    static std::optional<ciferon::SetFile> made;
    return made;
}

}  // namespace

// "Procvičit podle výsledků…": what each sheet of the open set's follow-up practises, from its
// pupil's results or, with `wholeClass`, the class's weakest kinds, and why, with the dialog's
// texts, handed to the page (takeFollowUp); returns 1. A set without results is refused through
// the page (refuse) with the core's sentence, and gives 0.
extern "C" EMSCRIPTEN_KEEPALIVE int showFollowUp(int wholeClass) {
    if (!openSet()) {
        return 0;
    }
    return takenOrRefused(
        ciferon::page::followUpJson(openSet()->set, followUpMode(wholeClass)).c_str(),
        "takeFollowUp");
}

// The dialog confirmed: the open set's follow-up as planned, its seeds from the clock, laid out
// with its key by the core and handed to the page to draw (takeLayout), and kept for
// adoptFollowUp(); 0 for no open set or one without results.
extern "C" EMSCRIPTEN_KEEPALIVE int makeFollowUp(int wholeClass) {
    if (!openSet()) {
        return 0;
    }
    const ciferon::SetFile& set = openSet()->set;
    const ciferon::FollowUpPlan plan = ciferon::followUpPlan(set, followUpMode(wholeClass));
    if (!plan.refusal.empty()) {
        return 0;
    }
    clockRandom().seed();
    followUp() = ciferon::followUpSet(set, plan, clockRandom());
    layOut(ciferon::classSetOf(*followUp()));
    return 1;
}

// The follow-up just made opened as the page's set, not yet saved to a file (takeSet), and the
// name its file is offered under after `followed`, the file name of the set it follows (takeText,
// as bytes; empty when that set had none).
extern "C" EMSCRIPTEN_KEEPALIVE int adoptFollowUp(const char* followed) {
    if (!followUp()) {
        return 0;
    }
    openSet().emplace(std::move(*followUp()));
    followUp().reset();
    setOut();
    textToPage(ciferon::followUpSetName(followed));
    return 1;
}
