#include "marking/check_session.h"

#include <algorithm>
#include <utility>

namespace ciferon {

std::string checkSolution(const SheetItem& item) {
    std::string text = solutionLine(item);
    if (item.result.remainder) {
        const std::string key = resultText(item.result);
        if (text.ends_with(key)) {
            text.resize(text.size() - key.size());
            text.append(std::to_string(item.result.value))
                .append(" zb. ")
                .append(std::to_string(*item.result.remainder));
        }
    }
    return text;
}

CheckSession::CheckSession(std::vector<SheetItem> items)
    : items_(std::move(items)), exercises_(items_.size()) {}

void CheckSession::evaluate(std::size_t index, std::string_view answer,
                            std::string_view remainder) {
    Exercise& exercise = exercises_.at(index);
    exercise.last = markWithMistakes(items_.at(index), answer, remainder);
    const Mark mark = exercise.last.mark;
    if (!exercise.first && (mark == Mark::Right || mark == Mark::Wrong)) {
        exercise.first = exercise.last;
    }
    evaluated_ = true;
}

bool CheckSession::showSolution(std::size_t index) {
    Exercise& exercise = exercises_.at(index);
    if (exercise.shown) {
        return false;
    }
    exercise.shown = true;
    if (!exercise.first) {
        exercise.first = MarkedAnswer{};
    }
    return true;
}

int CheckSession::shownCount() const {
    return static_cast<int>(std::count_if(exercises_.begin(), exercises_.end(),
                                          [](const Exercise& exercise) { return exercise.shown; }));
}

MarkedAnswer CheckSession::mark(std::size_t index) const {
    const Exercise& exercise = exercises_.at(index);
    return exercise.shown ? *exercise.first : exercise.last;
}

bool CheckSession::offersSolution(std::size_t index) const {
    return !exercises_.at(index).shown && mark(index).mark == Mark::Wrong;
}

std::vector<MarkedAnswer> CheckSession::marks() const {
    std::vector<MarkedAnswer> counted;
    counted.reserve(exercises_.size());
    for (std::size_t i = 0; i < exercises_.size(); ++i) {
        counted.push_back(mark(i));
    }
    return counted;
}

std::string CheckSession::summary() const {
    return summaryText(marks(), shownCount());
}

}  // namespace ciferon
