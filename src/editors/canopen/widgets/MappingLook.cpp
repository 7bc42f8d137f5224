#include "editors/canopen/widgets/MappingLook.h"

#include "common/widgets/StringGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QWidget>

inline namespace zz {

void ApplyMappingLook(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kMappingWindowColour);
    palette.setColor(QPalette::WindowText, kMappingTextColour);
    palette.setColor(QPalette::Text, kMappingTextColour);
    palette.setColor(QPalette::ButtonText, kMappingTextColour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    window->setFont(font);
}

void ApplyTargetColour(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, kMappingTargetColour);
    palette.setColor(QPalette::Window, kMappingTargetColour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void TargetColumnDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->backgroundBrush = kMappingTargetColour;
}

void FinishGridEdit(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !window->isAncestorOf(focus)) return;
    for (QWidget* w = focus->parentWidget(); w && w != window; w = w->parentWidget())
        if (qobject_cast<QAbstractItemView*>(w)) {
            focus->clearFocus(); // the cell editor commits its text when it loses the focus
            return;
        }
}

void ImportIntoGrids(OpenExcelDialog& dialog, const std::string& tableName, size_t columnCount, StringGrid* a,
                     StringGrid* b, const SheetRowHandler& onRow)
{
    ImportSheet(
        dialog, tableName, columnCount,
        [&] {
            a->Cells().ClearData();
            b->Cells().ClearData();
        },
        onRow);
    a->CellsChanged();
    b->CellsChanged();
}

} // namespace zz
