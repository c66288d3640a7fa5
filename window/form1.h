// The main window: two side-by-side fields for the exercise list and the solution list,
// and the four commands Generuj, copy, clear and quit.
#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <array>

#include "run.h"

namespace ciferon {

// The title of the prompts and of the confirmation.
inline const QString applicationTitle = QStringLiteral("Ciferon");

// Loads Qt's own Czech texts for the buttons of the standard dialogs ("Zrušit" for Cancel),
// whatever the desktop's language, since every other text of the program is Czech. Call
// once the application exists; false when Qt's translations are not installed, and the
// buttons then keep Qt's English texts.
bool useCzechDialogButtons();

// The modal questions the window puts to the user: real dialogs in the program, a script
// in tests.
class Prompts {
  public:
    virtual ~Prompts() = default;
    // A modal input prompt showing the question and the default answer; returns the
    // confirmed text, or the empty text when the prompt is cancelled.
    virtual QString askNumber(QWidget* parent, const QString& question,
                              const QString& defaultAnswer) = 0;
    // A modal question with OK and Cancel; true only for OK.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
};

// QInputDialog and QMessageBox.
class DialogPrompts final : public Prompts {
  public:
    QString askNumber(QWidget* parent, const QString& question,
                      const QString& defaultAnswer) override;
    bool confirm(QWidget* parent, const QString& text) override;
};

class Form1 final : public QWidget, private RunHost {
    Q_OBJECT

  public:
    Form1(Prompts& prompts, RandomSource& random, QWidget* parent = nullptr);

    // Command1: a generation run; a refused answer leaves both fields as they were.
    void generate();
    // Command2: the exercise list, a line break and the solution list, as the fields hold
    // them, onto the clipboard; nothing when the exercise field is empty.
    void copyToClipboard();
    // Command3: empties both fields after the user confirms.
    void clearFields();
    // Command4: ends the program at once.
    void quit();

    // A field's text with CR LF line breaks, as the run wrote it.
    [[nodiscard]] QString fieldText(int index) const;
    // The text last staged for the clipboard.
    [[nodiscard]] const QString& stagedText() const { return Text2; }

    const QString crlf;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::string askNumber(std::string_view question, int defaultAnswer) override;
    void showResults(const std::string& exercises, const std::string& solutions) override;
    void placeControls();

    Prompts& prompts_;
    RandomSource& random_;

    std::array<QPlainTextEdit*, 2> Text1{};
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    // Stages the clipboard text; not shown.
    QString Text2;
};

}  // namespace ciferon
