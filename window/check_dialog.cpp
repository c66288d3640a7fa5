#include "check_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "codes/items.h"
#include "page_type.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

QLineEdit* answerField(QWidget* parent, const QString& name, const QString& accessibleName) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAccessibleName(accessibleName);
    field->setMaxLength(static_cast<int>(answerMax));
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 9);
    field->setAlignment(Qt::AlignRight);
    return field;
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A mark reads as a sign and a word, so that it never rests on its colour alone.
const QString rightMark = QString::fromStdString(markText(Mark::Right));
const QString wrongMark = QString::fromStdString(markText(Mark::Wrong));

QPalette markPalette(const QPalette& base, const QColor& colour) {
    QPalette palette = base;
    palette.setColor(QPalette::WindowText, colour);
    return palette;
}

}  // namespace

CheckDialog::CheckDialog(const Sheet& sheet, QWidget* parent)
    : QDialog(parent),
      // Dark green and dark red, each readable on the window's light ground.
      rightPalette_(markPalette(palette(), QColor(0x1b, 0x6e, 0x20))),
      wrongPalette_(markPalette(palette(), QColor(0xb0, 0x00, 0x20))),
      sheet_(sheet),
      session_(sheetItems(sheet)) {
    const QString code = QString::fromStdString(sheetCode(sheet));
    setWindowTitle(QStringLiteral("Kontrola listu %1").arg(code));

    auto* intro =
        new QLabel(QStringLiteral("List s kódem %1. %2").arg(code, toQString(checkIntro())), this);
    intro->setObjectName(QStringLiteral("intro"));
    intro->setWordWrap(true);
    auto* honest = new QLabel(toQString(honestLine()), this);
    honest->setObjectName(QStringLiteral("honest"));
    honest->setWordWrap(true);

    scroll_ = new QScrollArea(this);
    scroll_->setWidget(exerciseList());
    scroll_->setWidgetResizable(true);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    resultCode_ = new QLabel(this);
    resultCode_->setObjectName(QStringLiteral("resultCode"));
    resultCode_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    resultCode_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    evaluate_ = buttons->addButton(QStringLiteral("Vyhodnotit"), QDialogButtonBox::ActionRole);
    evaluate_->setObjectName(QStringLiteral("evaluate"));
    buttons->addButton(QStringLiteral("Zavřít"), QDialogButtonBox::RejectRole);
    connect(evaluate_, &QPushButton::clicked, this, &CheckDialog::evaluate);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(scroll_, 1);
    layout->addWidget(summary_);
    layout->addWidget(resultCode_);
    layout->addWidget(honest);
    layout->addWidget(buttons);
    if (!fields_.empty()) {
        fields_.front()->setFocus();
    }
}

QWidget* CheckDialog::exerciseList() {
    auto* list = new QWidget;
    auto* grid = new QGridLayout(list);
    const int markWidth = std::max(fontMetrics().horizontalAdvance(rightMark),
                                   fontMetrics().horizontalAdvance(wrongMark));
    int row = 0;
    for (const SheetItem& item : session_.items()) {
        Exercise exercise;
        const int number = item.number;
        // As printed on the sheet, and as a screen reader names the answer field.
        const QString name =
            QStringLiteral("%1. %2").arg(number).arg(toQString(item.exercise).trimmed());
        auto* label = new QLabel(name, list);
        exercise.answer = answerField(list, QStringLiteral("answer%1").arg(number), name);
        label->setBuddy(exercise.answer);
        grid->addWidget(label, row, 0);
        grid->addWidget(exercise.answer, row, 1);
        fields_.push_back(exercise.answer);
        if (item.result.remainder) {
            auto* rest = new QLabel(QStringLiteral("zb."), list);
            exercise.remainder = answerField(list, QStringLiteral("remainder%1").arg(number),
                                             name + QStringLiteral(" zbytek"));
            rest->setBuddy(exercise.remainder);
            grid->addWidget(rest, row, 2);
            grid->addWidget(exercise.remainder, row, 3);
            fields_.push_back(exercise.remainder);
        }
        exercise.mark = new QLabel(list);
        exercise.mark->setObjectName(QStringLiteral("mark%1").arg(number));
        exercise.mark->setMinimumWidth(markWidth);
        grid->addWidget(exercise.mark, row, 4);
        exercise.show = new QPushButton(QStringLiteral("Ukázat řešení"), list);
        exercise.show->setObjectName(QStringLiteral("show%1").arg(number));
        exercise.show->setAccessibleName(QStringLiteral("Ukázat řešení příkladu %1").arg(number));
        exercise.show->hide();
        grid->addWidget(exercise.show, row, 5);
        connect(exercise.show, &QPushButton::clicked, this,
                [this, at = exercises_.size()] { showSolution(at); });
        ++row;
        exercise.solution = new QLabel(toQString(checkSolution(item)).trimmed(), list);
        exercise.solution->setObjectName(QStringLiteral("solution%1").arg(number));
        exercise.solution->setTextInteractionFlags(Qt::TextSelectableByMouse);
        exercise.solution->hide();
        grid->addWidget(exercise.solution, row++, 0, 1, 6, Qt::AlignLeft);
        exercises_.push_back(exercise);
        if (item.groupEnd) {
            // The empty line between two groups, as on paper.
            grid->setRowMinimumHeight(row++, fontMetrics().lineSpacing() / 2);
        }
    }
    grid->setColumnStretch(6, 1);
    grid->setRowStretch(row, 1);
    for (QLineEdit* field : fields_) {
        field->installEventFilter(this);
    }
    return list;
}

void CheckDialog::showEvent(QShowEvent* event) {
    if (!sized_) {
        // Once the fonts are settled: wide enough for every exercise with its solution shown,
        // and tall enough for a sheet of twenty without scrolling.
        sized_ = true;
        QWidget* list = scroll_->widget();
        if (!exercises_.empty()) {
            // Room for "Ukázat řešení", hidden until an answer is wrong.
            static_cast<QGridLayout*>(list->layout())
                ->setColumnMinimumWidth(5, exercises_.front().show->sizeHint().width());
        }
        int width = list->sizeHint().width();
        for (const Exercise& exercise : exercises_) {
            width = std::max(width, exercise.solution->sizeHint().width() +
                                        list->layout()->contentsMargins().left() * 2);
        }
        const int frame = 2 * scroll_->frameWidth();
        scroll_->setMinimumWidth(width + scroll_->verticalScrollBar()->sizeHint().width() + frame);
        scroll_->setMinimumHeight(
            std::min(list->sizeHint().height(), fontMetrics().lineSpacing() * 36) + frame);
        adjustSize();
    }
    QDialog::showEvent(event);
}

void CheckDialog::evaluate() {
    for (std::size_t i = 0; i < exercises_.size(); ++i) {
        const Exercise& exercise = exercises_[i];
        const QByteArray answer = exercise.answer->text().toUtf8();
        const QByteArray remainder =
            exercise.remainder != nullptr ? exercise.remainder->text().toUtf8() : QByteArray();
        session_.evaluate(i, view(answer), view(remainder));
    }
    showMarks();
    // A mistake named beside its mark may need more width than the list had: the dialog grows
    // so that no mark is cut off.
    const int needed = scroll_->widget()->sizeHint().width() +
                       scroll_->verticalScrollBar()->sizeHint().width() + 2 * scroll_->frameWidth();
    if (needed > scroll_->width()) {
        scroll_->setMinimumWidth(needed);
        adjustSize();
    }
    showSummary();
}

void CheckDialog::showMarks() {
    // Showing a widget lays its parent out at once while the layout is enabled: once per
    // "Ukázat řešení" shown, hundreds of times for a long sheet. The list is laid out once,
    // after all marks are set.
    QLayout* layout = scroll_->widget()->layout();
    layout->setEnabled(false);
    for (std::size_t i = 0; i < exercises_.size(); ++i) {
        const Exercise& exercise = exercises_[i];
        // A wrong answer with the likely mistake behind it, when one gives exactly that answer.
        const MarkedAnswer marked = session_.mark(i);
        exercise.mark->setText(toQString(markText(marked)));
        exercise.mark->setPalette(marked.mark == Mark::Right ? rightPalette_ : wrongPalette_);
        exercise.show->setVisible(session_.offersSolution(i));
    }
    layout->setEnabled(true);
    layout->invalidate();
}

void CheckDialog::showSolution(std::size_t index) {
    if (!session_.showSolution(index)) {
        return;
    }
    exercises_.at(index).solution->show();
    showMarks();
    showSummary();
}

void CheckDialog::showSummary() {
    if (session_.evaluated()) {
        summary_->setText(toQString(session_.summary()));
        resultCode_->setText(toQString(resultCodeLine(sheet_, session_.marks())));
        // A line for every mistake named follows the summary: the dialog grows to hold them.
        layout()->activate();
        if (height() < sizeHint().height()) {
            resize(width(), sizeHint().height());
        }
    }
}

bool CheckDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            moveOn(qobject_cast<QLineEdit*>(watched));
            return true;  // not the dialog's default button
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CheckDialog::moveOn(const QLineEdit* from) {
    const auto at = std::ranges::find(fields_, from);
    if (at == fields_.end()) {
        return;
    }
    if (std::next(at) != fields_.end()) {
        (*std::next(at))->setFocus(Qt::TabFocusReason);
        (*std::next(at))->selectAll();
    } else {
        evaluate_->setFocus(Qt::TabFocusReason);
    }
}

}  // namespace ciferon
