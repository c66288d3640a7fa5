#include "projection/projection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "classset/classset.h"
#include "marking/results.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

std::string rangeText(std::string_view name, int low, int high) {
    return std::string(name) + " musí být celé číslo od " + std::to_string(low) + " do " +
           std::to_string(high) + ".";
}

bool blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The largest whole size at which a text `widthAtReference` wide at the reference size takes
// at most `room` pixels; widths grow in proportion to the size.
int fittingSize(double room, double widthAtReference) {
    if (widthAtReference <= 0) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(std::floor(room * projectionReferenceSize / widthAtReference));
}

}  // namespace

std::string projectionProblem(const ProjectionRequest& request) {
    if (request.seconds < projectionSecondsMin || request.seconds > projectionSecondsMax) {
        return rangeText("Počet sekund na příklad", projectionSecondsMin, projectionSecondsMax);
    }
    std::string countLimit = rangeText("Počet příkladů", projectionCountMin, projectionCountMax);
    if (!blank(request.code)) {
        const auto sheet = readSheetCode(request.code);
        if (!sheet) {
            return codeRefusal(request.code);
        }
        // A sheet of a code keeps to the same limit as a new one: more would not be legible.
        if (sheet->count > projectionCountMax) {
            return "List kódu „" + sheetCode(*sheet) + "“ má " + std::to_string(sheet->count) +
                   " příkladů. " + countLimit;
        }
        return {};
    }
    if (request.count < projectionCountMin || request.count > projectionCountMax) {
        return countLimit;
    }
    ClassSetSettings settings;
    settings.sheets = 1;
    settings.count = request.count;
    settings.kinds = request.kinds;
    return classSetProblem(settings).text;
}

ProjectionSheet projectionSheet(const ProjectionRequest& request, RandomSource& random) {
    std::string problem = projectionProblem(request);
    if (!problem.empty()) {
        return {std::nullopt, std::move(problem)};
    }
    if (!blank(request.code)) {
        return {readSheetCode(request.code), {}};
    }
    random.seed();
    return {classSet(1, request.count, sheetSeparatorDefault, random, request.kinds).front(), {}};
}

std::vector<std::string> solutionSteps(const SheetItem& item) {
    if (item.working.empty()) {
        throw std::logic_error("an exercise without its working: " + item.exercise);
    }
    std::vector<std::string> steps;
    std::string_view rest(item.working);
    for (std::size_t end = rest.find('='); end != std::string_view::npos; end = rest.find('=')) {
        steps.emplace_back(rest.substr(0, end + 1));
        rest.remove_prefix(end + 1);
    }
    steps.emplace_back(rest);
    return steps;
}

int exerciseTypeSize(int screenWidth, int screenHeight, double widthAtReference) {
    return std::max(1,
                    std::min(screenHeight / 8, fittingSize(0.9 * screenWidth, widthAtReference)));
}

std::vector<ResultCell> resultCells(const std::vector<SheetItem>& items) {
    std::vector<ResultCell> cells;
    cells.reserve(items.size());
    for (const SheetItem& item : items) {
        cells.push_back({std::to_string(item.number) + ".", resultText(item.result)});
    }
    return cells;
}

int resultsPerRow(int count) {
    // A group of the class set's size to a row, and more once that would take over six rows,
    // so that a long sheet opened by its code still fits on one screen.
    constexpr int rowsMost = 6;
    return std::max(sheetSeparatorDefault, (count + rowsMost - 1) / rowsMost);
}

int resultsTypeSize(int screenWidth, int screenHeight, double cellWidthAtReference, int count) {
    const int perRow = resultsPerRow(count);
    const int rows = (count + perRow - 1) / perRow;
    const int byHeight = static_cast<int>(std::floor(0.9 * screenHeight / (1.5 * (rows + 2))));
    const int byWidth = fittingSize(0.9 * screenWidth, cellWidthAtReference * perRow);
    return std::max(1, std::min({screenHeight / 8, byHeight, byWidth}));
}

std::optional<Projection::Action> projectionKeyAction(std::string_view key) {
    using Action = Projection::Action;
    struct KeyAction {
        std::string_view key;
        Action action;
    };
    // As presentation programs take them: forward and back, a step of the solution, pause,
    // a blank screen, the end.
    static constexpr std::array<KeyAction, 13> keys{{
        {"ArrowRight", Action::Next},
        {"PageDown", Action::Next},
        {" ", Action::Next},
        {"ArrowLeft", Action::Previous},
        {"PageUp", Action::Previous},
        {"Enter", Action::Step},
        {"ArrowDown", Action::Step},
        {"ArrowUp", Action::Unstep},
        {"p", Action::Pause},
        {"P", Action::Pause},
        {"b", Action::Blank},
        {"B", Action::Blank},
        {"Escape", Action::End},
    }};
    for (const KeyAction& one : keys) {
        if (one.key == key) {
            return one.action;
        }
    }
    return std::nullopt;
}

Projection::Action projectionClickAction(double x, double width) {
    return x >= width / 2 ? Projection::Action::Next : Projection::Action::Previous;
}

ProjectionFrame projectionFrame(int height) {
    ProjectionFrame frame;
    frame.margin = height / 40.0;
    frame.cornerSize = height / 30;
    frame.timeSize = height / 20;
    frame.timeAbove = frame.margin / 2;
    frame.exerciseTop = height * 0.3;
    frame.stepsBelow = 1.3;
    frame.cellGap = 2 / 3.0;
    return frame;
}

std::string projectionCodeLine(std::string_view code) {
    return sheetTitle(0, 0, code);
}

Projection::Projection(const Sheet& sheet, int seconds)
    : items_(sheetItems(sheet)),
      code_(sheetCode(sheet)),
      seconds_(std::clamp(seconds, projectionSecondsMin, projectionSecondsMax)) {
    steps_.reserve(items_.size());
    for (const SheetItem& item : items_) {
        steps_.push_back(solutionSteps(item));
    }
    show(0);
}

void Projection::show(int index) {
    current_ = std::clamp(index, 0, static_cast<int>(items_.size()));
    stepsShown_ = 0;
    millisecondsLeft_ = seconds_ * 1000;
}

bool Projection::act(Action action) {
    if (finished_) {
        return false;
    }
    if (action == Action::End) {
        finished_ = true;
        return true;
    }
    if (blanked_) {
        blanked_ = false;
        return true;
    }
    switch (action) {
        case Action::Blank:
            blanked_ = true;
            return true;
        case Action::Pause:
            if (!timed() || onEndScreen()) {
                return false;
            }
            paused_ = !paused_;
            return true;
        case Action::Next:
            if (onEndScreen()) {
                return false;
            }
            show(current_ + 1);
            return true;
        case Action::Previous:
            // Back to an exercise starts its time again.
            if (current_ == 0) {
                return false;
            }
            show(current_ - 1);
            return true;
        case Action::Step:
            if (onEndScreen() || stepsShown_ == static_cast<int>(steps().size())) {
                return false;
            }
            ++stepsShown_;
            return true;
        case Action::Unstep:
            if (stepsShown_ == 0) {
                return false;
            }
            --stepsShown_;
            return true;
        case Action::End:
            break;
    }
    return false;
}

bool Projection::tick(int milliseconds) {
    if (!timed() || onEndScreen() || paused_ || blanked_ || finished_ || milliseconds <= 0) {
        return false;
    }
    const int before = secondsLeft();
    millisecondsLeft_ -= milliseconds;
    if (millisecondsLeft_ <= 0) {
        show(current_ + 1);
        return true;
    }
    return secondsLeft() != before;
}

const std::vector<std::string>& Projection::steps() const {
    static const std::vector<std::string> none;
    return onEndScreen() ? none : steps_.at(static_cast<std::size_t>(current_));
}

std::string Projection::stepLine() const {
    std::string line;
    for (int step = 0; step < stepsShown_; ++step) {
        line += steps().at(static_cast<std::size_t>(step));
    }
    return line;
}

int Projection::secondsLeft() const {
    return timed() && !onEndScreen() ? (millisecondsLeft_ + 999) / 1000 : 0;
}

double Projection::timeShare() const {
    return timed() && !onEndScreen() ? millisecondsLeft_ / (seconds_ * 1000.0) : 0.0;
}

std::string Projection::cornerText() const {
    const int total = static_cast<int>(items_.size());
    return std::to_string(std::min(current_ + 1, total)) + " / " + std::to_string(total);
}

std::string Projection::spokenText() const {
    if (blanked_) {
        return std::string(blankedText);
    }
    if (onEndScreen()) {
        std::string text = std::string(resultsTitle) + ", " + projectionCodeLine(code_) + ":";
        for (const ResultCell& cell : resultCells(items_)) {
            text.append(" ").append(cell.label).append(" ").append(cell.text);
        }
        return text;
    }
    const SheetItem& item = items_.at(static_cast<std::size_t>(current_));
    std::string text = "Příklad " + std::to_string(current_ + 1) + " z " +
                       std::to_string(items_.size()) + ": " + item.exercise;
    if (stepsShown_ > 0) {
        text.append(" ").append(stepLine());
    }
    return text;
}

}  // namespace ciferon
