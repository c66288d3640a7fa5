// The choice of exercise kinds by topic, as the class-set dialog and the projection dialog
// show it: a box for each of the core's topics that ticks or clears its kinds, and every
// kind with its teacher's number, its name and an example.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <array>
#include <vector>

#include "run/run.h"

namespace ciferon {

// The line under a dialog's kind choice that says why its settings are refused: it keeps
// room for two lines of a wrapped problem while hidden, so that the buttons below it do not
// move when it appears.
void keepRoomFor(QLabel& problemLine);

class KindChoiceBox final : public QGroupBox {
    Q_OBJECT

  public:
    explicit KindChoiceBox(KindChoice initial, QWidget* parent = nullptr);
    // Bit k set for kind k ticked.
    [[nodiscard]] KindChoice chosen() const;

  Q_SIGNALS:
    // A kind was ticked or cleared.
    void changed();

  private:
    // A topic's box ticked, cleared or partly ticked as its kinds are.
    void showTopics();

    std::array<QCheckBox*, kindCount> kinds_{};
    std::vector<QCheckBox*> topics_;
};

}  // namespace ciferon
