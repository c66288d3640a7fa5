#include "form1.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QInputDialog>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProxyStyle>
#include <QRect>
#include <QStandardPaths>
#include <QTranslator>

#ifdef CIFERON_CUPS
#include <dlfcn.h>
#endif

#include "check_dialog.h"
#include "classset/classset.h"
#include "classset_dialog.h"
#include "codes/items.h"
#include "documents/documents.h"
#include "follow_up_dialog.h"
#include "overview_view.h"
#include "paper.h"
#include "projection_view.h"
#include "results_grid.h"
#include "run/fields.h"
#include "set_document.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

const QString windowCaption = QStringLiteral("Ciferon pro pátou třídu");
const QString confirmation = QStringLiteral("Přejete si opravdu odsah pole odstranit");
const QString codeQuestion = QStringLiteral("Kód listu:");

// The layout was drawn in twips, 15 to a pixel at 96 dots per inch.
constexpr QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

constexpr QRect clientArea = twips(0, 0, 10275, 3720);
constexpr QRect exerciseField = twips(120, 120, 4575, 3015);
constexpr QRect solutionField = twips(4800, 120, 5295, 3015);
constexpr QRect generateButton = twips(120, 3240, 1935, 375);
constexpr QRect copyButton = twips(2160, 3240, 2535, 375);
constexpr QRect clearButton = twips(4920, 3240, 2535, 375);
constexpr QRect quitButton = twips(8280, 3240, 1815, 375);

// Whether the print system refused the job just sent. Qt's CUPS engine sends it with
// cupsPrintFile as the painter ends and drops that call's answer, so QPainter::end() and
// printerState() tell nothing of a queue that does not accept jobs or is gone; libcups keeps
// the scheduler's last answer for the thread that asked. A file, not a queue, sends nothing.
// libcups is asked at run time, not linked: linked, it and what it needs (gnutls, Kerberos,
// Avahi) would load at every start. Qt's print support has loaded it once a job was sent to
// a queue, so it is only looked up (RTLD_NOLOAD); where it is not loaded, no job went
// through it and there is no answer to read.
bool jobRefused(const QPrinter& printer) {
#ifdef CIFERON_CUPS
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        return false;
    }
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (cups == nullptr) {
        return false;
    }
    // ipp_status_t cupsLastError(void); the statuses up to IPP_STATUS_OK_EVENTS_COMPLETE
    // (0x0007) are successes.
    constexpr int lastSuccess = 0x0007;
    using LastError = int (*)();
    const auto lastError = reinterpret_cast<LastError>(dlsym(cups, "cupsLastError"));
    const bool refused = lastError != nullptr && lastError() > lastSuccess;
    dlclose(cups);  // only the reference this lookup took
    return refused;
#else
    (void)printer;
    return false;
#endif
}

QPlainTextEdit* listField(QWidget* parent, const QString& name, const QString& accessibleName,
                          const QString& description) {
    auto* field = new QPlainTextEdit(parent);
    field->setObjectName(name);
    field->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, so the keyboard can reach every command.
    field->setTabChangesFocus(true);
    field->setAccessibleName(accessibleName);
    field->setAccessibleDescription(description);
    return field;
}

QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption,
                           const QString& description) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // The platform's default font is too wide for the longest caption on its button.
    button->setFont(QFont(QStringLiteral("Arial"), 8));
    // Enter presses a focused button, as Space does.
    button->setAutoDefault(true);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(description);
    return button;
}

class StartUpStyle final : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton &&
            qobject_cast<const QMenuBar*>(widget) != nullptr) {
            return {};
        }
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

}  // namespace

void useStartUpStyle() {
    QApplication::setStyle(new StartUpStyle);
}

bool useCzechDialogButtons() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString DialogPrompts::askCode(QWidget* parent, const QString& question) {
    return askNumber(parent, question, QString());
}

void DialogPrompts::inform(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, applicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<ClassSetRequest> DialogPrompts::askClassSet(QWidget* parent,
                                                          const ClassSetRequest& last) {
    ClassSetDialog dialog(last, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.request();
}

std::optional<ProjectionRequest> DialogPrompts::askProjection(QWidget* parent,
                                                              const ProjectionRequest& last) {
    ProjectionDialog dialog(last, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.request();
}

QString DialogPrompts::askPdfFile(QWidget* parent, const QString& suggestedName) {
    QFileDialog dialog(parent, QStringLiteral("Uložit jako PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<bool> DialogPrompts::setUpPrinter(QWidget* parent, QPrinter& printer, bool twoSided) {
    if (twoSided) {
        // Bound on the long side, as portrait pages are; a printer printing on one side only
        // keeps its setting.
        printer.setDuplex(QPrinter::DuplexLongSide);
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return printer.duplex() != QPrinter::DuplexNone;
}

QString Prompts::askSetFile(QWidget* parent, bool save, const QString& suggestedName) {
    QFileDialog dialog(parent,
                       save ? QStringLiteral("Uložit sadu") : QStringLiteral("Otevřít sadu"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Sada Ciferonu (*.ciferon)"), QStringLiteral("Všechny soubory (*)")});
    dialog.setDefaultSuffix(QStringLiteral("ciferon"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
    if (save) {
        dialog.selectFile(suggestedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString Prompts::askDocumentFile(QWidget* parent, const QString& suggestedName) {
    QFileDialog dialog(parent, QStringLiteral("Uložit jako dokument"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString docx = QStringLiteral("Dokument Word (*.docx)");
    const QString odt = QStringLiteral("Dokument OpenDocument (*.odt)");
    dialog.setNameFilters({docx, odt});
    dialog.setDefaultSuffix(QStringLiteral("docx"));
    // A name typed without its extension takes the chosen type's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& type) {
        dialog.setDefaultSuffix(type == odt ? QStringLiteral("odt") : QStringLiteral("docx"));
    });
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
    dialog.selectFile(suggestedName + QStringLiteral(".docx"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString DialogPrompts::askNumber(QWidget* parent, const QString& question,
                                 const QString& defaultAnswer) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(applicationTitle);
    dialog.setLabelText(question);
    dialog.setTextValue(defaultAnswer);
    // Typing replaces the default answer.
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->selectAll();
    }
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

bool DialogPrompts::confirm(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, applicationTitle, text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

Form1::Form1(Prompts& prompts, RandomSource& random, QWidget* parent)
    : QMainWindow(parent),
      crlf(toQString(ciferon::crlf)),
      prompts_(prompts),
      random_(random),
      setDocument_(new SetDocument(this)),
      client_(new QWidget(this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowCaption);
    setAccessibleName(windowCaption);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);

    Command1 = commandButton(client_, QStringLiteral("Command1"), QStringLiteral("Generuj"),
                             QStringLiteral("Zeptá se na počet příkladů a vytvoří nové příklady "
                                            "s řešením"));
    Text1[0] = listField(client_, QStringLiteral("Text1_0"), QStringLiteral("Příklady"),
                         QStringLiteral("Seznam příkladů bez řešení"));
    Command2 = commandButton(client_, QStringLiteral("Command2"),
                             QStringLiteral("Kopíruj obě pole do schránky"),
                             QStringLiteral("Zkopíruje příklady a pod ně příklady s řešením "
                                            "do schránky"));
    Command3 =
        commandButton(client_, QStringLiteral("Command3"), QStringLiteral("Smaž obsah obou polí"),
                      QStringLiteral("Po potvrzení vymaže obě pole"));
    Command4 = commandButton(client_, QStringLiteral("Command4"), QStringLiteral("Ukonči práci"),
                             QStringLiteral("Ukončí program bez dotazu"));
    Text1[1] = listField(client_, QStringLiteral("Text1_1"), QStringLiteral("Příklady s řešením"),
                         QStringLiteral("Seznam příkladů, za každým jeho postup a výsledek"));

    // Generuj, exercises, copy, clear, quit, solutions.
    setTabOrder(Command1, Text1[0]);
    setTabOrder(Text1[0], Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Text1[1]);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form1::generate);
    connect(Command2, &QPushButton::clicked, this, &Form1::copyToClipboard);
    connect(Command3, &QPushButton::clicked, this, &Form1::clearFields);
    connect(Command4, &QPushButton::clicked, this, &Form1::quit);

    buildMenus();
    // The client area keeps its size; the window grows by the menu bar above it.
    client_->setMinimumSize(clientArea.size());
    client_->installEventFilter(this);
    resize(clientArea.width(), clientArea.height() + menuBar()->sizeHint().height());
    placeControls();
}

void Form1::buildMenus() {
    // The buttons' face: the window's controls share one, and a face of the menu bar's own
    // would add a tenth to the program's start.
    menuBar()->setFont(QFont(QStringLiteral("Arial"), 8));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Soubor"));
    file->addAction(QStringLiteral("&Tisk…"), QKeySequence::Print, this, &Form1::printFields);
    file->addAction(QStringLiteral("&Uložit jako PDF…"), this, &Form1::saveFieldsAsPdf);
    file->addAction(QStringLiteral("Uložit jako doku&ment…"), this, &Form1::saveFieldsAsDocument);
    adaptedPrint_ = file->addAction(QStringLiteral("Upravený l&ist"));
    adaptedPrint_->setObjectName(QStringLiteral("adaptedPrint"));
    adaptedPrint_->setCheckable(true);
    adaptedPrint_->setStatusTip(
        QStringLiteral("List otevřený podle kódu vytiskne větším písmem, s více místem a po "
                       "jednom příkladu na řádku"));
    file->addAction(QStringLiteral("&Pracovní listy pro třídu…"), this, &Form1::printClassSet);
    file->addAction(QStringLiteral("&Otevřít list podle kódu…"), this, &Form1::openByCode);
    file->addAction(QStringLiteral("&Zkontrolovat list podle kódu…"), this, &Form1::checkByCode);
    file->addAction(QStringLiteral("P&romítat…"), this, &Form1::project);
    file->addSeparator();
    file->addAction(QStringLiteral("Otevřít s&adu…"), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                    &Form1::openSet);
    file->addAction(QStringLiteral("Uložit sa&du"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                    &Form1::saveSet);
    file->addAction(QStringLiteral("Uložit sadu &jako…"), this, &Form1::saveSetAs);
    file->addAction(QStringLiteral("&Výsledky třídy…"), this, &Form1::enterResults);
    file->addAction(QStringLiteral("Př&ehled třídy…"), this, &Form1::showOverview);
    file->addAction(QStringLiteral("Pro&cvičit podle výsledků…"), this, &Form1::followUp);
    file->addSeparator();
    file->addAction(QStringLiteral("&Konec"), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                    &Form1::quit);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Nápověda"));
    help->addAction(QStringLiteral("&Nápověda"), QKeySequence(Qt::Key_F1), this, &Form1::help);
    help->addAction(QStringLiteral("&O programu Ciferon"), this, &Form1::about);
}

void Form1::generate() {
    run(*this, random_);
}

void Form1::printFields() {
    print(QStringLiteral("Příklady"),
          [this](QPagedPaintDevice& device, bool duplex) { return paintFields(device, duplex); });
}

void Form1::saveFieldsAsPdf() {
    savePdf(QStringLiteral("priklady.pdf"), QStringLiteral("Příklady"),
            [this](QPagedPaintDevice& device) { return paintFields(device, false); });
}

void Form1::saveFieldsAsDocument() {
    saveDocument(QStringLiteral("priklady"), [this] {
        return listsDocument(fieldText(0).toStdString(), fieldText(1).toStdString());
    });
}

void Form1::printClassSet() {
    // The sheets a preview showed are the ones then printed or saved, unless the dialog asks
    // for other sheets: another number of them, count, group size, choice of kinds or adapted
    // sheets.
    std::optional<ClassSet> set;
    while (const auto request = prompts_.askClassSet(this, lastClassSet_)) {
        lastClassSet_ = *request;
        // The heading only titles the sheets: a new one keeps them.
        const auto sameSheets = [](ClassSetSettings made, ClassSetSettings asked) {
            made.heading.clear();
            asked.heading.clear();
            return made == asked;
        };
        if (!set || !sameSheets(set->settings, request->settings)) {
            random_.seed();
            set = makeClassSet(request->settings, request->print, random_);
        }
        set->settings.heading = request->settings.heading;
        set->print = request->print;
        const auto draw = [&set](QPagedPaintDevice& device, bool duplex) {
            ClassSet printed = *set;
            printed.print.duplex = duplex;
            return ciferon::printClassSet(device, printed);
        };
        const bool duplex = request->print.duplex;
        switch (request->output) {
            case ClassSetRequest::Output::Pdf:
                savePdf(QStringLiteral("pracovni-listy.pdf"), QStringLiteral("Pracovní listy"),
                        [&](QPagedPaintDevice& device) { return draw(device, duplex); });
                keepClassSet(*set);
                return;
            case ClassSetRequest::Output::Document:
                saveDocument(QStringLiteral("pracovni-listy"), [&set] {
                    return sheetsDocument(printedSheets(*set), set->settings.heading, set->print);
                });
                keepClassSet(*set);
                return;
            case ClassSetRequest::Output::Print:
                print(QStringLiteral("Pracovní listy"), draw, duplex);
                keepClassSet(*set);
                return;
            case ClassSetRequest::Output::Preview:
                if (preview(QStringLiteral("Pracovní listy"), draw, duplex)) {
                    keepClassSet(*set);
                    return;
                }
                break;  // back to the dialog
        }
    }
}

std::optional<Sheet> Form1::askSheet() {
    const QString typed = prompts_.askCode(this, codeQuestion);
    if (typed.isEmpty()) {
        return std::nullopt;
    }
    auto sheet = readSheetCode(typed.toStdString());
    if (!sheet) {
        prompts_.inform(this, QString::fromStdString(codeRefusal(typed.toStdString())));
    }
    return sheet;
}

void Form1::openByCode() {
    const auto sheet = askSheet();
    if (!sheet) {
        return;
    }
    if (fieldsEdited(fieldText(0).toStdString(), fieldText(1).toStdString(), placed_) &&
        !prompts_.confirm(this, toQString(replaceEditedQuestion()))) {
        return;
    }
    openSheet(*sheet);
}

void Form1::checkByCode() {
    if (const auto sheet = askSheet()) {
        CheckDialog dialog(*sheet, this);
        dialog.exec();
    }
}

void Form1::project() {
    const auto request = prompts_.askProjection(this, lastProjection_);
    if (!request) {
        return;
    }
    // A code is kept for the dialog only while it is the one to project again.
    lastProjection_ = *request;
    const ProjectionSheet chosen = projectionSheet(*request, random_);
    if (!chosen.sheet) {
        prompts_.inform(this, toQString(chosen.problem));
        return;
    }
    auto* view = new ProjectionView(*chosen.sheet, request->seconds, new TimerClock, this);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->showFullScreen();
    view->activateWindow();
}

void Form1::openSheet(const Sheet& sheet) {
    const Lists lists = sheetLists(sheet);
    showResults(lists.exercises, lists.solutions);
    openedSheet_ = sheet;
}

void Form1::help() {
    QString text;
    for (const HelpSection& section : helpSections()) {
        text += QStringLiteral("<h3>%1</h3><p>%2</p>")
                    .arg(toQString(section.title).toHtmlEscaped(),
                         toQString(section.text).toHtmlEscaped());
    }
    QMessageBox box(QMessageBox::NoIcon, toQString(helpTitle), text, QMessageBox::Close, this);
    box.setObjectName(QStringLiteral("help"));
    box.setTextFormat(Qt::RichText);
    box.exec();
}

void Form1::about() {
    QMessageBox::about(
        this, QStringLiteral("O programu Ciferon"),
        QStringLiteral("<p><b>Ciferon %1</b></p>"
                       "<p>Příklady z aritmetiky pro pátou třídu s úplným řešením, na obrazovce "
                       "i jako pracovní listy pro celou třídu.</p>"
                       "<p>Licence MIT.</p>")
            .arg(QStringLiteral(CIFERON_VERSION)));
}

void Form1::keepClassSet(const ClassSet& made) {
    if (!closeResultsGrid()) {
        return;
    }
    setDocument_->adopt(setFileOf(made));
}

Form1::~Form1() {
    delete resultsGrid_;
}

ResultsGrid* Form1::resultsGrid() const {
    return resultsGrid_;
}

bool Form1::closeResultsGrid() {
    return resultsGrid_ == nullptr || resultsGrid_->close();
}

bool Form1::haveSet() {
    if (!setDocument_->isOpen()) {
        prompts_.inform(this, QStringLiteral("Není otevřená žádná sada. Otevřete ji („Otevřít "
                                             "sadu…“), nebo ji vytvořte („Pracovní listy pro "
                                             "třídu…“)."));
        return false;
    }
    return true;
}

void Form1::openSet() {
    const QString path = prompts_.askSetFile(this, false, {});
    if (path.isEmpty() || !closeResultsGrid()) {
        return;
    }
    if (const QString refusal = setDocument_->open(path); !refusal.isEmpty()) {
        prompts_.inform(this, refusal);
    }
}

void Form1::saveSet() {
    if (!haveSet()) {
        return;
    }
    if (setDocument_->path().isEmpty()) {
        saveSetAs();
        return;
    }
    if (const QString fault = setDocument_->save(); !fault.isEmpty()) {
        prompts_.inform(
            this, QStringLiteral("Soubor „%1“ nelze uložit: %2").arg(setDocument_->path(), fault));
    }
}

void Form1::saveSetAs() {
    if (!haveSet()) {
        return;
    }
    const QString path = prompts_.askSetFile(this, true, suggestedSetName(setDocument_->set()));
    if (path.isEmpty()) {
        return;
    }
    if (const QString fault = setDocument_->saveAs(path); !fault.isEmpty()) {
        prompts_.inform(this, QStringLiteral("Soubor „%1“ nelze uložit: %2").arg(path, fault));
    }
}

void Form1::enterResults() {
    if (!haveSet()) {
        return;
    }
    if (resultsGrid_ == nullptr) {
        if (setDocument_->path().isEmpty()) {
            saveSetAs();
            if (setDocument_->path().isEmpty()) {
                return;
            }
        }
        resultsGrid_ = new ResultsGrid(*setDocument_, this);
    }
    resultsGrid_->show();
    resultsGrid_->raise();
    resultsGrid_->activateWindow();
}

void Form1::showOverview() {
    if (!haveSet()) {
        return;
    }
    if (resultsGrid_ != nullptr) {
        resultsGrid_->saveNow();
    }
    OverviewView view(setDocument_->set(), this);
    view.exec();
}

void Form1::followUp() {
    if (!haveSet()) {
        return;
    }
    if (resultsGrid_ != nullptr) {
        resultsGrid_->saveNow();
    }
    const SetFile kept = setDocument_->set();
    if (const FollowUpPlan plan = followUpPlan(kept, FollowUpMode::OwnResults);
        !plan.refusal.empty()) {
        prompts_.inform(this, toQString(plan.refusal));
        return;
    }
    FollowUpDialog dialog(kept, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    random_.seed();
    const SetFile made = followUpSet(kept, dialog.plan(), random_);
    const ClassSet set = classSetOf(made);
    const auto draw = [&set](QPagedPaintDevice& device, bool duplex) {
        ClassSet printed = set;
        printed.print.duplex = duplex;
        return ciferon::printClassSet(device, printed);
    };
    const QString title = QStringLiteral("Procvičování");
    const bool printed =
        dialog.output() == FollowUpDialog::Output::Pdf
            ? savePdf(QStringLiteral("procvicovani.pdf"), title,
                      [&](QPagedPaintDevice& device) { return draw(device, made.duplex); })
            : print(title, draw, made.duplex);
    // The new set is kept only for sheets that were printed, beside the one it follows.
    if (!printed || !closeResultsGrid()) {
        return;
    }
    const QString followed = setDocument_->path().isEmpty()
                                 ? suggestedSetName(made)
                                 : QFileInfo(setDocument_->path()).fileName();
    const QString suggested = toQString(followUpSetName(followed.toStdString()));
    setDocument_->adopt(made);
    const QString path = prompts_.askSetFile(this, true, suggested);
    if (path.isEmpty()) {
        return;
    }
    if (const QString fault = setDocument_->saveAs(path); !fault.isEmpty()) {
        prompts_.inform(this, QStringLiteral("Soubor „%1“ nelze uložit: %2").arg(path, fault));
    }
}

std::optional<Sheet> Form1::shownSheet() const {
    if (!openedSheet_) {
        return std::nullopt;
    }
    if (!holdsUnedited(sheetLists(*openedSheet_), fieldText(0).toStdString(),
                       fieldText(1).toStdString())) {
        return std::nullopt;
    }
    return openedSheet_;
}

bool Form1::paintFields(QPagedPaintDevice& device, bool duplex) const {
    if (const auto sheet = shownSheet()) {
        return ciferon::printClassSet(device,
                                      sheetAlone(*sheet, adaptedPrint_->isChecked(), {}, {duplex}));
    }
    return printLists(device, fieldText(0), fieldText(1));
}

bool Form1::savePdf(const QString& suggestedName, const QString& title,
                    const std::function<bool(QPagedPaintDevice&)>& draw) {
    const QString path = prompts_.askPdfFile(this, suggestedName);
    if (path.isEmpty()) {
        return false;
    }
    const QString fault = writePdf(path, title, draw);
    if (!fault.isEmpty()) {
        prompts_.inform(this, QStringLiteral("Soubor „%1“ nelze uložit: %2").arg(path, fault));
    }
    return fault.isEmpty();
}

void Form1::saveDocument(const QString& suggestedName, const std::function<Document()>& document) {
    const QString path = prompts_.askDocumentFile(this, suggestedName);
    if (path.isEmpty()) {
        return;
    }
    const DocumentFormat format = path.endsWith(QStringLiteral(".odt"), Qt::CaseInsensitive)
                                      ? DocumentFormat::Odt
                                      : DocumentFormat::Docx;
    const QString fault =
        writeWhole(path, QByteArray::fromStdString(documentBytes(document(), format)));
    if (!fault.isEmpty()) {
        prompts_.inform(this, QStringLiteral("Soubor „%1“ nelze uložit: %2").arg(path, fault));
    }
}

bool Form1::print(const QString& title,
                  const std::function<bool(QPagedPaintDevice&, bool duplex)>& draw, bool duplex) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4Layout());
    printer.setDocName(title);  // the job's name in the print queue
    const auto chosen = prompts_.setUpPrinter(this, printer, duplex);
    if (!chosen) {
        return false;
    }
    return checkPrinted(printer, draw(printer, *chosen));
}

bool Form1::preview(const QString& title,
                    const std::function<bool(QPagedPaintDevice&, bool duplex)>& draw, bool duplex) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4Layout());
    printer.setDocName(title);
    if (duplex) {
        printer.setDuplex(QPrinter::DuplexLongSide);  // as the print dialog is preset
    }
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Náhled tisku"));
    bool drawn = true;
    // The preview and the print from it paint alike: as the printer is set up, which a
    // printer that cannot print on both sides, or a file, keeps one-sided.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        drawn = draw(*target, target->duplex() != QPrinter::DuplexNone);
    });
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    checkPrinted(printer, drawn);
    return true;
}

bool Form1::checkPrinted(const QPrinter& printer, bool drawn) {
    // Paper reports a job that could not start or end; the printer keeps the state of the
    // job as its engine saw it, and the print system says whether it took the job. A
    // spooler's later trouble is beyond the program's sight.
    if (!drawn || printer.printerState() == QPrinter::Error || jobRefused(printer)) {
        prompts_.inform(this, QStringLiteral("Tisk se nezdařil; část listů se už možná vytiskla."));
        return false;
    }
    return true;
}

void Form1::copyToClipboard() {
    Text2.clear();
    if (Text1[0]->document()->isEmpty()) {
        return;
    }
    Text2 = fieldText(0) + crlf + fieldText(1);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(Text2);
}

void Form1::clearFields() {
    if (prompts_.confirm(this, confirmation)) {
        Text1[0]->clear();
        Text1[1]->clear();
    }
}

void Form1::quit() {
    // Closing the last window ends the event loop; quit() also ends it should another
    // top-level window be open. Neither asks anything.
    close();
    QCoreApplication::quit();
}

QString Form1::fieldText(int index) const {
    // A text field holds paragraphs; the lists and the clipboard use CR LF between them.
    return Text1.at(static_cast<std::size_t>(index))
        ->toPlainText()
        .replace(QLatin1Char('\n'), crlf);
}

std::string Form1::askNumber(std::string_view question, int defaultAnswer) {
    return prompts_.askNumber(this, toQString(question), QString::number(defaultAnswer))
        .toStdString();
}

void Form1::showResults(const std::string& exercises, const std::string& solutions) {
    placed_ = {exercises, solutions};
    Text1[0]->setPlainText(toQString(exercises).replace(crlf, QStringLiteral("\n")));
    Text1[1]->setPlainText(toQString(solutions).replace(crlf, QStringLiteral("\n")));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        placeControls();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::placeControls() {
    // At the initial size every control stands where the twip layout puts it. Extra room
    // goes to the two fields, the width in their original proportion; the buttons stay in one
    // row beneath them, the clear button under the solution field, quit at the right edge.
    const int extraWidth = client_->width() - clientArea.width();
    const int extraHeight = client_->height() - clientArea.height();
    const int leftShare =
        extraWidth * exerciseField.width() / (exerciseField.width() + solutionField.width());
    Text1[0]->setGeometry(exerciseField.adjusted(0, 0, leftShare, extraHeight));
    Text1[1]->setGeometry(solutionField.adjusted(leftShare, 0, extraWidth, extraHeight));
    Command1->setGeometry(generateButton.translated(0, extraHeight));
    Command2->setGeometry(copyButton.translated(0, extraHeight));
    Command3->setGeometry(clearButton.translated(leftShare, extraHeight));
    Command4->setGeometry(quitButton.translated(extraWidth, extraHeight));
}

}  // namespace ciferon
