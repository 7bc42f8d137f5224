#pragma once
#include "editors/canopen/tables/EmcyWord.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// The "emcyword" member of the spreadsheet import and CSV export: 52 columns in document order.

// The word of one sheet row and the side its extdata names; none for an extdata other than 0
// and 1 (the row is dropped). Throws the ParseInt failure of an extdata that is no integer,
// which ends the import.
std::optional<std::pair<CanSide, TClWEmcy>> EmcyWordFromSheetRow(const std::vector<std::string>& row);

// The export: no title line, one line per word, the CAN A list and
// then the CAN B list in list order.
std::vector<std::vector<std::string>> EmcyWordExportLines(const EmcyWordTable& table);

} // namespace zz
