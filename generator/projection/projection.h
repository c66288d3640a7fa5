// The projection view: one sheet's exercises on the classroom screen, one at a time, with a
// timer, the worked solution step by step and an end screen of numbered results. Its rules
// live here; the window and the page only draw the state and pass on the teacher's keys and
// the clock's ticks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/items.h"
#include "codes/sheet.h"

namespace ciferon {

// The dialog's limits: "Počet příkladů" and "Sekund na příklad (0 = bez časomíry)".
inline constexpr int projectionCountMin = 1;
inline constexpr int projectionCountMax = 30;
inline constexpr int projectionCountDefault = 10;
inline constexpr int projectionSecondsMin = 0;
inline constexpr int projectionSecondsMax = 600;
inline constexpr int projectionSecondsDefault = 0;

// What the dialog asks for: a new sheet of `count` exercises of the chosen kinds, or, when
// `code` is not blank, the sheet of that code.
struct ProjectionRequest {
    int count = projectionCountDefault;
    int seconds = projectionSecondsDefault;
    KindChoice kinds = allKinds;
    std::string code;  // as typed
};

// The sheet a request projects, or the Czech sentence why there is none (a code that is not
// valid or whose sheet has more than projectionCountMax exercises, a number out of range, no
// kind chosen). A new sheet is one sheet of a class set, in
// groups of sheetSeparatorDefault, with its seed from the source, which this seeds.
// The problem alone, for a dialog that checks as the teacher types: empty when the request
// can be projected.
std::string projectionProblem(const ProjectionRequest& request);
struct ProjectionSheet {
    std::optional<Sheet> sheet;
    std::string problem;
};
ProjectionSheet projectionSheet(const ProjectionRequest& request, RandomSource& random);

// The steps of an item's working: its pieces, each up to and including its "=" (with the
// blank before it where the kind writes " ="), and the result last. «(31-27).(58-52)=» solved
// «4.6=24» gives «4.6=» and «24»; a result with its remainder, «8 (3)», is one step.
std::vector<std::string> solutionSteps(const SheetItem& item);

// The type size rule: the smaller of an eighth of the screen's height and the largest size at
// which a text of width `widthAtReference` at projectionReferenceSize pixels fits in 90 % of
// the screen's width; the front-end measures the text. Pixels throughout.
inline constexpr int projectionReferenceSize = 100;
int exerciseTypeSize(int screenWidth, int screenHeight, double widthAtReference);

// The end screen: numbered results in rows of resultsPerRow(count) cells, the way the key
// sets them out, under a title and above the set's code.
struct ResultCell {
    std::string label;  // "3."
    std::string text;   // resultText(): "24", "8 (3)"
};
std::vector<ResultCell> resultCells(const std::vector<SheetItem>& items);
int resultsPerRow(int count);
// The end screen's type size: its rows of cells and two lines more (title and code), each a
// line and a half high, in the screen's height; a row of widest cells (each
// `cellWidthAtReference` wide at projectionReferenceSize, gap included) in 90 % of its width.
int resultsTypeSize(int screenWidth, int screenHeight, double cellWidthAtReference, int count);

// The view's state and its transitions.
class Projection {
  public:
    enum class Action { Next, Previous, Step, Unstep, Pause, Blank, End };

    // `seconds` per exercise, 0 for no timer.
    Projection(const Sheet& sheet, int seconds);

    // A key or a click. While the screen is blanked, every action but Blank and End only
    // brings the view back, as presentation programs do. Returns whether the view changed.
    bool act(Action action);
    // The clock: `milliseconds` have passed. Time runs only while the exercise is shown,
    // neither paused nor blanked; when it runs out the next exercise comes, after the last
    // one the end screen. Returns whether the view changed (an exercise or a whole second).
    bool tick(int milliseconds);

    [[nodiscard]] const std::vector<SheetItem>& items() const { return items_; }
    [[nodiscard]] const std::string& code() const { return code_; }
    // The exercise shown, from 0; items().size() on the end screen.
    [[nodiscard]] int current() const { return current_; }
    [[nodiscard]] bool onEndScreen() const { return current_ == static_cast<int>(items_.size()); }
    // Esc: the view is over and its window goes.
    [[nodiscard]] bool finished() const { return finished_; }
    [[nodiscard]] bool paused() const { return paused_; }
    [[nodiscard]] bool blanked() const { return blanked_; }
    [[nodiscard]] bool timed() const { return seconds_ > 0; }
    // The current exercise's steps, and how many of them are shown.
    [[nodiscard]] const std::vector<std::string>& steps() const;
    [[nodiscard]] int stepsShown() const { return stepsShown_; }
    // The steps shown, joined: the line under the exercise.
    [[nodiscard]] std::string stepLine() const;
    // The time left: whole seconds, rounded up, and the bar's share of its full length.
    [[nodiscard]] int secondsLeft() const;
    [[nodiscard]] double timeShare() const;
    // "3 / 10".
    [[nodiscard]] std::string cornerText() const;
    // What a screen reader says of the view now: the exercise and the steps shown, the end
    // screen's title and code, or that the screen is blanked.
    [[nodiscard]] std::string spokenText() const;

  private:
    void show(int index);

    std::vector<SheetItem> items_;
    std::vector<std::vector<std::string>> steps_;
    std::string code_;
    int seconds_ = 0;
    int current_ = 0;
    int stepsShown_ = 0;
    int millisecondsLeft_ = 0;
    bool paused_ = false;
    bool blanked_ = false;
    bool finished_ = false;
};

// The teacher's keys by the names that keyboards give them, as the web's KeyboardEvent.key
// spells them ("ArrowRight", "PageDown", " ", "Enter", "Escape", "p"): the action each one
// takes, or none for a key that the view leaves alone.
std::optional<Projection::Action> projectionKeyAction(std::string_view key);

// A click on the view, `x` pixels from the left of a view `width` wide: the right half goes
// to the next exercise, the left half back.
Projection::Action projectionClickAction(double x, double width);

// Where the view's parts stand on a screen `height` pixels high, in pixels, and its type sizes
// besides the exercise's and the end screen's. The timer's bar runs along the bottom inside
// the margin, `margin` high, with the seconds above it.
struct ProjectionFrame {
    double margin = 0;       // around the corner and the timer; also the bar's height
    int cornerSize = 0;      // the corner's type size: where the set stands, and its code
    int timeSize = 0;        // the seconds' type size
    double timeAbove = 0;    // between the seconds and the bar
    double exerciseTop = 0;  // the exercise line's top
    // The steps' line starts this many of the exercise's line heights below its top.
    double stepsBelow = 0;
    // The gap after each end-screen cell, in the end screen's type size.
    double cellGap = 0;
};
ProjectionFrame projectionFrame(int height);

// The view's own texts.
inline constexpr std::string_view resultsTitle{"Výsledky"};
// Follows the seconds left, after a dash: "5 s – pozastaveno".
inline constexpr std::string_view pausedText{"pozastaveno"};
inline constexpr std::string_view blankedText{"Obrazovka je zatemněná"};
// "Kód XXXX-XXXX", as a sheet printed alone is titled.
std::string projectionCodeLine(std::string_view code);

}  // namespace ciferon
