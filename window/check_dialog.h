// "Zkontrolovat list podle kódu…": a pupil types the results of a sheet's exercises and has
// them marked. The marking is the core's; this dialog only reads the fields and shows the
// marks. Nothing is stored and nothing is sent.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <vector>

#include "codes/items.h"
#include "codes/sheet.h"
#include "marking/check_session.h"
#include "marking/mistakes.h"
#include "marking/results.h"

namespace ciferon {

class CheckDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit CheckDialog(const Sheet& sheet, QWidget* parent = nullptr);

    // "Vyhodnotit": marks every answered exercise "správně" or "chybně", leaves unanswered
    // ones unmarked, offers the worked solution beside a wrong answer and shows the summary.
    void evaluate();
    // "Ukázat řešení" of the exercise at `index` (from 0): its line from the key, counted in
    // the summary from then on; the exercise counts as it was first evaluated.
    void showSolution(std::size_t index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    struct Exercise {
        QLineEdit* answer = nullptr;
        QLineEdit* remainder = nullptr;  // only for division with remainder
        QLabel* mark = nullptr;
        QPushButton* show = nullptr;
        QLabel* solution = nullptr;
    };

    QWidget* exerciseList();
    // Each exercise's mark and its "Ukázat řešení" as the session counts them.
    void showMarks();
    void showSummary();
    // Enter in an answer field moves on to the next field, from the last to "Vyhodnotit".
    void moveOn(const QLineEdit* from);

    std::vector<Exercise> exercises_;
    std::vector<QLineEdit*> fields_;  // every answer field in order
    QPalette rightPalette_;
    QPalette wrongPalette_;
    QScrollArea* scroll_;
    bool sized_ = false;
    QPushButton* evaluate_;
    QLabel* summary_;
    // "Kód výsledku: …" under the summary, for the pupil to write down; selectable to copy.
    QLabel* resultCode_;
    Sheet sheet_;
    CheckSession session_;
};

}  // namespace ciferon
