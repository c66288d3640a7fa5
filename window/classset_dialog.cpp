#include "classset_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace ciferon {

namespace {

QSpinBox* numberField(QWidget* parent, const QString& name, int maximum, int value) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(1, maximum);
    field->setValue(value);
    return field;
}

}  // namespace

ClassSetDialog::ClassSetDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pracovní listy pro třídu"));
    const ClassSetRequest defaults;
    sheets_ = numberField(this, QStringLiteral("sheets"), classSetMax, defaults.sheets);
    count_ = numberField(this, QStringLiteral("count"), sheetCountMax, defaults.count);
    separator_ =
        numberField(this, QStringLiteral("separator"), sheetSeparatorMax, defaults.separator);
    heading_ = new QLineEdit(this);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setMaxLength(headingMax);
    heading_->setPlaceholderText(QStringLiteral("například 5. A – opakování"));
    duplex_ = new QCheckBox(QStringLiteral("Oboustranný tisk"), this);
    duplex_->setObjectName(QStringLiteral("duplex"));
    duplex_->setChecked(defaults.duplex);
    duplex_->setToolTip(QStringLiteral("Každý žákovský list i řešení začne na novém papíře"));

    auto* form = new QFormLayout;
    // The labels are the fields' buddies, so screen readers name every field.
    form->addRow(QStringLiteral("Počet listů"), sheets_);
    form->addRow(QStringLiteral("Příkladů na listu"), count_);
    form->addRow(QStringLiteral("Oddělovat po"), separator_);
    form->addRow(QStringLiteral("Nadpis"), heading_);
    form->addRow(duplex_);

    auto* buttons = new QDialogButtonBox(this);
    auto* print = buttons->addButton(QStringLiteral("Vytisknout…"), QDialogButtonBox::AcceptRole);
    auto* pdf =
        buttons->addButton(QStringLiteral("Uložit jako PDF…"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] {
        output_ = ClassSetRequest::Output::Print;
        accept();
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        output_ = ClassSetRequest::Output::Pdf;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

ClassSetRequest ClassSetDialog::request() const {
    ClassSetRequest request;
    request.sheets = sheets_->value();
    request.count = count_->value();
    request.separator = separator_->value();
    request.heading = heading_->text().trimmed();
    request.duplex = duplex_->isChecked();
    request.output = output_;
    return request;
}

}  // namespace ciferon
