#include "follow_up_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "codes/choice.h"
#include "page_type.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

// The kinds' names, one a line, for a cell's tooltip.
QString kindNames(KindChoice kinds) {
    QStringList names;
    for (int kind = 0; kind < kindCount; ++kind) {
        if ((kinds & (1U << static_cast<unsigned>(kind))) != 0) {
            names << QStringLiteral("%1 – %2").arg(kind + 1).arg(toQString(kindName(kind)));
        }
    }
    return names.join(QLatin1Char('\n'));
}

}  // namespace

FollowUpDialog::FollowUpDialog(const SetFile& set, QWidget* parent)
    : QDialog(parent), set_(set), plan_(followUpPlan(set, FollowUpMode::OwnResults)) {
    setWindowTitle(QStringLiteral("Procvičit podle výsledků"));
    auto* intro = new QLabel(toQString(followUpIntro()), this);
    intro->setWordWrap(true);
    wholeClass_ = new QCheckBox(toQString(wholeClassWeakestLabel()), this);
    wholeClass_->setObjectName(QStringLiteral("wholeClass"));
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("plan"));
    table_->setHorizontalHeaderLabels({QStringLiteral("List"), QStringLiteral("Jméno"),
                                       QStringLiteral("Procvičí druhy"), QStringLiteral("Proč")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    auto* legend = new QLabel(toQString(practisedLegend(plan_.setKinds)), this);
    legend->setObjectName(QStringLiteral("legend"));
    legend->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    auto* print = buttons->addButton(QStringLiteral("Vytisknout…"), QDialogButtonBox::AcceptRole);
    auto* pdf =
        buttons->addButton(QStringLiteral("Uložit jako PDF…"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] {
        output_ = Output::Print;
        accept();
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        output_ = Output::Pdf;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(wholeClass_, &QCheckBox::toggled, this, &FollowUpDialog::showPlan);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(wholeClass_);
    layout->addWidget(table_);
    layout->addWidget(legend);
    layout->addWidget(buttons);
    resize(640, 480);
    showPlan();
}

FollowUpMode FollowUpDialog::mode() const {
    return wholeClass_->isChecked() ? FollowUpMode::WholeClass : FollowUpMode::OwnResults;
}

void FollowUpDialog::showPlan() {
    plan_ = followUpPlan(set_, mode());
    table_->setRowCount(static_cast<int>(plan_.sheets.size()));
    int row = 0;
    for (const FollowUpSheet& sheet : plan_.sheets) {
        auto* kinds = new QTableWidgetItem(toQString(kindListText(sheet.kinds)));
        kinds->setToolTip(kindNames(sheet.kinds));
        table_->setItem(row, 0, new QTableWidgetItem(QString::number(sheet.number)));
        table_->setItem(row, 1, new QTableWidgetItem(toQString(sheet.name)));
        table_->setItem(row, 2, kinds);
        table_->setItem(row, 3, new QTableWidgetItem(toQString(followUpReasonText(sheet.reason))));
        ++row;
    }
}

}  // namespace ciferon
