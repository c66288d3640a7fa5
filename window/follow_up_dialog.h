// "Procvičit podle výsledků": what each sheet of the follow-up set will practise, shown before
// anything is printed (the sheet's number, the pupil's name, the kinds and why), the choice
// that the whole class practise the class's weakest kinds instead, printed or saved as PDF.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QTableWidget>

#include "classset/follow_up.h"

namespace ciferon {

class FollowUpDialog final : public QDialog {
    Q_OBJECT

  public:
    enum class Output { Print, Pdf };

    // For a set whose plan has no refusal (followUpPlan()).
    explicit FollowUpDialog(const SetFile& set, QWidget* parent = nullptr);

    // What was chosen; valid once the dialog was accepted.
    [[nodiscard]] FollowUpMode mode() const;
    [[nodiscard]] const FollowUpPlan& plan() const { return plan_; }
    [[nodiscard]] Output output() const { return output_; }

  private:
    // The table from the plan of the mode chosen.
    void showPlan();

    const SetFile& set_;
    FollowUpPlan plan_;
    QCheckBox* wholeClass_;
    QTableWidget* table_;
    Output output_ = Output::Print;
};

}  // namespace ciferon
