// "Pracovní listy pro třídu": how many sheets, exercises per sheet, the group size, which
// kinds of exercise, an optional heading, which sheets are adapted and how many exercises
// they hold, and one or both sides of the paper; printed, saved as PDF or previewed.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <vector>

#include "classset_request.h"
#include "kind_choice.h"

namespace ciferon {

class ClassSetDialog final : public QDialog {
    Q_OBJECT

  public:
    // Opens with `initial`'s values: the defaults, or what the teacher asked for last.
    explicit ClassSetDialog(const ClassSetRequest& initial, QWidget* parent = nullptr);
    // What was asked for; valid once the dialog was accepted.
    [[nodiscard]] ClassSetRequest request() const;

  private:
    // The commands enabled only while the settings make a class set, with a line saying
    // why not.
    void showChoice();
    void finish(ClassSetRequest::Output output);

    QSpinBox* sheets_;
    QSpinBox* count_;
    QSpinBox* separator_;
    QLineEdit* heading_;
    QLineEdit* adapted_;
    QSpinBox* adaptedCount_;
    // The adapted sheets' count follows the set's until the teacher sets it.
    bool adaptedCountFollows_ = true;
    QCheckBox* duplex_;
    QCheckBox* mistakes_;
    KindChoiceBox* kinds_;
    QLabel* noKinds_;
    std::vector<QPushButton*> commands_;
    ClassSetRequest::Output output_ = ClassSetRequest::Output::Print;
};

}  // namespace ciferon
