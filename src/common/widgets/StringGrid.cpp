#include "common/widgets/StringGrid.h"

#include "common/widgets/QtText.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

bool IsTicked(const std::string& text)
{
    return text == "Y" || text == "y";
}

// Draws the check box of a check column in the middle of its cell and toggles it on a click
// anywhere in the cell.
class CenteredCheckDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

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
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            return model->setData(index, state.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) return true;
        return false;
    }
};

} // namespace

StringGridModel::StringGridModel(int columns, int rows, QObject* parent)
    : QAbstractTableModel(parent), cells(columns, rows)
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
    case Qt::EditRole:
        return check && role == Qt::DisplayRole ? QVariant() : QVariant(Q(text));
    case Qt::CheckStateRole:
        return check ? QVariant(IsTicked(text) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::AccessibleTextRole:
        return check ? QVariant(Q(text.empty() ? "not set" : text)) : QVariant(Q(text));
    case Qt::BackgroundRole:
        return index.column() == 0 ? QVariant(QApplication::palette().button()) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? QVariant(int(Qt::AlignCenter)) : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!(flags(index) & Qt::ItemIsEditable)) return false;
    if (role != Qt::CheckStateRole && role != Qt::EditRole) return false;
    const QString text = role == Qt::CheckStateRole ? QString(value.toInt() == Qt::Checked ? QChar('Y') : QChar('N'))
                                                    : value.toString();
    cells.SetCell(index.column(), index.row() + 1, S(text));
    emit dataChanged(index, index);
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
    : QTableView(parent), model_(new StringGridModel(columns, rows, this))
{
    setModel(model_);
    setItemDelegate(new CenteredCheckDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
}

GridCells& StringGrid::Cells() { return model_->cells; }
const GridCells& StringGrid::Cells() const { return model_->cells; }
void StringGrid::CellsChanged() { model_->Reset(); }

void StringGrid::SetCell(int column, int row, const std::string& text)
{
    model_->cells.SetCell(column, row, text);
    if (row > 0) model_->CellChanged(column, row);
    else model_->headerDataChanged(Qt::Horizontal, column, column);
}

void StringGrid::SetCheckColumn(int column) { model_->checkColumns.insert(column); }

void StringGrid::SetReadOnly(bool readOnly)
{
    model_->readOnly = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed);
    model_->Reset();
}

void StringGrid::SetColumnWidth(int column, int width) { setColumnWidth(column, width); }

int StringGrid::CurrentColumn() const { return currentIndex().isValid() ? currentIndex().column() : 0; }
int StringGrid::CurrentRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void StringGrid::MoveCursor(int column, int row)
{
    const QModelIndex at = model_->index(row - 1, column);
    if (at.isValid()) {
        setCurrentIndex(at);
        scrollTo(at);
    }
}

void StringGrid::MoveToNextCell()
{
    const QModelIndex at = currentIndex();
    if (!at.isValid()) return;
    int column = at.column() + 1;
    int row = at.row();
    if (column >= model_->columnCount()) {
        column = 1;
        ++row;
    }
    if (row < model_->rowCount()) MoveCursor(column, row + 1);
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex at = currentIndex();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        MoveToNextCell();
        return;
    }
    if (event->key() == Qt::Key_Space && at.isValid() && model_->checkColumns.count(at.column()) &&
        (model_->flags(at) & Qt::ItemIsEditable)) {
        const bool ticked = at.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model_->setData(at, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return;
    }
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && at.isValid() &&
        state() != QAbstractItemView::EditingState && !model_->checkColumns.count(at.column())) {
        model_->setData(at, QString(), Qt::EditRole); // refused by a read-only cell
        return;
    }
    if (at.isValid() && model_->checkColumns.count(at.column()) && !event->text().isEmpty() &&
        event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
        return; // a check box takes no typed text
    }
    QTableView::keyPressEvent(event);
}

void StringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Enter inside the editor ends the edit and moves on, as Tab does.
    const bool moveOn = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, moveOn ? QAbstractItemDelegate::NoHint : hint);
    if (moveOn) MoveToNextCell();
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid()) emit CellSelected(current.column(), current.row() + 1);
}
