#include "projection_view.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "page_type.h"

namespace ciferon {

namespace {

// Dark text on white: a contrast ratio of 18.9 to 1.
const QColor ink(0x11, 0x11, 0x11);
const QColor paper(0xff, 0xff, 0xff);

QSpinBox* numberField(QWidget* parent, const QString& name, int low, int high, int value) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(low, high);
    field->setValue(value);
    return field;
}

// A key by the name that the core's key map uses (the web's KeyboardEvent.key): the named
// keys spelled so, any other key by the text it types.
QString keyName(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Right:
            return QStringLiteral("ArrowRight");
        case Qt::Key_Left:
            return QStringLiteral("ArrowLeft");
        case Qt::Key_Up:
            return QStringLiteral("ArrowUp");
        case Qt::Key_Down:
            return QStringLiteral("ArrowDown");
        case Qt::Key_PageUp:
            return QStringLiteral("PageUp");
        case Qt::Key_PageDown:
            return QStringLiteral("PageDown");
        case Qt::Key_Home:
            return QStringLiteral("Home");
        case Qt::Key_End:
            return QStringLiteral("End");
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QStringLiteral("Enter");
        case Qt::Key_Escape:
            return QStringLiteral("Escape");
        case Qt::Key_Tab:
            return QStringLiteral("Tab");
        case Qt::Key_Backspace:
            return QStringLiteral("Backspace");
        default:
            return event.text();
    }
}

}  // namespace

TimerClock::TimerClock(QObject* parent) : ProjectionClock(parent) {
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this,
            [this] { advance(static_cast<int>(since_.restart())); });
    since_.start();
    timer_.start();
}

ProjectionDialog::ProjectionDialog(const ProjectionRequest& initial, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Promítat"));
    kinds_ = new KindChoiceBox(initial.kinds, this);
    count_ = numberField(this, QStringLiteral("count"), projectionCountMin, projectionCountMax,
                         initial.count);
    seconds_ = numberField(this, QStringLiteral("seconds"), projectionSecondsMin,
                           projectionSecondsMax, initial.seconds);
    code_ = new QLineEdit(toQString(initial.code), this);
    code_->setObjectName(QStringLiteral("code"));
    code_->setPlaceholderText(QStringLiteral("nepovinný: promítne tento list"));
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("problem"));
    keepRoomFor(*problem_);

    auto* form = new QFormLayout;
    // The labels are the fields' buddies, so screen readers name every field.
    form->addRow(QStringLiteral("Počet příkladů"), count_);
    form->addRow(QStringLiteral("Sekund na příklad (0 = bez časomíry)"), seconds_);
    form->addRow(QStringLiteral("Kód listu"), code_);

    auto* buttons = new QDialogButtonBox(this);
    project_ = buttons->addButton(QStringLiteral("Promítat"), QDialogButtonBox::AcceptRole);
    project_->setDefault(true);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kinds_);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    connect(kinds_, &KindChoiceBox::changed, this, &ProjectionDialog::showProblem);
    connect(count_, &QSpinBox::valueChanged, this, &ProjectionDialog::showProblem);
    connect(seconds_, &QSpinBox::valueChanged, this, &ProjectionDialog::showProblem);
    connect(code_, &QLineEdit::textChanged, this, &ProjectionDialog::showProblem);
    showProblem();
}

ProjectionRequest ProjectionDialog::request() const {
    return {count_->value(), seconds_->value(), kinds_->chosen(), code_->text().toStdString()};
}

void ProjectionDialog::showProblem() {
    const std::string problem = projectionProblem(request());
    project_->setEnabled(problem.empty());
    problem_->setText(toQString(problem));
    problem_->setVisible(!problem.empty());
}

ProjectionView::ProjectionView(const Sheet& sheet, int seconds, ProjectionClock* clock,
                               QWidget* parent)
    : QWidget(parent), model_(sheet, seconds), clock_(clock) {
    setObjectName(QStringLiteral("projection"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Promítání"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    clock_->setParent(this);
    connect(clock_, &ProjectionClock::ticked, this, [this](int milliseconds) {
        if (model_.tick(milliseconds)) {
            changed();
        } else if (model_.timed() && !model_.paused() && !model_.blanked()) {
            update();  // the bar shrinks
        }
    });
    setAccessibleName(toQString(model_.spokenText()));
}

QFont ProjectionView::face(int pixelSize) const {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixelSize));
    // Widths then grow in proportion to the size, as the size rule takes them.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

int ProjectionView::exerciseSize() const {
    if (model_.onEndScreen()) {
        return 0;
    }
    const SheetItem& item = model_.items().at(static_cast<std::size_t>(model_.current()));
    const QFontMetricsF metrics(face(projectionReferenceSize));
    // Wide enough for the exercise and for its whole worked solution under it.
    const qreal widest = std::max(metrics.horizontalAdvance(toQString(item.exercise)),
                                  metrics.horizontalAdvance(toQString(item.working)));
    return exerciseTypeSize(width(), height(), widest);
}

void ProjectionView::act(Projection::Action action) {
    if (model_.act(action)) {
        changed();
    }
}

void ProjectionView::changed() {
    setAccessibleName(toQString(model_.spokenText()));
    update();
    if (model_.finished()) {
        close();
    }
}

void ProjectionView::keyPressEvent(QKeyEvent* event) {
    if (const auto action = projectionKeyAction(keyName(*event).toStdString())) {
        act(*action);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProjectionView::mousePressEvent(QMouseEvent* event) {
    act(projectionClickAction(event->position().x(), width()));
}

void ProjectionView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (model_.blanked()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.fillRect(rect(), paper);
    painter.setPen(ink);
    if (model_.onEndScreen()) {
        paintEndScreen(painter);
        return;
    }
    const ProjectionFrame frame = projectionFrame(height());
    const qreal margin = frame.margin;
    const QRectF inside = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    // The corner: where the set stands, and its code.
    painter.setFont(face(frame.cornerSize));
    painter.drawText(inside, Qt::AlignTop | Qt::AlignRight,
                     toQString(model_.cornerText()) + QLatin1Char('\n') +
                         toQString(projectionCodeLine(model_.code())));

    // The exercise, and the steps shown under it from the same left edge.
    const SheetItem& item = model_.items().at(static_cast<std::size_t>(model_.current()));
    const QFont big = face(exerciseSize());
    const QFontMetricsF metrics(big);
    const QString exercise = toQString(item.exercise);
    const QString solution = toQString(item.working);
    const qreal left = (width() - std::max(metrics.horizontalAdvance(exercise),
                                           metrics.horizontalAdvance(solution))) /
                       2;
    const qreal top = frame.exerciseTop;
    painter.setFont(big);
    painter.drawText(QPointF(left, top + metrics.ascent()), exercise);
    painter.drawText(
        QPointF(left, top + metrics.lineSpacing() * frame.stepsBelow + metrics.ascent()),
        toQString(model_.stepLine()));

    // The timer: a bar that shrinks from the right and the seconds left above it.
    if (model_.timed()) {
        const qreal bar = frame.margin;
        painter.fillRect(
            QRectF(inside.left(), inside.bottom() - bar, inside.width() * model_.timeShare(), bar),
            ink);
        QString seconds = QStringLiteral("%1 s").arg(model_.secondsLeft());
        if (model_.paused()) {
            seconds += QStringLiteral(" – ") + toQString(pausedText);
        }
        painter.setFont(face(frame.timeSize));
        painter.drawText(inside.adjusted(0, 0, 0, -(bar + frame.timeAbove)),
                         Qt::AlignBottom | Qt::AlignLeft, seconds);
    }
}

void ProjectionView::paintEndScreen(QPainter& painter) const {
    const std::vector<ResultCell> cells = resultCells(model_.items());
    const QFontMetricsF reference(face(projectionReferenceSize));
    qreal label = 0;
    qreal text = 0;
    for (const ResultCell& cell : cells) {
        label = std::max(label, reference.horizontalAdvance(toQString(cell.label)));
        text = std::max(text, reference.horizontalAdvance(toQString(cell.text)));
    }
    // A space after the number and the frame's gap after the result.
    const qreal space = reference.horizontalAdvance(QLatin1Char(' '));
    const qreal gap = projectionReferenceSize * projectionFrame(height()).cellGap;
    const int count = static_cast<int>(cells.size());
    const int size = resultsTypeSize(width(), height(), label + space + text + gap, count);
    const qreal scale = static_cast<qreal>(size) / projectionReferenceSize;
    const int perRow = resultsPerRow(count);
    const int rows = (count + perRow - 1) / perRow;
    const qreal step = size * 1.5;
    const qreal pitch = (label + space + text + gap) * scale;
    const qreal left = (width() - (pitch * std::min(perRow, count) - gap * scale)) / 2;
    qreal top = (height() - step * (rows + 2)) / 2;
    const QFont font = face(size);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const auto lineAt = [&](qreal y) { return QRectF(0, y, width(), step); };
    painter.drawText(lineAt(top), Qt::AlignCenter, toQString(resultsTitle));
    for (int index = 0; index < count; ++index) {
        const int row = 1 + index / perRow;  // under the title
        const qreal x = left + pitch * (index % perRow);
        const qreal baseline = top + step * row + (step + metrics.ascent() - metrics.descent()) / 2;
        const QString number = toQString(cells[static_cast<std::size_t>(index)].label);
        // The number right-aligned before its result, as in the key.
        painter.drawText(QPointF(x + label * scale - metrics.horizontalAdvance(number), baseline),
                         number);
        painter.drawText(QPointF(x + (label + space) * scale, baseline),
                         toQString(cells[static_cast<std::size_t>(index)].text));
    }
    painter.drawText(lineAt(top + step * (rows + 1)), Qt::AlignCenter,
                     toQString(projectionCodeLine(model_.code())));
}

}  // namespace ciferon
