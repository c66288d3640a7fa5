// "Výsledky třídy…": the pupils' answers of a class set typed into a grid, a row per sheet and
// a column per exercise, marked by the core as they are typed. Each cell shows the expected
// result faintly, so that the teacher, marking against the key, types only what differs: the
// pupil's wrong answer as written, or "-" for none. The set is written to its file as the
// answers are typed, so that nothing typed is lost if the program ends unexpectedly.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "classset/set_file.h"
#include "codes/items.h"

namespace ciferon {

class SetDocument;
class ResultsModel;

// The colours the grid marks with: never the only sign of a mark, each readable on white. The
// faint expected result keeps a contrast of at least 4.5 : 1.
inline const QColor expectedColour{0x6f, 0x6f, 0x6f};
inline const QColor rightColour{0x1b, 0x6e, 0x20};
inline const QColor wrongColour{0xb0, 0x00, 0x20};

class ResultsGrid final : public QWidget {
    Q_OBJECT

  public:
    // The grid of the document's open set, which has a file to be written to.
    explicit ResultsGrid(SetDocument& document, QWidget* parent = nullptr);
    ~ResultsGrid() override;
    ResultsGrid(const ResultsGrid&) = delete;
    ResultsGrid& operator=(const ResultsGrid&) = delete;
    ResultsGrid(ResultsGrid&&) = delete;
    ResultsGrid& operator=(ResultsGrid&&) = delete;

    // The first column of exercises; the ones before it are the number, the name and the code.
    static constexpr int firstExercise = 3;

    // "Odevzdáno": the current row's sheet handed in, all right where nothing is typed.
    void handInRow();
    // "Vymazat řádek": the current row's sheet not handed in, its answers gone.
    void clearRow();
    // "Jména…": the pupils' names pasted as a list, one a line in sheet order; a list that
    // does not fit the set is refused with the sentence that says why.
    void askNames();
    // "Kód výsledku…": the current row's marks and mistakes from the pupil's result code, in
    // place of its answers; a code refused (mistyped, another sheet's) changes nothing and says
    // why in the core's sentence.
    void askResultCode();
    // Ctrl+Z: the last change of a cell or a row undone.
    void undo();
    // The line under the grid: the current cell's exercise, its mark and the mistake named.
    [[nodiscard]] QString note() const;
    [[nodiscard]] QTableView* table() const { return table_; }
    // Writes what is not yet in the file; false when it cannot be written.
    bool saveNow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Change {
        int sheet = 0;
        int column = firstExercise;
        std::optional<SheetRow> before;
    };

    // The cell being typed in is left: its typing becomes one step to undo.
    void leaveCell();
    // Types into the current cell: `text` replaces it (fresh) or is added to it.
    void typeIntoCell(const QString& text, bool replace);
    void eraseInCell(bool all);
    void setCell(int sheet, int exercise, const std::string& text);
    void remember(int sheet, int column);
    void moveBy(int step);
    // After a change of the sheet's row: one cell of it to draw again, or (-1) all of them.
    void changed(int sheet, int column = -1);
    void showNote();
    void fitColumns();

    SetDocument& document_;
    std::vector<std::vector<SheetItem>> items_;  // of every sheet
    ResultsModel* model_;
    QTableView* table_;
    QLabel* note_;
    QLabel* saving_;
    QPushButton* handIn_;
    QPushButton* clear_;
    QTimer saveTimer_;
    std::vector<Change> undo_;
    bool fresh_ = true;         // the next character typed replaces the cell
    bool cellChanged_ = false;  // the current cell has a step to undo already
};

}  // namespace ciferon
