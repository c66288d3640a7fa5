// "Pracovní listy pro třídu": how many sheets, exercises per sheet, the group size and an
// optional heading; printed or saved as PDF.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include "form1.h"

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
    ClassSetRequest::Output output_ = ClassSetRequest::Output::Print;
};

}  // namespace ciferon
