#include "common/widgets/StringGrid.h"

#include "common/GridClipboard.h"
#include "common/MessageSink.h"
#include "common/widgets/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

inline namespace zz {

namespace {

bool IsTicked(const std::string& text)
{
    return text == "Y" || text == "y";
}

constexpr QAbstractItemView::EditTriggers kEditTriggers =
    QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed;

} // namespace

// Draws a check column's box in the middle of its cell and toggles it on a click anywhere in
// the cell; gives the other cells a line editor whose Enter, Tab and Escape the grid decides.
class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid* grid)
        : QStyledItemDelegate(grid),
          grid_(grid)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.data(Qt::CheckStateRole).isValid()) return nullptr; // a check cell is toggled, never typed into
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QVariant state = index.data(Qt::CheckStateRole);
        if (!state.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        background.text.clear();
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

        QStyleOptionButton box;
        const QSize size = style->sizeFromContents(QStyle::CT_CheckBox, &box, QSize(), option.widget);
        const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, &box, option.widget);
        const QSize square(indicator > 0 ? indicator : size.height(), indicator > 0 ? indicator : size.height());
        box.rect = QRect(option.rect.center() - QPoint(square.width() / 2, square.height() / 2), square);
        box.state = QStyle::State_Enabled | (state.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, option.widget);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        const QVariant state = index.data(Qt::CheckStateRole);
        if (!state.isValid() || !(index.flags() & Qt::ItemIsEditable))
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint()))
                return model->setData(index, state.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked,
                                      Qt::CheckStateRole);
        }
        return event->type() == QEvent::MouseButtonDblClick; // no second toggle, no editor
    }

protected:
    // The keys that end an edit: the edit is stored (or dropped on Escape) and the grid moves
    // exactly once, here and nowhere else.
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool shift = key->modifiers() & Qt::ShiftModifier;
            switch (key->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Return:
            case Qt::Key_Enter: {
                const bool forward = key->key() != Qt::Key_Backtab && !shift;
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                grid_->Step(forward);
                return true;
            }
            case Qt::Key_Escape: emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache); return true;
            default: break;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    StringGrid* grid_;
};

StringGridModel::StringGridModel(int columns, int rows, QObject* parent)
    : QAbstractTableModel(parent),
      cells(columns, rows)
{
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cells.RowCount() - 1;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cells.ColCount();
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    const std::string& text = cells.Cell(index.column(), index.row() + 1);
    const bool check = checkColumns.count(index.column()) > 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return check && role == Qt::DisplayRole ? QVariant() : QVariant(Q(text));
    case Qt::CheckStateRole: return check ? QVariant(IsTicked(text) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::AccessibleTextRole: return check ? QVariant(Q(text.empty() ? "not set" : text)) : QVariant(Q(text));
    case Qt::BackgroundRole: return index.column() == 0 ? QVariant(QApplication::palette().button()) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? QVariant(int(Qt::AlignCenter)) : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    default: return {};
    }
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!(flags(index) & Qt::ItemIsEditable)) return false;
    if (role != Qt::CheckStateRole && role != Qt::EditRole) return false;
    const bool check = checkColumns.count(index.column()) > 0;
    if (role == Qt::CheckStateRole && !check) return false;
    const std::optional<std::string> text = role == Qt::CheckStateRole
                                                ? std::string(1, value.toInt() == Qt::Checked ? 'Y' : 'N')
                                            : check ? CheckCellValue(S(value.toString()))
                                                    : std::optional<std::string>(S(value.toString()));
    if (!text) return false;
    cells.SetCell(index.column(), index.row() + 1, *text);
    emit dataChanged(index, index);
    if (role == Qt::CheckStateRole) emit CheckToggled(index);
    return true;
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return Q(cells.Cell(section, 0));
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return section + 1;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 || readOnly) return f;
    if (checkColumns.count(index.column())) return f | Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
    return f | Qt::ItemIsEditable;
}

void StringGridModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void StringGridModel::CellChanged(int column, int row)
{
    const QModelIndex at = index(row - 1, column);
    emit dataChanged(at, at);
}

StringGrid::StringGrid(int columns, int rows, QWidget* parent)
    : QTableView(parent),
      model_(new StringGridModel(columns, rows, this))
{
    setModel(model_);
    setItemDelegate(new StringGridDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(kEditTriggers);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    // A toggled check cell becomes the current cell, so the next key acts on it.
    connect(model_, &StringGridModel::CheckToggled, this, [this](const QModelIndex& at) {
        if (currentIndex() != at) selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    });
}

GridCells& StringGrid::Cells()
{
    return model_->cells;
}
const GridCells& StringGrid::Cells() const
{
    return model_->cells;
}
void StringGrid::CellsChanged()
{
    model_->Reset();
}

void StringGrid::SetCell(int column, int row, const std::string& text)
{
    model_->cells.SetCell(column, row, text);
    if (row > 0) model_->CellChanged(column, row);
    else model_->headerDataChanged(Qt::Horizontal, column, column);
}

void StringGrid::SetCheckColumn(int column)
{
    model_->checkColumns.insert(column);
}

void StringGrid::SetReadOnly(bool readOnly)
{
    model_->readOnly = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : kEditTriggers);
    model_->Reset();
}

void StringGrid::SetColumnWidth(int column, int width)
{
    setColumnWidth(column, width);
}

int StringGrid::CurrentColumn() const
{
    return currentIndex().isValid() ? currentIndex().column() : 0;
}
int StringGrid::CurrentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

void StringGrid::MoveCursor(int column, int row)
{
    const QModelIndex at = model_->index(row - 1, column);
    if (at.isValid()) {
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
        scrollTo(at);
    }
}

bool StringGrid::IsCheckCell(const QModelIndex& index) const
{
    return index.isValid() && model_->checkColumns.count(index.column()) > 0;
}

void StringGrid::ToggleCheck(const QModelIndex& index)
{
    const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model_->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

bool StringGrid::Step(bool forward)
{
    const int columns = model_->columnCount();
    const int rows = model_->rowCount();
    if (rows == 0 || columns == 0) return false;
    const int first = columns > 1 ? 1 : 0;
    const auto visible = [&](int column) { return !isColumnHidden(column); };
    QModelIndex at = currentIndex();
    int column = at.isValid() ? at.column() : first - 1;
    int row = at.isValid() ? at.row() : 0;
    do {
        if (forward) {
            if (++column >= columns) {
                if (++row >= rows) return false;
                column = first;
            }
        } else {
            if (--column < first) {
                if (--row < 0) return false;
                column = columns - 1;
            }
        }
    } while (!visible(column));
    MoveCursor(column, row + 1);
    return true;
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The keys never land on the row numbers: Left, Home and the like stop at the first data
    // column.
    const QModelIndex to = QTableView::moveCursor(action, modifiers);
    if (to.isValid() && to.column() == 0 && model_->columnCount() > 1) return model_->index(to.row(), 1);
    return to;
}

bool StringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = QTableView::edit(index, trigger, event);
    // F2 and a double-click keep the text and put the caret at its end; typing replaces it.
    if (editing && (trigger == EditKeyPressed || trigger == DoubleClicked)) {
        if (auto* line = qobject_cast<QLineEdit*>(indexWidget(index))) {
            line->deselect();
            line->end(false);
        }
    }
    return editing;
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    // Shift+click selects from the current cell, as a spreadsheet does, not from the cell last
    // clicked: Enter or Tab may have moved the cursor since.
    if (shift && event->button() == Qt::LeftButton && at.isValid() && state() != QAbstractItemView::EditingState &&
        (model_->flags(at) & Qt::ItemIsSelectable)) {
        setFocus(Qt::MouseFocusReason);
        ExtendTo(at);
        event->accept();
        return;
    }
    if (IsCheckCell(at) && event->button() == Qt::LeftButton && !shift)
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    QTableView::mousePressEvent(event);
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex at = currentIndex();
    const bool editing = state() == QAbstractItemView::EditingState;
    if (!editing) {
        if (event->matches(QKeySequence::Copy)) return CopySelection();
        if (event->matches(QKeySequence::Cut)) return CutSelection();
        if (event->matches(QKeySequence::Paste)) return PasteClipboard();
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (shift && !editing && ExtendSelection(event)) return;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Step(!shift); // at the last cell Enter stays there
        event->accept();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Past the last cell (or before the first) Tab leaves the grid for the next control.
        if (Step(event->key() == Qt::Key_Tab && !shift)) event->accept();
        else event->ignore();
        return;
    case Qt::Key_Escape:
        event->ignore(); // the window's Cancel
        return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (!editing) ClearSelection();
        event->accept();
        return;
    case Qt::Key_Space:
        if (IsCheckCell(at) && (model_->flags(at) & Qt::ItemIsEditable)) {
            ToggleCheck(at);
            event->accept();
            return;
        }
        break;
    default: break;
    }
    if (IsCheckCell(at) && !event->text().isEmpty() && event->text().at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();
        return; // a check box takes no typed text
    }
    QTableView::keyPressEvent(event);
}

bool StringGrid::ExtendSelection(QKeyEvent* event)
{
    CursorAction action;
    switch (event->key()) {
    case Qt::Key_Up: action = MoveUp; break;
    case Qt::Key_Down: action = MoveDown; break;
    case Qt::Key_Left: action = MoveLeft; break;
    case Qt::Key_Right: action = MoveRight; break;
    case Qt::Key_Home: action = MoveHome; break;
    case Qt::Key_End: action = MoveEnd; break;
    case Qt::Key_PageUp: action = MovePageUp; break;
    case Qt::Key_PageDown: action = MovePageDown; break;
    default: return false;
    }
    const QModelIndex to = moveCursor(action, event->modifiers());
    if (!to.isValid()) return false;
    ExtendTo(to);
    event->accept();
    return true;
}

void StringGrid::ExtendTo(const QModelIndex& to)
{
    if (!anchor_.isValid()) anchor_ = currentIndex().isValid() ? currentIndex() : to;
    extending_ = true;
    selectionModel()->setCurrentIndex(to, QItemSelectionModel::NoUpdate);
    extending_ = false;
    SelectBlock(std::min(anchor_.column(), to.column()), std::min(anchor_.row(), to.row()),
                std::max(anchor_.column(), to.column()), std::max(anchor_.row(), to.row()));
    scrollTo(to);
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (!extending_) anchor_ = current;
    QTableView::currentChanged(current, previous);
    if (current.isValid()) emit CellSelected(current.column(), current.row() + 1);
}

QModelIndexList StringGrid::SelectedDataCells() const
{
    QModelIndexList cells;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (index.column() > 0 || model_->columnCount() == 1) cells.append(index);
    if (cells.isEmpty() && currentIndex().isValid() && currentIndex().column() > 0) cells.append(currentIndex());
    return cells;
}

void StringGrid::SelectBlock(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    const QItemSelection block(model_->index(firstRow, firstColumn), model_->index(lastRow, lastColumn));
    selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

void StringGrid::CopySelection()
{
    const QModelIndexList selected = SelectedDataCells();
    if (selected.isEmpty()) return;
    int left = model_->columnCount(), right = -1, top = model_->rowCount(), bottom = -1;
    for (const QModelIndex& index : selected) {
        left = std::min(left, index.column());
        right = std::max(right, index.column());
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
    }
    CellBlock block;
    for (int row = top; row <= bottom; ++row) {
        std::vector<std::string>& line = block.emplace_back();
        for (int column = left; column <= right; ++column) line.push_back(model_->cells.Cell(column, row + 1));
    }
    QApplication::clipboard()->setText(Q(FormatTabSeparated(block)));
}

void StringGrid::CutSelection()
{
    CopySelection();
    ClearSelection();
}

void StringGrid::ClearSelection()
{
    if (model_->readOnly) return;
    for (const QModelIndex& index : SelectedDataCells())
        model_->setData(index, QString(), Qt::EditRole); // a check cell takes "" as "N"
}

void StringGrid::PasteClipboard()
{
    if (model_->readOnly) return;
    const CellBlock block = ParseTabSeparated(S(QApplication::clipboard()->text()));
    if (block.empty()) return;
    QModelIndexList selected = SelectedDataCells();
    if (selected.isEmpty() && currentIndex().isValid()) selected.append(model_->index(currentIndex().row(), 1));
    if (selected.isEmpty() || !selected.front().isValid()) return;

    PasteOutcome outcome;
    if (block.size() == 1 && block[0].size() == 1 && selected.size() > 1) {
        for (const QModelIndex& index : selected)
            if (!model_->setData(index, Q(block[0][0]), Qt::EditRole)) ++outcome.RefusedChecks;
    } else {
        // The block's first cell goes to the top left cell of the selection.
        int column = model_->columnCount(), row = model_->rowCount();
        for (const QModelIndex& index : selected) {
            column = std::min(column, index.column());
            row = std::min(row, index.row());
        }
        outcome = PasteBlock(model_->cells, block, column, row + 1, model_->checkColumns);
        size_t widest = 0;
        for (const auto& line : block) widest = std::max(widest, line.size());
        const int lastColumn = std::min(model_->columnCount() - 1, column + static_cast<int>(widest) - 1);
        const int lastRow = std::min(model_->rowCount() - 1, row + static_cast<int>(block.size()) - 1);
        emit model_->dataChanged(model_->index(row, column), model_->index(lastRow, lastColumn));
        SelectBlock(column, row, lastColumn, lastRow);
    }
    if (const std::string notice = outcome.Notice(); !notice.empty()) Messages().Notice(notice);
}

} // namespace zz
