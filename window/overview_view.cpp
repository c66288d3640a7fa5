#include "overview_view.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>

#include "codes/choice.h"
#include "form1.h"
#include "page_type.h"
#include "paper.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

QString sheetWho(const PupilResult& pupil) {
    QString who = QString::number(pupil.number);
    if (!pupil.name.empty()) {
        who += QStringLiteral(" (%1)").arg(QString::fromStdString(pupil.name));
    }
    return who;
}

QString scaleText(const MarkScale& scale) {
    QStringList parts;
    for (const int least : scale.least) {
        parts << QString::number(least);
    }
    return parts.join(QLatin1Char(','));
}

// A part's title as its label shows it, in bold.
QString boldTitle(std::string_view title) {
    return QStringLiteral("<b>%1</b>").arg(toQString(title));
}

QLabel* textLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

KindBars::KindBars(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("kinds"));
    setAccessibleName(QStringLiteral("Druhy příkladů, nejslabší první"));
}

void KindBars::setKinds(std::vector<KindResult> kinds) {
    kinds_ = std::move(kinds);
    setAccessibleDescription(lines().join(QLatin1Char('\n')));
    updateGeometry();
    update();
}

QStringList KindBars::lines() const {
    QStringList lines;
    for (const KindResult& kind : kinds_) {
        lines << QStringLiteral("%1. %2: %3 z %4")
                     .arg(kind.kind + 1)
                     .arg(toQString(kindName(kind.kind)))
                     .arg(kind.right)
                     .arg(kind.total);
    }
    return lines;
}

QSize KindBars::sizeHint() const {
    return {560, static_cast<int>(kinds_.size()) * (fontMetrics().height() + 8) + 4};
}

void KindBars::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int rowHeight = metrics.height() + 8;
    int nameWidth = 0;
    const QStringList names = [this] {
        QStringList found;
        for (const KindResult& kind : kinds_) {
            found
                << QStringLiteral("%1. %2").arg(kind.kind + 1).arg(toQString(kindName(kind.kind)));
        }
        return found;
    }();
    for (const QString& name : names) {
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(name));
    }
    const int countWidth = metrics.horizontalAdvance(QStringLiteral("8888 z 8888")) + 8;
    const int barLeft = std::min(nameWidth + 10, width() / 2);
    const int barWidth = std::max(20, width() - barLeft - countWidth);
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        const KindResult& kind = kinds_[i];
        const int top = static_cast<int>(i) * rowHeight + 2;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            QRect(0, top, barLeft - 6, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(names[static_cast<int>(i)], Qt::ElideRight, barLeft - 6));
        const QRect bar(barLeft, top + 3, barWidth, rowHeight - 6);
        painter.setPen(QColor(0x70, 0x70, 0x70));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
        if (kind.total > 0) {
            const int filled =
                static_cast<int>(static_cast<long long>(bar.width()) * kind.right / kind.total);
            painter.fillRect(QRect(bar.left(), bar.top(), filled, bar.height()),
                             QColor(0x2b, 0x5f, 0xa8));
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(bar.right() + 6, top, countWidth, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1 z %2").arg(kind.right).arg(kind.total));
    }
}

OverviewView::OverviewView(SetFile set, QWidget* parent) : QDialog(parent), set_(std::move(set)) {
    setObjectName(QStringLiteral("overview"));
    setWindowTitle(QStringLiteral("Přehled třídy%1")
                       .arg(set_.heading.empty()
                                ? QString()
                                : QStringLiteral(" – ") + QString::fromStdString(set_.heading)));
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    handedIn_ = textLabel(page, QStringLiteral("handedIn"));
    layout->addWidget(handedIn_);

    auto* scaleRow = new QHBoxLayout;
    scaleField_ = new QLineEdit(scaleText(scale_), page);
    scaleField_->setObjectName(QStringLiteral("scale"));
    scaleField_->setAccessibleName(QStringLiteral("Stupnice: nejmenší procenta pro známky 1 až 4"));
    auto* scaleLabel = new QLabel(QStringLiteral("&Stupnice (nejméně % pro 1, 2, 3, 4):"), page);
    scaleLabel->setBuddy(scaleField_);
    scaleNote_ = textLabel(page, QStringLiteral("scaleNote"));
    scaleRow->addWidget(scaleLabel);
    scaleRow->addWidget(scaleField_);
    scaleRow->addWidget(scaleNote_, 1);
    layout->addLayout(scaleRow);
    connect(scaleField_, &QLineEdit::textChanged, this, &OverviewView::rescale);

    pupils_ = new QTableWidget(page);
    pupils_->setObjectName(QStringLiteral("pupils"));
    pupils_->setColumnCount(7);
    QStringList columns;
    for (const std::string_view column : pupilColumns()) {
        columns << toQString(column);
    }
    pupils_->setHorizontalHeaderLabels(columns);
    pupils_->verticalHeader()->hide();
    pupils_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pupils_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pupils_->setMinimumHeight(pupils_->fontMetrics().height() * 14);
    layout->addWidget(new QLabel(boldTitle(pupilsTitle), page));
    layout->addWidget(pupils_);

    kinds_ = new KindBars(page);
    layout->addWidget(new QLabel(boldTitle(kindsTitle), page));
    layout->addWidget(kinds_);
    mistakes_ = textLabel(page, QStringLiteral("mistakes"));
    layout->addWidget(new QLabel(boldTitle(mistakesTitle), page));
    layout->addWidget(mistakes_);
    hardest_ = textLabel(page, QStringLiteral("hardest"));
    layout->addWidget(new QLabel(boldTitle(hardestTitle), page));
    layout->addWidget(hardest_);
    missing_ = textLabel(page, QStringLiteral("missing"));
    layout->addWidget(missing_);
    layout->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    auto* buttons = new QDialogButtonBox(this);
    auto* csv = buttons->addButton(QStringLiteral("Uložit &CSV…"), QDialogButtonBox::ActionRole);
    csv->setObjectName(QStringLiteral("csv"));
    buttons->addButton(QStringLiteral("Zavřít"), QDialogButtonBox::RejectRole);
    connect(csv, &QPushButton::clicked, this, &OverviewView::askCsv);
    auto* pdf =
        buttons->addButton(QStringLiteral("Uložit jako &PDF…"), QDialogButtonBox::ActionRole);
    pdf->setObjectName(QStringLiteral("pdf"));
    connect(pdf, &QPushButton::clicked, this, &OverviewView::askPdf);
    auto* print = buttons->addButton(QStringLiteral("&Tisk…"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("print"));
    connect(print, &QPushButton::clicked, this, &OverviewView::print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll, 1);
    outer->addWidget(buttons);

    overview_ = overviewOf(set_, scale_);
    display(overview_);
    resize(760, 700);
}

void OverviewView::rescale() {
    const QByteArray typed = scaleField_->text().toUtf8();
    const auto scale =
        readMarkScale(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())));
    if (!scale) {
        scaleNote_->setText(QStringLiteral("Napiš čtyři celá procenta od největšího, např. "
                                           "90,75,50,30; známky zůstávají podle %1.")
                                .arg(scaleText(scale_)));
        return;
    }
    scaleNote_->clear();
    scale_ = *scale;
    overview_ = overviewOf(set_, scale_);
    display(overview_);
}

void OverviewView::display(const Overview& overview) {
    handedIn_->setText(QStringLiteral("Odevzdáno %1 z %2 listů. Nečitelných odpovědí: %3.")
                           .arg(overview.handedIn)
                           .arg(overview.pupils.size())
                           .arg(overview.unreadable));
    pupils_->setRowCount(static_cast<int>(overview.pupils.size()));
    QStringList missing;
    for (int row = 0; row < pupils_->rowCount(); ++row) {
        const PupilResult& pupil = overview.pupils.at(static_cast<std::size_t>(row));
        QStringList cells{QString::number(pupil.number), QString::fromStdString(pupil.name),
                          QString::fromStdString(pupil.code)};
        if (pupil.handedIn) {
            cells << QString::number(pupil.right) << QString::number(pupil.total)
                  << QStringLiteral("%1 %").arg(pupil.percent) << QString::number(pupil.mark);
        } else {
            cells << toQString(notHandedInWord) << QString() << QString() << QString();
            missing << sheetWho(pupil);
        }
        for (int column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            if (column != 1 && column != 2) {
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            pupils_->setItem(row, column, cell);
        }
    }
    kinds_->setKinds(overview.kinds);

    QStringList mistakes;
    for (const MistakeResult& mistake : overview.mistakes) {
        QStringList sheets;
        for (const int number : mistake.sheets) {
            sheets << sheetWho(overview.pupils.at(static_cast<std::size_t>(number) - 1));
        }
        mistakes << QStringLiteral("– %1: %2× (listy %3)")
                        .arg(toQString(mistakeText(mistake.mistake)))
                        .arg(mistake.count)
                        .arg(sheets.join(QStringLiteral(", ")));
    }
    mistakes_->setText(mistakes.isEmpty() ? toQString(noMistakesLine)
                                          : mistakes.join(QLatin1Char('\n')));
    QStringList hardest;
    for (const ExerciseResult& exercise : overview.hardest) {
        hardest << QStringLiteral("%1 nesprávně %2 z %3")
                       .arg(toQString(exercise.exercise))
                       .arg(exercise.notRight)
                       .arg(exercise.handedIn);
    }
    hardest_->setText(hardest.isEmpty() ? QStringLiteral("Nic.") : hardest.join(QLatin1Char('\n')));
    missing_->setText(missing.isEmpty()
                          ? QStringLiteral("Odevzdány jsou všechny listy.")
                          : QStringLiteral("Neodevzdáno (do počtů se nepočítá): listy %1")
                                .arg(missing.join(QStringLiteral(", "))));
}

QString OverviewView::saveCsv(const QString& path) const {
    const std::string csv = overviewCsv(overview_);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        return file.errorString();
    }
    return {};
}

QString OverviewView::savePdf(const QString& path) const {
    return writePdf(
        path, toQString(overviewHeading(set_.heading)),
        [this](QPagedPaintDevice& device) { return printOverview(device, set_, overview_); });
}

QString OverviewView::askSavePath(const QString& title, const QString& filter,
                                  const QString& name) {
    QFileDialog dialog(this, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(QFileInfo(name).suffix());
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void OverviewView::cannotSave(const QString& path, const QString& fault) {
    QMessageBox box(QMessageBox::Warning, applicationTitle,
                    QStringLiteral("Soubor „%1“ nelze uložit: %2").arg(path, fault),
                    QMessageBox::Ok, this);
    box.exec();
}

void OverviewView::askCsv() {
    const QString path = askSavePath(QStringLiteral("Uložit CSV"), QStringLiteral("CSV (*.csv)"),
                                     QStringLiteral("prehled-tridy.csv"));
    if (path.isEmpty()) {
        return;
    }
    if (const QString fault = saveCsv(path); !fault.isEmpty()) {
        cannotSave(path, fault);
    }
}

void OverviewView::askPdf() {
    const QString path =
        askSavePath(QStringLiteral("Uložit jako PDF"), QStringLiteral("PDF (*.pdf)"),
                    QStringLiteral("prehled-tridy.pdf"));
    if (path.isEmpty()) {
        return;
    }
    if (const QString fault = savePdf(path); !fault.isEmpty()) {
        cannotSave(path, fault);
    }
}

void OverviewView::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4Layout());
    printer.setDocName(toQString(overviewHeading(set_.heading)));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (!printOverview(printer, set_, overview_) || printer.printerState() == QPrinter::Error) {
        QMessageBox box(QMessageBox::Warning, applicationTitle, QStringLiteral("Tisk se nezdařil."),
                        QMessageBox::Ok, this);
        box.exec();
    }
}

}  // namespace ciferon
