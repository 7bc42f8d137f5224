#pragma once
#include "editors/canopen/tables/EmcyDef.h"

#include <string>
#include <vector>

inline namespace zz {

// The "emcydef" member of the spreadsheet import and CSV export: twelve columns, the eleven
// texts and bypass_set.

// Appends the entry of one sheet row to the list its bypass_set names. The texts stay as they
// are (an empty cell stays empty). Throws the ParseInt failure of a bypass_set that is no
// integer, which ends the import. Returns the side the entry went to.
CanSide AddEmcyDefSheetRow(EmcyTable& table, const std::vector<std::string>& row);

// The export: no title line, one line per entry, the CAN A list and
// then the CAN B list in list order, bypass_set packed as on save.
std::vector<std::vector<std::string>> EmcyDefExportLines(const EmcyTable& table);

} // namespace zz
