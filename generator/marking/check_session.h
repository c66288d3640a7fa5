// A pupil's check of one sheet, as the check dialog and the page both keep it: the marks of
// the last evaluation, each exercise's first evaluated mark and whether its worked solution
// was shown. Once a solution is shown, the exercise counts as it was first evaluated: an
// answer copied from the solution does not make it right, nor drop its mistake from the
// summary. An exercise whose solution is not shown counts as last evaluated, so that a pupil
// may mend a slip on their own.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/items.h"
#include "marking/mistakes.h"

namespace ciferon {

// The worked solution as the check shows it: the key's line, with a remainder written as the
// check's fields take it, "34:5 =6 zb. 4" rather than "34:5 =6 (4)".
std::string checkSolution(const SheetItem& item);

class CheckSession {
  public:
    explicit CheckSession(std::vector<SheetItem> items);

    const std::vector<SheetItem>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }

    // "Vyhodnotit" for one exercise: its answer field and its "zb." field. The first answer
    // that is right or wrong is kept as the exercise's first evaluated mark.
    void evaluate(std::size_t index, std::string_view answer, std::string_view remainder = {});
    // Whether any exercise has been evaluated: the summary is shown from then on.
    bool evaluated() const { return evaluated_; }

    // "Ukázat řešení": true when the solution was not shown before. An exercise never
    // evaluated counts from then on as it stands, not answered.
    bool showSolution(std::size_t index);
    bool solutionShown(std::size_t index) const { return exercises_.at(index).shown; }
    int shownCount() const;

    // The exercise's mark as shown beside it and counted in the summary: its first evaluated
    // one once its solution is shown, else its last.
    MarkedAnswer mark(std::size_t index) const;
    // Every exercise's mark as it counts, in order: what the pupil's result code carries.
    std::vector<MarkedAnswer> marks() const;
    // "Ukázat řešení" is offered beside a wrong mark whose solution is not shown yet.
    bool offersSolution(std::size_t index) const;
    // summaryText of the counted marks and the solutions shown.
    std::string summary() const;

  private:
    struct Exercise {
        MarkedAnswer last;
        std::optional<MarkedAnswer> first;
        bool shown = false;
    };
    std::vector<SheetItem> items_;
    std::vector<Exercise> exercises_;
    bool evaluated_ = false;
};

}  // namespace ciferon
