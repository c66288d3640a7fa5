#include "classset_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "classset/classset.h"
#include "classset/entry.h"
#include "page_type.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

// Under the commands: what an editable document leaves to the word processor.
const QString documentNote = QStringLiteral(
    "Dokument (DOCX nebo ODT) se otevře ve Wordu i v LibreOffice; oboustranný tisk "
    "s prázdnými zadními stranami nastavíte až při tisku z textového editoru.");

QSpinBox* numberField(QWidget* parent, const QString& name, int maximum, int value) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(1, maximum);
    field->setValue(value);
    return field;
}

}  // namespace

ClassSetDialog::ClassSetDialog(const ClassSetRequest& initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pracovní listy pro třídu"));
    const ClassSetSettings& settings = initial.settings;
    sheets_ = numberField(this, QStringLiteral("sheets"), classSetMax, settings.sheets);
    count_ = numberField(this, QStringLiteral("count"), sheetCountMax, settings.count);
    separator_ =
        numberField(this, QStringLiteral("separator"), sheetSeparatorMax, settings.separator);
    heading_ = new QLineEdit(toQString(settings.heading), this);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setMaxLength(headingMax);
    heading_->setPlaceholderText(QStringLiteral("například 5. A – opakování"));
    adapted_ = new QLineEdit(toQString(settings.adapted), this);
    adapted_->setObjectName(QStringLiteral("adapted"));
    adapted_->setPlaceholderText(QStringLiteral("např. 3, 7 nebo všechny"));
    adapted_->setToolTip(
        QStringLiteral("Listy větším písmem, s více místem a po jednom příkladu na řádku"));
    adaptedCount_ = numberField(this, QStringLiteral("adaptedCount"), settings.count,
                                settings.adaptedCount > 0 ? settings.adaptedCount : settings.count);
    adaptedCountFollows_ = settings.adaptedCount <= 0;
    duplex_ = new QCheckBox(QStringLiteral("Oboustranný tisk"), this);
    duplex_->setObjectName(QStringLiteral("duplex"));
    duplex_->setChecked(initial.print.duplex);
    duplex_->setToolTip(QStringLiteral("Každý žákovský list i řešení začne na novém papíře"));
    mistakes_ = new QCheckBox(QStringLiteral("V klíči uvést časté chyby"), this);
    mistakes_->setObjectName(QStringLiteral("mistakes"));
    mistakes_->setChecked(initial.print.mistakes);
    mistakes_->setToolTip(QStringLiteral("U výsledků v klíči chybné výsledky častých chyb"));

    auto* form = new QFormLayout;
    // The labels are the fields' buddies, so screen readers name every field.
    form->addRow(QStringLiteral("Počet listů"), sheets_);
    form->addRow(QStringLiteral("Příkladů na listu"), count_);
    form->addRow(QStringLiteral("Oddělovat po"), separator_);
    // The label says how long a heading may be, rather than the field cutting it silently.
    auto* headingLabelLine = new QLabel(toQString(headingLabel()), this);
    headingLabelLine->setObjectName(QStringLiteral("headingLabel"));
    headingLabelLine->setBuddy(heading_);
    form->addRow(headingLabelLine, heading_);
    form->addRow(QStringLiteral("Upravené listy"), adapted_);
    form->addRow(QStringLiteral("Příkladů na upraveném listu"), adaptedCount_);
    form->addRow(duplex_);
    form->addRow(mistakes_);

    kinds_ = new KindChoiceBox(settings.kinds, this);
    connect(kinds_, &KindChoiceBox::changed, this, &ClassSetDialog::showChoice);
    noKinds_ = new QLabel(this);
    noKinds_->setObjectName(QStringLiteral("noKinds"));
    keepRoomFor(*noKinds_);

    auto* buttons = new QDialogButtonBox(this);
    auto* print = buttons->addButton(QStringLiteral("Vytisknout…"), QDialogButtonBox::AcceptRole);
    auto* pdf =
        buttons->addButton(QStringLiteral("Uložit jako PDF…"), QDialogButtonBox::AcceptRole);
    auto* preview =
        buttons->addButton(QStringLiteral("Náhled tisku…"), QDialogButtonBox::ActionRole);
    auto* document =
        buttons->addButton(QStringLiteral("Uložit jako dokument…"), QDialogButtonBox::AcceptRole);
    document->setToolTip(documentNote);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] { finish(ClassSetRequest::Output::Print); });
    connect(pdf, &QPushButton::clicked, this, [this] { finish(ClassSetRequest::Output::Pdf); });
    connect(preview, &QPushButton::clicked, this,
            [this] { finish(ClassSetRequest::Output::Preview); });
    connect(document, &QPushButton::clicked, this,
            [this] { finish(ClassSetRequest::Output::Document); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    commands_ = {print, pdf, preview, document};

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(kinds_);
    layout->addWidget(noKinds_);
    auto* note = new QLabel(documentNote, this);
    note->setObjectName(QStringLiteral("documentNote"));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addWidget(buttons);
    // Set first, before showChoice runs for the count, so that it sees the new range.
    connect(count_, &QSpinBox::valueChanged, this, [this](int count) {
        adaptedCount_->setMaximum(count);
        if (adaptedCountFollows_) {
            adaptedCount_->setValue(count);
        }
    });
    for (QSpinBox* field : {sheets_, count_, separator_}) {
        connect(field, &QSpinBox::valueChanged, this, &ClassSetDialog::showChoice);
    }
    connect(heading_, &QLineEdit::textChanged, this, &ClassSetDialog::showChoice);
    connect(adapted_, &QLineEdit::textChanged, this, &ClassSetDialog::showChoice);
    connect(adaptedCount_, &QSpinBox::valueChanged, this, [this] {
        adaptedCountFollows_ =
            adaptedCountFollows(adaptedCountFollows_, adaptedCount_->value(), count_->value());
        showChoice();
    });
    showChoice();
}

void ClassSetDialog::showChoice() {
    const KindChoice chosen = kinds_->chosen();
    // The core's one check of a class set: the commands wait until it passes, and the line
    // under the choice says why.
    ClassSetSettings settings;
    settings.sheets = sheets_->value();
    settings.count = count_->value();
    settings.separator = separator_->value();
    settings.kinds = chosen;
    settings.heading = heading_->text().trimmed().toStdString();
    settings.adapted = adapted_->text().toStdString();
    settings.adaptedCount =
        adaptedCountSetting(adaptedCountFollows_, adaptedCount_->value(), settings.adapted);
    // Without adapted sheets, their count means nothing.
    adaptedCount_->setEnabled(adaptedSheetsListed(settings.adapted));
    const ClassSetProblem problem = classSetProblem(settings);
    for (QPushButton* command : commands_) {
        command->setEnabled(!problem);
    }
    noKinds_->setText(toQString(problem.text));
    noKinds_->setVisible(static_cast<bool>(problem));
}

void ClassSetDialog::finish(ClassSetRequest::Output output) {
    output_ = output;
    accept();
}

ClassSetRequest ClassSetDialog::request() const {
    ClassSetRequest request;
    ClassSetSettings& settings = request.settings;
    settings.sheets = sheets_->value();
    settings.count = count_->value();
    settings.separator = separator_->value();
    settings.kinds = kinds_->chosen();
    settings.heading = heading_->text().trimmed().toStdString();
    settings.adapted = adapted_->text().trimmed().toStdString();
    settings.adaptedCount =
        adaptedCountSetting(adaptedCountFollows_, adaptedCount_->value(), settings.adapted);
    request.print = {duplex_->isChecked(), mistakes_->isChecked()};
    request.output = output_;
    return request;
}

}  // namespace ciferon
