#pragma once
#include "editors/canopen/tables/SheetExchange.h"

#include <QColor>
#include <QStyledItemDelegate>

class QWidget;

inline namespace zz {

// The look of the CANopen mapping windows: a cream window with dark grey text in Verdana 8
// point, and a pale cyan for the fields of the target side.
inline const QColor kMappingWindowColour(0xF8, 0xF7, 0xED);
inline const QColor kMappingTextColour(0x33, 0x33, 0x33);
inline const QColor kMappingTargetColour(0xE0, 0xFA, 0xFE);

void ApplyMappingLook(QWidget* window);
// Gives a list, edit field or label the target side's background.
void ApplyTargetColour(QWidget* widget);

// Paints the cells of the grid columns it is set on with the target side's background.
class TargetColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Ends an edit still open in a grid cell of the window, keeping what was typed, so that a
// button that reads the grids sees it also when it was pressed without moving the focus.
void FinishGridEdit(QWidget* window);

class StringGrid;

// The import of the two-grid windows: empties the data cells of both grids (once a workbook is
// chosen), hands each sheet row to `onRow`, and repaints both grids.
void ImportIntoGrids(OpenExcelDialog& dialog, const std::string& tableName, size_t columnCount, StringGrid* a,
                     StringGrid* b, const SheetRowHandler& onRow);

} // namespace zz
