#include "editors/canopen/workbook/Workbook.h"

inline namespace zz {

void Workbook::ReadSheetRows(const std::string& name, const std::function<bool(const SheetHead&)>& head,
                             const std::function<void(const std::vector<std::string>&)>& row) const
{
    Sheet sheet = ReadSheet(name);
    uint64_t text = 0;
    for (const std::string& cell : sheet.titleRow) text += cell.size();
    for (const std::vector<std::string>& cells : sheet.rows)
        for (const std::string& cell : cells) text += cell.size();
    if (!head({sheet.columnCount, sheet.rows.size(), std::move(sheet.titleRow), sheet.fromCsv, text})) return;
    for (std::vector<std::string>& cells : sheet.rows) {
        row(cells);
        std::vector<std::string>().swap(cells);
    }
}

} // namespace zz
