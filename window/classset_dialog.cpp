#include "classset_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <algorithm>

#include "choice.h"
#include "classset.h"
#include "page_type.h"

namespace ciferon {

namespace {

QSpinBox* numberField(QWidget* parent, const QString& name, int maximum, int value) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(1, maximum);
    field->setValue(value);
    return field;
}

constexpr KindChoice bit(int kind) {
    return static_cast<KindChoice>(1U << static_cast<unsigned>(kind));
}

}  // namespace

ClassSetDialog::ClassSetDialog(const ClassSetRequest& initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pracovní listy pro třídu"));
    sheets_ = numberField(this, QStringLiteral("sheets"), classSetMax, initial.sheets);
    count_ = numberField(this, QStringLiteral("count"), sheetCountMax, initial.count);
    separator_ =
        numberField(this, QStringLiteral("separator"), sheetSeparatorMax, initial.separator);
    heading_ = new QLineEdit(initial.heading, this);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setMaxLength(headingMax);
    heading_->setPlaceholderText(QStringLiteral("například 5. A – opakování"));
    adapted_ = new QLineEdit(initial.adapted, this);
    adapted_->setObjectName(QStringLiteral("adapted"));
    adapted_->setPlaceholderText(QStringLiteral("např. 3, 7 nebo všechny"));
    adapted_->setToolTip(
        QStringLiteral("Listy větším písmem, s více místem a po jednom příkladu na řádku"));
    adaptedCount_ = numberField(this, QStringLiteral("adaptedCount"), initial.count,
                                initial.adaptedCount > 0 ? initial.adaptedCount : initial.count);
    adaptedCountSet_ = initial.adaptedCount > 0;
    duplex_ = new QCheckBox(QStringLiteral("Oboustranný tisk"), this);
    duplex_->setObjectName(QStringLiteral("duplex"));
    duplex_->setChecked(initial.duplex);
    duplex_->setToolTip(QStringLiteral("Každý žákovský list i řešení začne na novém papíře"));
    mistakes_ = new QCheckBox(QStringLiteral("V klíči uvést časté chyby"), this);
    mistakes_->setObjectName(QStringLiteral("mistakes"));
    mistakes_->setChecked(initial.mistakes);
    mistakes_->setToolTip(QStringLiteral("U výsledků v klíči chybné výsledky častých chyb"));

    auto* form = new QFormLayout;
    // The labels are the fields' buddies, so screen readers name every field.
    form->addRow(QStringLiteral("Počet listů"), sheets_);
    form->addRow(QStringLiteral("Příkladů na listu"), count_);
    form->addRow(QStringLiteral("Oddělovat po"), separator_);
    form->addRow(QStringLiteral("Nadpis"), heading_);
    form->addRow(QStringLiteral("Upravené listy"), adapted_);
    form->addRow(QStringLiteral("Příkladů na upraveném listu"), adaptedCount_);
    form->addRow(duplex_);
    form->addRow(mistakes_);

    QWidget* choice = kindChoice(initial.kinds);
    noKinds_ = new QLabel(this);
    noKinds_->setObjectName(QStringLiteral("noKinds"));

    auto* buttons = new QDialogButtonBox(this);
    auto* print = buttons->addButton(QStringLiteral("Vytisknout…"), QDialogButtonBox::AcceptRole);
    auto* pdf =
        buttons->addButton(QStringLiteral("Uložit jako PDF…"), QDialogButtonBox::AcceptRole);
    auto* preview =
        buttons->addButton(QStringLiteral("Náhled tisku…"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] { finish(ClassSetRequest::Output::Print); });
    connect(pdf, &QPushButton::clicked, this, [this] { finish(ClassSetRequest::Output::Pdf); });
    connect(preview, &QPushButton::clicked, this,
            [this] { finish(ClassSetRequest::Output::Preview); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    commands_ = {print, pdf, preview};

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(choice);
    layout->addWidget(noKinds_);
    layout->addWidget(buttons);
    // Set first, before showChoice runs for the count, so that it sees the new range.
    connect(count_, &QSpinBox::valueChanged, this, [this](int count) {
        adaptedCount_->setMaximum(count);
        if (!adaptedCountSet_) {
            adaptedCount_->setValue(count);
        }
    });
    for (QSpinBox* field : {sheets_, count_, separator_}) {
        connect(field, &QSpinBox::valueChanged, this, &ClassSetDialog::showChoice);
    }
    connect(heading_, &QLineEdit::textChanged, this, &ClassSetDialog::showChoice);
    connect(adapted_, &QLineEdit::textChanged, this, &ClassSetDialog::showChoice);
    connect(adaptedCount_, &QSpinBox::valueChanged, this, [this] {
        adaptedCountSet_ = adaptedCount_->value() != count_->value() || adaptedCountSet_;
        showChoice();
    });
    showChoice();
}

QWidget* ClassSetDialog::kindChoice(KindChoice initial) {
    auto* box = new QGroupBox(QStringLiteral("Druhy příkladů"), this);
    auto* grid = new QGridLayout(box);
    // Two topics a row, in the core's order, so that Tab and screen readers follow it.
    int place = 0;
    for (const KindTopic& topic : kindTopics()) {
        auto* column = new QGridLayout;
        auto* all = new QCheckBox(toQString(topic.name), box);
        all->setObjectName(QStringLiteral("topic%1").arg(topics_.size()));
        column->addWidget(all, 0, 0, 1, 3);
        // The kinds stand indented under their topic.
        column->setColumnMinimumWidth(0, fontMetrics().averageCharWidth() * 3);
        int row = 1;
        for (const int kind : topic.kinds) {
            const QString example = toQString(kindExample(kind));
            // The teacher's number is the kind number plus one.
            auto* field = new QCheckBox(
                QStringLiteral("%1. %2").arg(kind + 1).arg(toQString(kindName(kind))), box);
            field->setObjectName(QStringLiteral("kind%1").arg(kind));
            field->setChecked((initial & bit(kind)) != 0);
            field->setAccessibleDescription(QStringLiteral("Například %1").arg(example));
            connect(field, &QCheckBox::toggled, this, &ClassSetDialog::showChoice);
            auto* sample = new QLabel(example, box);
            column->addWidget(field, row, 1);
            column->addWidget(sample, row, 2);
            kinds_.at(static_cast<std::size_t>(kind)) = field;
            ++row;
        }
        column->setRowStretch(row, 1);
        // A click ticks every kind of the topic, or clears them all once all are ticked.
        connect(all, &QCheckBox::clicked, this, [this, &topic] {
            const bool tickAll = !std::ranges::all_of(topic.kinds, [this](int kind) {
                return kinds_.at(static_cast<std::size_t>(kind))->isChecked();
            });
            for (const int kind : topic.kinds) {
                kinds_.at(static_cast<std::size_t>(kind))->setChecked(tickAll);
            }
            showChoice();
        });
        topics_.push_back(all);
        grid->addLayout(column, place / 2, place % 2);
        ++place;
    }
    return box;
}

KindChoice ClassSetDialog::chosenKinds() const {
    KindChoice chosen = 0;
    for (std::size_t kind = 0; kind < kinds_.size(); ++kind) {
        if (kinds_.at(kind)->isChecked()) {
            chosen |= bit(static_cast<int>(kind));
        }
    }
    return chosen;
}

void ClassSetDialog::showChoice() {
    const KindChoice chosen = chosenKinds();
    for (std::size_t index = 0; index < topics_.size(); ++index) {
        KindChoice mask = 0;
        for (const int kind : kindTopics().at(index).kinds) {
            mask |= bit(kind);
        }
        const KindChoice ticked = chosen & mask;
        topics_[index]->setCheckState(ticked == 0      ? Qt::Unchecked
                                      : ticked == mask ? Qt::Checked
                                                       : Qt::PartiallyChecked);
    }
    // The core's one check of a class set: the commands wait until it passes, and the line
    // under the choice says why.
    ClassSetSettings settings;
    settings.sheets = sheets_->value();
    settings.count = count_->value();
    settings.separator = separator_->value();
    settings.kinds = chosen;
    settings.heading = heading_->text().trimmed().toStdString();
    settings.adapted = adapted_->text().toStdString();
    settings.adaptedCount = adaptedCount_->value();
    // Without adapted sheets, their count means nothing.
    adaptedCount_->setEnabled(!adapted_->text().trimmed().isEmpty());
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
    request.sheets = sheets_->value();
    request.count = count_->value();
    request.separator = separator_->value();
    request.kinds = chosenKinds();
    request.heading = heading_->text().trimmed();
    request.adapted = adapted_->text().trimmed();
    request.adaptedCount = adaptedCountSet_ ? adaptedCount_->value() : 0;
    request.duplex = duplex_->isChecked();
    request.mistakes = mistakes_->isChecked();
    request.output = output_;
    return request;
}

}  // namespace ciferon
