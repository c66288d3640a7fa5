// "Pracovní listy pro třídu": how many sheets, exercises per sheet, the group size, an
// optional heading and one or both sides of the paper; printed or saved as PDF.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include "classset_request.h"

namespace ciferon {

class ClassSetDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit ClassSetDialog(QWidget* parent = nullptr);
    // What was asked for; valid once the dialog was accepted.
    [[nodiscard]] ClassSetRequest request() const;

  private:
    QSpinBox* sheets_;
    QSpinBox* count_;
    QSpinBox* separator_;
    QLineEdit* heading_;
    QCheckBox* duplex_;
    ClassSetRequest::Output output_ = ClassSetRequest::Output::Print;
};

}  // namespace ciferon
