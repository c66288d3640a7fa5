// "Přehled třídy": the class's results on screen as the core counts them (overview.h): per
// pupil right answers, percentage and mark on a scale the teacher may change, per kind the
// share right as bars, weakest first, per mistake how often and on which sheets, the
// exercises most often not right and the sheets not handed in. Exported as CSV for a
// spreadsheet and the grade book.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QWidget>
#include <vector>

#include "classset/set_file.h"
#include "marking/overview.h"

namespace ciferon {

// The per-kind share right as horizontal bars, "23 z 40" beside each.
class KindBars final : public QWidget {
  public:
    explicit KindBars(QWidget* parent = nullptr);
    void setKinds(std::vector<KindResult> kinds);
    // The lines as drawn: "6. Rozdíl součinu a podílu: 23 z 40".
    [[nodiscard]] QStringList lines() const;
    [[nodiscard]] QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<KindResult> kinds_;
};

class OverviewView final : public QDialog {
    Q_OBJECT

  public:
    explicit OverviewView(SetFile set, QWidget* parent = nullptr);

    [[nodiscard]] const Overview& overview() const { return overview_; }
    // "Uložit CSV…": the overview written to `path` for a spreadsheet; empty when done,
    // else why not.
    QString saveCsv(const QString& path) const;
    // "Uložit jako PDF…": the overview on A4 as the core lays it out, the page's print alike,
    // written to `path`; empty when done, else why not.
    QString savePdf(const QString& path) const;

  private:
    // The scale as typed, when it reads; the overview counted again with it.
    void rescale();
    void display(const Overview& overview);
    void askCsv();
    void askPdf();
    // "Tisk…": the same pages through the platform's print dialog.
    void print();
    // Where to save, asked with the platform's file dialog offering `name`; empty when
    // cancelled.
    QString askSavePath(const QString& title, const QString& filter, const QString& name);
    void cannotSave(const QString& path, const QString& fault);

    SetFile set_;
    MarkScale scale_;
    Overview overview_;
    QLineEdit* scaleField_;
    QLabel* scaleNote_;
    QLabel* handedIn_;
    QTableWidget* pupils_;
    KindBars* kinds_;
    QLabel* mistakes_;
    QLabel* hardest_;
    QLabel* missing_;
};

}  // namespace ciferon
