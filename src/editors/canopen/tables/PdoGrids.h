#pragma once
#include "common/GridCells.h"
#include "editors/canopen/tables/PdoTranslation.h"
#include "editors/canopen/tables/TwoGridTable.h"

#include <string>
#include <vector>

inline namespace zz {

// The two grids of the PDO translation window: `sga` ("PDO From CanA to CanB") and `sgb`
// ("PDO From CanB to CanA"), each a title row and ten entry rows of six columns: the row
// number, cobid, id_dev_orig, the enable flag ("1" enabled), posind and n_tpdo. In a sheet,
// en_bypass stands for the flag: bit 1 routes the row, bit 0 enables; the export writes it
// "01"/"00" in `sga` and "11"/"10" in `sgb`, and its title line names the attributes.
inline constexpr int kPdoGridColumns = 6;
inline constexpr int kPdoGridRows = 11;
inline constexpr size_t kPdoSheetColumns = 5; // cobid, id_dev_orig, en_bypass, posind, n_tpdo

// Shown when the document holds more entries for a page than its grid: OK would drop them.
inline constexpr const char* kPdoPageOverflow =
    "rpdodef.xml holds more than 10 entries for one page: only the first 10 are shown, and OK saves only these";

const TwoGridTable& PdoGridTable();

// Puts a page's entries into the grid from row 1; returns how many found no free row.
int FillPdoGrid(const std::vector<PdoEntry>& entries, GridCells& grid);

// A grid's entries: the rows from row 1 down to the last before the first empty cobid.
// Column 3 holding exactly "1" is an enabled translation.
std::vector<PdoEntry> PdoEntriesOf(const GridCells& grid);

} // namespace zz
