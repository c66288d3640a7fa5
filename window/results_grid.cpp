#include "results_grid.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "classset/set_entry.h"
#include "form1.h"
#include "overview_view.h"
#include "page_type.h"
#include "set_document.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

enum Role { ExpectedRole = Qt::UserRole, MarkRole };
constexpr int notHandedIn = -1;

// A mark's sign, the core's.
QString signOf(Mark mark) {
    return toQString(markSign(mark));
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

class ResultsModel final : public QAbstractTableModel {
  public:
    ResultsModel(const SetDocument& document, const std::vector<std::vector<SheetItem>>& items,
                 QObject* parent)
        : QAbstractTableModel(parent), document_(document), items_(items) {
        for (const auto& sheet : items_) {
            exercises_ = std::max(exercises_, static_cast<int>(sheet.size()));
        }
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(items_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : ResultsGrid::firstExercise + exercises_;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (index.column() >= ResultsGrid::firstExercise && !item(index)) {
            return Qt::NoItemFlags;  // beyond a shorter sheet's exercises
        }
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        switch (section) {
            case 0:
                return QStringLiteral("List");
            case 1:
                return QStringLiteral("Jméno");
            case 2:
                return QStringLiteral("Kód");
            default:
                return QString::number(section - ResultsGrid::firstExercise + 1);
        }
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const SetSheet& sheet = sheetAt(index.row());
        if (index.column() < ResultsGrid::firstExercise) {
            if (role == Qt::FontRole && index.column() == 2) {
                return codeFont();
            }
            if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
                return {};
            }
            switch (index.column()) {
                case 0:
                    return role == Qt::DisplayRole
                               ? QVariant(index.row() + 1)
                               : QVariant((sheet.row ? QStringLiteral("Odevzdáno")
                                                     : QStringLiteral("Neodevzdáno")) +
                                          (sheet.adapted ? QStringLiteral(", upravený list")
                                                         : QString()));
                case 1:
                    return QString::fromStdString(sheet.name);
                default:
                    return QString::fromStdString(sheetCode(sheet.sheet));
            }
        }
        const SheetItem* exercise = item(index);
        if (exercise == nullptr) {
            return {};
        }
        const auto at = static_cast<std::size_t>(index.column() - ResultsGrid::firstExercise);
        switch (role) {
            case Qt::DisplayRole:
                return toQString(cellOf(sheet, at));
            case ExpectedRole:
                return toQString(resultText(exercise->result));
            case MarkRole:
                return sheet.row ? static_cast<int>(sheet.row->marks.at(at).mark) : notHandedIn;
            case Qt::ToolTipRole:
            case Qt::AccessibleTextRole:
                return toQString(cellNote(sheet, *exercise, at));
            default:
                return {};
        }
    }

    const SheetItem* item(const QModelIndex& index) const {
        const auto& sheet = items_.at(static_cast<std::size_t>(index.row()));
        const int at = index.column() - ResultsGrid::firstExercise;
        return at >= 0 && at < static_cast<int>(sheet.size()) ? &sheet[static_cast<std::size_t>(at)]
                                                              : nullptr;
    }

    const SetSheet& sheetAt(int row) const {
        return document_.set().sheets.at(static_cast<std::size_t>(row));
    }

    // The codes a little smaller than the rest, so that the exercises have the room.
    static QFont codeFont() {
        QFont font;
        font.setPointSizeF(font.pointSizeF() * 0.9);
        return font;
    }

    void cellChanged(int row, int column) {
        Q_EMIT dataChanged(index(row, column), index(row, column));
    }

    void rowChanged(int row) { Q_EMIT dataChanged(index(row, 0), index(row, columnCount({}) - 1)); }

  private:
    const SetDocument& document_;
    const std::vector<std::vector<SheetItem>>& items_;
    int exercises_ = 0;
};

namespace {

// An exercise's cell: the mark's sign at the left in its colour, the typed answer at the
// right, or where nothing is typed the expected result faintly.
class CellDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.column() < ResultsGrid::firstExercise) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        if (!(index.flags() & Qt::ItemIsEnabled)) {
            painter->fillRect(option.rect, option.palette.color(QPalette::Window));
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        // The current cell is light yellow with a dark frame, never the style's dark selection,
        // on which the faint result and the marks' colours could not be read.
        const bool current =
            (option.state & (QStyle::State_HasFocus | QStyle::State_Selected)) != 0;
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
        if (current) {
            painter->fillRect(option.rect.adjusted(1, 1, -1, -1), QColor(0xff, 0xf3, 0xb0));
            painter->save();
            painter->setPen(QPen(QColor(0x33, 0x33, 0x33), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
            painter->restore();
        }
        const QRect area = option.rect.adjusted(2, 0, -3, 0);
        const QString typed = index.data(Qt::DisplayRole).toString();
        const int mark = index.data(MarkRole).toInt();
        painter->save();
        int signWidth = 0;
        if (mark != notHandedIn) {
            const auto marked = static_cast<Mark>(mark);
            QFont bold = option.font;
            bold.setBold(true);
            painter->setFont(bold);
            painter->setPen(marked == Mark::Right ? rightColour : wrongColour);
            painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, signOf(marked));
            signWidth = QFontMetrics(bold).horizontalAdvance(signOf(marked)) + 2;
        }
        // A result too wide beside the sign is drawn a little smaller, and only then cut.
        const QString shown = typed.isEmpty() ? index.data(ExpectedRole).toString() : typed;
        const int room = area.width() - signWidth;
        QFont font = option.font;
        if (QFontMetrics(font).horizontalAdvance(shown) > room) {
            font.setPointSizeF(font.pointSizeF() * 0.85);
        }
        painter->setFont(font);
        painter->setPen(typed.isEmpty() ? expectedColour : option.palette.color(QPalette::Text));
        painter->drawText(area.adjusted(signWidth, 0, 0, 0), Qt::AlignRight | Qt::AlignVCenter,
                          QFontMetrics(font).elidedText(shown, Qt::ElideLeft, room));
        painter->restore();
    }
};

}  // namespace

ResultsGrid::ResultsGrid(SetDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document) {
    setObjectName(QStringLiteral("resultsGrid"));
    setAttribute(Qt::WA_DeleteOnClose);
    const SetFile& set = document_.set();
    for (const SetSheet& sheet : set.sheets) {
        items_.push_back(sheetItems(sheet.sheet));
    }
    setWindowTitle(QStringLiteral("Výsledky třídy – %1")
                       .arg(set.heading.empty() ? QStringLiteral("sada")
                                                : QString::fromStdString(set.heading)));

    auto* help = new QLabel(
        QStringLiteral("Pište jen to, co se liší od klíče: žákovu odpověď tak, jak ji napsal "
                       "(„7 zb. 2“ nebo „7 (2)“), nebo „-“, když neodpověděl. Enter a Tab "
                       "jdou na další příklad. List celý správně: „Odevzdáno“ (Ctrl+Enter). Žákův "
                       "kód výsledku z kontroly vyplní řádek: „Kód výsledku…“."),
        this);
    help->setWordWrap(true);

    model_ = new ResultsModel(document_, items_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("grid"));
    table_->setAccessibleName(QStringLiteral("Výsledky třídy"));
    table_->setModel(model_);
    table_->setItemDelegate(new CellDelegate(table_));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->verticalHeader()->hide();
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table_->installEventFilter(this);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("note"));
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saving_ = new QLabel(this);
    saving_->setObjectName(QStringLiteral("saving"));

    handIn_ = new QPushButton(QStringLiteral("&Odevzdáno"), this);
    handIn_->setObjectName(QStringLiteral("handIn"));
    handIn_->setToolTip(QStringLiteral("List je odevzdaný a bez chyb (Ctrl+Enter)"));
    handIn_->setFocusPolicy(Qt::NoFocus);
    clear_ = new QPushButton(QStringLiteral("&Vymazat řádek"), this);
    clear_->setObjectName(QStringLiteral("clearRow"));
    clear_->setToolTip(QStringLiteral("Odpovědi listu pryč, list neodevzdaný (Ctrl+Delete)"));
    clear_->setFocusPolicy(Qt::NoFocus);
    auto* names = new QPushButton(QStringLiteral("&Jména…"), this);
    names->setObjectName(QStringLiteral("names"));
    names->setToolTip(QStringLiteral("Jména žáků, jedno na řádek v pořadí listů"));
    names->setFocusPolicy(Qt::NoFocus);
    connect(names, &QPushButton::clicked, this, &ResultsGrid::askNames);
    auto* resultCode = new QPushButton(QStringLiteral("&Kód výsledku…"), this);
    resultCode->setObjectName(QStringLiteral("resultCode"));
    resultCode->setToolTip(
        QStringLiteral("Výsledky listu podle kódu výsledku z žákovy kontroly, místo odpovědí"));
    resultCode->setFocusPolicy(Qt::NoFocus);
    connect(resultCode, &QPushButton::clicked, this, &ResultsGrid::askResultCode);
    auto* undo = new QPushButton(QStringLiteral("&Zpět"), this);
    undo->setToolTip(QStringLiteral("Vrátí poslední změnu (Ctrl+Z)"));
    undo->setFocusPolicy(Qt::NoFocus);
    auto* overview = new QPushButton(QStringLiteral("&Přehled třídy…"), this);
    overview->setObjectName(QStringLiteral("overview"));
    overview->setFocusPolicy(Qt::NoFocus);
    connect(overview, &QPushButton::clicked, this, [this] {
        saveNow();
        OverviewView view(document_.set(), this);
        view.exec();
    });
    auto* close = new QPushButton(QStringLiteral("Zavřít"), this);
    close->setFocusPolicy(Qt::NoFocus);
    connect(handIn_, &QPushButton::clicked, this, &ResultsGrid::handInRow);
    connect(clear_, &QPushButton::clicked, this, &ResultsGrid::clearRow);
    connect(undo, &QPushButton::clicked, this, &ResultsGrid::undo);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(handIn_);
    buttons->addWidget(clear_);
    buttons->addWidget(resultCode);
    buttons->addWidget(undo);
    buttons->addWidget(names);
    buttons->addWidget(overview);
    buttons->addWidget(saving_, 1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addWidget(table_, 1);
    layout->addWidget(note_);
    layout->addLayout(buttons);

    // Typing is written a moment after the last key, and at once when the cell is left.
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(300);
    connect(&saveTimer_, &QTimer::timeout, this, &ResultsGrid::saveNow);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (current != previous) {
                    leaveCell();
                }
                showNote();
            });

    table_->setCurrentIndex(model_->index(0, firstExercise));
    table_->setFocus();
    showNote();
    fitColumns();
}

ResultsGrid::~ResultsGrid() {
    // What was typed in the last moment, before the timer wrote it: the program may be ending.
    saveNow();
}

void ResultsGrid::fitColumns() {
    // A class's sheets of up to 20 exercises fit beside the number, name and code on a screen
    // 1366 pixels wide: the exercises' columns are as wide as a mark and a result such as
    // "28 (5)" need, narrower where the screen asks, never narrower than five digits.
    constexpr int screenWidth = 1366;
    constexpr int exercisesShown = 20;
    const QFontMetrics metrics = table_->fontMetrics();
    QHeaderView* header = table_->horizontalHeader();
    header->setMinimumSectionSize(metrics.horizontalAdvance(QStringLiteral("88")) + 8);
    header->setSectionResizeMode(QHeaderView::Fixed);
    const int number = metrics.horizontalAdvance(QStringLiteral("List")) + 12;
    const int name = metrics.horizontalAdvance(QStringLiteral("Jméno žáka ab"));
    int code = 0;
    const QFontMetrics codeMetrics(ResultsModel::codeFont());
    for (const SetSheet& sheet : document_.set().sheets) {
        code =
            std::max(code, codeMetrics.horizontalAdvance(toQString(sheetCode(sheet.sheet))) + 10);
    }
    table_->setColumnWidth(0, number);
    table_->setColumnWidth(1, name);
    table_->setColumnWidth(2, code);
    const QMargins margins = layout()->contentsMargins();
    const int chrome = margins.left() + margins.right() + 2 * table_->frameWidth() +
                       table_->verticalScrollBar()->sizeHint().width() + 2;
    const int exercises = model_->columnCount({}) - firstExercise;
    const int room = (screenWidth - chrome - number - name - code) /
                     std::max(1, std::min(exercises, exercisesShown));
    const int cell = std::max(
        metrics.horizontalAdvance(QStringLiteral("88888")) + 6,
        std::min(metrics.horizontalAdvance(signOf(Mark::Wrong) + QStringLiteral(" 888 (8)")) + 6,
                 room));
    for (int column = firstExercise; column < model_->columnCount({}); ++column) {
        table_->setColumnWidth(column, cell);
    }
    table_->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    resize(std::min(header->length() + chrome, screenWidth), 700);
}

bool ResultsGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != table_ || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool control = (key->modifiers() & Qt::ControlModifier) != 0;
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (control) {
                handInRow();
            } else {
                moveBy(1);
            }
            return true;
        case Qt::Key_Tab:
            moveBy(1);
            return true;
        case Qt::Key_Backtab:
            moveBy(-1);
            return true;
        case Qt::Key_Backspace:
            eraseInCell(false);
            return true;
        case Qt::Key_Delete:
            if (control) {
                clearRow();
            } else {
                eraseInCell(true);
            }
            return true;
        case Qt::Key_Z:
            if (control) {
                undo();
                return true;
            }
            break;
        default:
            break;
    }
    const QString text = key->text();
    if (!control && (key->modifiers() & Qt::AltModifier) == 0 && !text.isEmpty() &&
        text.front().isPrint()) {
        typeIntoCell(text, fresh_);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ResultsGrid::typeIntoCell(const QString& text, bool replace) {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || model_->item(current) == nullptr) {
        return;
    }
    const int sheet = current.row();
    const int exercise = current.column() - firstExercise;
    const QString before =
        replace ? QString()
                : toQString(cellOf(document_.set().sheets.at(static_cast<std::size_t>(sheet)),
                                   static_cast<std::size_t>(exercise)));
    const QByteArray typed = (before + text).toUtf8();
    std::string mapped = cellText(view(typed));
    if (mapped.size() > keptAnswerMax) {
        return;  // no reader reads a longer answer
    }
    setCell(sheet, exercise, mapped);
    fresh_ = false;
}

void ResultsGrid::eraseInCell(bool all) {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || model_->item(current) == nullptr) {
        return;
    }
    const int sheet = current.row();
    const int exercise = current.column() - firstExercise;
    const SetSheet& row = document_.set().sheets.at(static_cast<std::size_t>(sheet));
    QString text = toQString(cellOf(row, static_cast<std::size_t>(exercise)));
    if (!row.row || (text.isEmpty() && !all)) {
        return;  // nothing typed in a sheet not handed in
    }
    text.chop(all || fresh_ ? text.size() : 1);
    setCell(sheet, exercise, text.toStdString());
    fresh_ = false;
}

void ResultsGrid::setCell(int sheet, int exercise, const std::string& text) {
    if (!cellChanged_) {
        remember(sheet, table_->currentIndex().column());
        cellChanged_ = true;
    }
    SetSheet& row = document_.edit().sheets.at(static_cast<std::size_t>(sheet));
    const bool handedIn = row.row.has_value();
    enterCell(row, items_.at(static_cast<std::size_t>(sheet)), static_cast<std::size_t>(exercise),
              text);
    // A sheet just handed in shows every cell's mark; else only the typed cell changes.
    changed(sheet, handedIn ? firstExercise + exercise : -1);
}

void ResultsGrid::remember(int sheet, int column) {
    undo_.push_back(
        {sheet, column, document_.set().sheets.at(static_cast<std::size_t>(sheet)).row});
}

void ResultsGrid::changed(int sheet, int column) {
    document_.changed();
    if (column < 0) {
        model_->rowChanged(sheet);
    } else {
        model_->cellChanged(sheet, column);
    }
    showNote();
    saveTimer_.start();
}

void ResultsGrid::leaveCell() {
    fresh_ = true;
    cellChanged_ = false;
    if (document_.unsaved()) {
        saveNow();
    }
}

void ResultsGrid::moveBy(int step) {
    // Along the row's exercises, then on to the next row's first (or back to the previous
    // row's last).
    QModelIndex current = table_->currentIndex();
    int row = std::max(current.row(), 0);
    int column = std::max(current.column(), firstExercise - 1);
    const int rows = model_->rowCount({});
    while (true) {
        column += step;
        const auto count = static_cast<int>(items_.at(static_cast<std::size_t>(row)).size());
        if (column >= firstExercise + count) {
            if (row + 1 >= rows) {
                return;
            }
            ++row;
            column = firstExercise;
        } else if (column < firstExercise) {
            if (row == 0) {
                return;
            }
            --row;
            column = firstExercise +
                     static_cast<int>(items_.at(static_cast<std::size_t>(row)).size()) - 1;
        }
        const QModelIndex next = model_->index(row, column);
        if (model_->item(next) != nullptr) {
            table_->setCurrentIndex(next);
            return;
        }
    }
}

void ResultsGrid::handInRow() {
    const int sheet = std::max(table_->currentIndex().row(), 0);
    SetSheet& row = document_.edit().sheets.at(static_cast<std::size_t>(sheet));
    if (row.row) {
        return;
    }
    remember(sheet, table_->currentIndex().column());
    handIn(row);
    changed(sheet);
    leaveCell();
    // On to the next sheet, as after its last exercise.
    if (sheet + 1 < model_->rowCount({})) {
        table_->setCurrentIndex(model_->index(sheet + 1, firstExercise));
    }
}

void ResultsGrid::clearRow() {
    const int sheet = std::max(table_->currentIndex().row(), 0);
    SetSheet& row = document_.edit().sheets.at(static_cast<std::size_t>(sheet));
    if (!row.row) {
        return;
    }
    remember(sheet, table_->currentIndex().column());
    row.row.reset();
    changed(sheet);
    leaveCell();
}

void ResultsGrid::undo() {
    if (undo_.empty()) {
        return;
    }
    const Change change = undo_.back();
    undo_.pop_back();
    document_.edit().sheets.at(static_cast<std::size_t>(change.sheet)).row = change.before;
    changed(change.sheet);
    table_->setCurrentIndex(model_->index(change.sheet, change.column));
    leaveCell();
}

void ResultsGrid::askResultCode() {
    const int sheet = std::max(table_->currentIndex().row(), 0);
    QInputDialog dialog(this);
    dialog.setWindowTitle(toQString(resultCodeTitle));
    dialog.setLabelText(toQString(resultCodeQuestion(
        static_cast<std::size_t>(sheet) + 1,
        sheetCode(document_.set().sheets.at(static_cast<std::size_t>(sheet)).sheet))));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QByteArray typed = dialog.textValue().trimmed().toUtf8();
    SetSheet entered = document_.set().sheets.at(static_cast<std::size_t>(sheet));
    if (const ResultCodeFault fault = enterResultCode(entered, view(typed));
        fault != ResultCodeFault::None) {
        QMessageBox box(QMessageBox::Warning, applicationTitle,
                        toQString(resultCodeRefusal(fault, view(typed))), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    leaveCell();
    remember(sheet, table_->currentIndex().column());
    document_.edit().sheets.at(static_cast<std::size_t>(sheet)).row = entered.row;
    changed(sheet);
    leaveCell();
}

void ResultsGrid::askNames() {
    QStringList names;
    for (const SetSheet& sheet : document_.set().sheets) {
        names << QString::fromStdString(sheet.name);
    }
    while (!names.isEmpty() && names.constLast().isEmpty()) {
        names.removeLast();
    }
    QInputDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Jména žáků"));
    dialog.setLabelText(
        QStringLiteral("Jedno jméno na řádek v pořadí listů (prázdný řádek: list "
                       "bez jména). Jména zůstávají jen v souboru sady."));
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput);
    dialog.setTextValue(names.join(QLatin1Char('\n')));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QByteArray typed = dialog.textValue().toUtf8();
    const auto sheets = static_cast<int>(document_.set().sheets.size());
    const NameList list = readNameList(view(typed), sheets);
    if (!list.refusal.empty()) {
        QMessageBox box(QMessageBox::Warning, applicationTitle, toQString(list.refusal),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    for (std::size_t i = 0; i < document_.set().sheets.size(); ++i) {
        document_.edit().sheets[i].name = i < list.names.size() ? list.names[i] : std::string();
        model_->rowChanged(static_cast<int>(i));
    }
    document_.changed();
    showNote();
    saveNow();
}

QString ResultsGrid::note() const {
    return note_->text();
}

void ResultsGrid::showNote() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) {
        note_->clear();
        return;
    }
    const SetSheet& sheet = model_->sheetAt(current.row());
    QString who = QStringLiteral("List %1").arg(current.row() + 1);
    if (!sheet.name.empty()) {
        who += QStringLiteral(" (%1)").arg(QString::fromStdString(sheet.name));
    }
    if (model_->item(current) != nullptr) {
        note_->setText(who + QStringLiteral(": ") + current.data(Qt::ToolTipRole).toString());
    } else {
        note_->setText(
            who + (sheet.row ? QStringLiteral(" · odevzdáno") : QStringLiteral(" · neodevzdáno")));
    }
}

bool ResultsGrid::saveNow() {
    saveTimer_.stop();
    if (!document_.unsaved()) {
        return true;
    }
    const QString fault = document_.save();
    if (fault.isEmpty()) {
        saving_->clear();
        return true;
    }
    saving_->setText(QStringLiteral("<span style='color:#b00020'>Odpovědi se nepodařilo uložit: "
                                    "%1</span>")
                         .arg(fault.toHtmlEscaped()));
    return false;
}

void ResultsGrid::closeEvent(QCloseEvent* event) {
    // Only when the grid itself is closed: the main window's "Ukonči práci" ends the program
    // without a question, and the answers typed are in the file by then.
    const bool ownClose = parentWidget() == nullptr || parentWidget()->isVisible();
    if (!saveNow() && ownClose) {
        QMessageBox box(QMessageBox::Warning, applicationTitle,
                        QStringLiteral("Odpovědi se nepodařilo uložit do souboru „%1“. Zavřít "
                                       "okno i tak a odpovědi ztratit?")
                            .arg(document_.path()),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace ciferon
