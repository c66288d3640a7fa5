// The main window: two side-by-side fields for the exercise list and the solution list,
// and the four commands Generuj, copy, clear and quit.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QPagedPaintDevice>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "classset/classset.h"
#include "classset_request.h"
#include "codes/sheet.h"
#include "projection/projection.h"
#include "run/run.h"

namespace ciferon {

class ResultsGrid;
class SetDocument;

// The title of the prompts and of the confirmation.
inline const QString applicationTitle = QStringLiteral("Ciferon");

// Loads Qt's own Czech texts for the buttons of the standard dialogs ("Zrušit" for Cancel),
// whatever the desktop's language, since every other text of the program is Czech. Call
// once the application exists; false when Qt's translations are not installed, and the
// buttons then keep Qt's English texts.
bool useCzechDialogButtons();

// Sets the application's style: the platform's own, without the icon of the menu bar's
// overflow button, whose look-up costs more than the whole menu bar otherwise does at start.
// The menu bar holds two short menus and never overflows. Call before the window exists.
void useStartUpStyle();

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
    // A sheet's code, asked like the run's questions; empty when cancelled.
    virtual QString askCode(QWidget* parent, const QString& question) = 0;
    // A message with an OK button.
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // The class-set dialog, opening with `last`'s values; nothing when cancelled.
    virtual std::optional<ClassSetRequest> askClassSet(QWidget* parent,
                                                       const ClassSetRequest& last) = 0;
    // The projection dialog, opening with `last`'s values; nothing when cancelled.
    virtual std::optional<ProjectionRequest> askProjection(QWidget* parent,
                                                           const ProjectionRequest& last) = 0;
    // Where to save a PDF file, offering `suggestedName`; empty when cancelled.
    virtual QString askPdfFile(QWidget* parent, const QString& suggestedName) = 0;
    // The platform's print dialog for `printer`, preset to both sides of the paper when
    // `twoSided` and the printer can (else as the printer is set up): nothing when cancelled,
    // else whether it prints on both sides.
    virtual std::optional<bool> setUpPrinter(QWidget* parent, QPrinter& printer, bool twoSided) = 0;
    // The platform's file dialog for a set file ("sada"): where to save it, offering
    // `suggestedName`, or which to open; empty when cancelled.
    virtual QString askSetFile(QWidget* parent, bool save, const QString& suggestedName);
    // The platform's file dialog for an editable document, DOCX or ODT as its types offer:
    // where to save it, offering `suggestedName` (without its extension); empty when
    // cancelled.
    virtual QString askDocumentFile(QWidget* parent, const QString& suggestedName);
};

// QInputDialog and QMessageBox.
class DialogPrompts : public Prompts {
  public:
    QString askNumber(QWidget* parent, const QString& question,
                      const QString& defaultAnswer) override;
    bool confirm(QWidget* parent, const QString& text) override;
    QString askCode(QWidget* parent, const QString& question) override;
    void inform(QWidget* parent, const QString& text) override;
    std::optional<ClassSetRequest> askClassSet(QWidget* parent,
                                               const ClassSetRequest& last) override;
    std::optional<ProjectionRequest> askProjection(QWidget* parent,
                                                   const ProjectionRequest& last) override;
    QString askPdfFile(QWidget* parent, const QString& suggestedName) override;
    std::optional<bool> setUpPrinter(QWidget* parent, QPrinter& printer, bool twoSided) override;
};

// The main window: the client area with the two fields and the four buttons, under a menu
// bar for paper and sheets.
class Form1 final : public QMainWindow, private RunHost {
    Q_OBJECT

  public:
    Form1(Prompts& prompts, RandomSource& random, QWidget* parent = nullptr);
    // The results grid goes first: it writes what was typed last into the open set's file.
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;

    // Command1: a generation run; a refused answer leaves both fields as they were.
    void generate();
    // Command2: the exercise list, a line break and the solution list, as the fields hold
    // them, onto the clipboard; nothing when the exercise field is empty.
    void copyToClipboard();
    // Command3: empties both fields after the user confirms.
    void clearFields();
    // Command4: ends the program at once.
    void quit();

    // "Tisk…" and "Uložit jako PDF…": the two fields as they stand, or, while they hold a
    // sheet opened by its code unedited, that sheet with its key; laid out adapted while
    // "Upravený list" is ticked.
    void printFields();
    void saveFieldsAsPdf();
    // "Uložit jako dokument…": the two fields as they stand, as DOCX or ODT.
    void saveFieldsAsDocument();
    // "Pracovní listy pro třídu…": a class set of the chosen kinds with its key, printed,
    // saved as PDF or previewed. The dialog opens with the values last asked for while the
    // program runs, and again after a preview that printed nothing.
    void printClassSet();
    // "Otevřít list podle kódu…": asks for a code and shows that sheet in both fields; fields
    // the teacher has edited are replaced only once the teacher confirms.
    void openByCode();
    // "Zkontrolovat list podle kódu…": asks for a code as openByCode does and lets a pupil
    // check their results of that sheet.
    void checkByCode();
    // "Promítat…": asks what to project and shows it full screen, one exercise at a time. The
    // dialog opens with the values last asked for while the program runs.
    void project();
    // Fills both fields with the sheet's lists, replacing them as a run does.
    void openSheet(const Sheet& sheet);
    // "Nápověda": the core's short offline help.
    void help();
    // "O programu Ciferon".
    void about();

    // "Otevřít sadu…": a class set kept as a file; a file that is not one is refused with
    // the sentence that says why, and the open set stays.
    void openSet();
    // "Uložit sadu" and "Uložit sadu jako…": the open set into its file, or a file asked for.
    void saveSet();
    void saveSetAs();
    // "Výsledky třídy…": the grid of the open set's answers; a set not yet in a file is saved
    // first, since the grid writes every answer there as it is typed.
    void enterResults();
    // "Přehled třídy…": the open set's overview.
    void showOverview();
    // "Procvičit podle výsledků…": from the open set's results a new set, each sheet
    // practising what its pupil got wrong, shown first in its dialog, printed or saved as PDF,
    // then the open set, saved where the teacher says. A set without results is refused.
    void followUp();
    // The open set, shared with the results grid and the overview.
    [[nodiscard]] SetDocument& setDocument() { return *setDocument_; }
    [[nodiscard]] ResultsGrid* resultsGrid() const;

    // A field's text with CR LF line breaks, as the run wrote it.
    [[nodiscard]] QString fieldText(int index) const;
    // The text last staged for the clipboard.
    [[nodiscard]] const QString& stagedText() const { return Text2; }

    const QString crlf;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::string askNumber(std::string_view question, int defaultAnswer) override;
    void showResults(const std::string& exercises, const std::string& solutions) override;
    void placeControls();
    void buildMenus();
    // A sheet's code asked for; an invalid one is refused with a message. Nothing when
    // cancelled or refused.
    std::optional<Sheet> askSheet();
    // The sheet opened by its code, while both fields still hold it unedited.
    [[nodiscard]] std::optional<Sheet> shownSheet() const;
    bool paintFields(QPagedPaintDevice& device, bool duplex) const;
    // True once the PDF is written.
    bool savePdf(const QString& suggestedName, const QString& title,
                 const std::function<bool(QPagedPaintDevice&)>& draw);
    // Asks where, and writes the document in the format its file's extension names; a
    // message box says why it could not be written.
    void saveDocument(const QString& suggestedName, const std::function<Document()>& document);
    // Prints through the print dialog, preset to both sides when `duplex`; its final setting
    // decides. The job bears `title`. Reports every failure Qt or the print system tells of;
    // true when the job was sent without one.
    bool print(const QString& title,
               const std::function<bool(QPagedPaintDevice&, bool duplex)>& draw,
               bool duplex = false);
    // Qt's print preview of `draw`, laid out for both sides when the printer prints so; it may
    // print from there. True when it printed.
    bool preview(const QString& title,
                 const std::function<bool(QPagedPaintDevice&, bool duplex)>& draw, bool duplex);
    // A print job's end: reports every failure Qt or the print system tells of; true for none.
    bool checkPrinted(const QPrinter& printer, bool drawn);
    // A class set just made becomes the open set, to be saved with "Uložit sadu jako…".
    void keepClassSet(const ClassSet& made);
    // Closes the results grid, which may ask; false when it stays open.
    bool closeResultsGrid();
    // An open set, or a message saying that there is none.
    bool haveSet();

    Prompts& prompts_;
    RandomSource& random_;
    std::optional<Sheet> openedSheet_;
    // What a run or an opened sheet last put in the fields, to tell the teacher's edits.
    Lists placed_;
    ClassSetRequest lastClassSet_;
    ProjectionRequest lastProjection_;
    SetDocument* setDocument_;
    QPointer<ResultsGrid> resultsGrid_;

    QWidget* client_;
    // "Upravený list": a sheet opened by its code is printed adapted; off by default.
    QAction* adaptedPrint_ = nullptr;
    std::array<QPlainTextEdit*, 2> Text1{};
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    // Stages the clipboard text; not shown.
    QString Text2;
};

}  // namespace ciferon
