#pragma once
#include "common/GridCells.h"
#include "editors/canopen/tables/GridRouting.h"
#include "editors/canopen/tables/PdoTranslation.h"

#include <string>
#include <vector>

// The two grids of the PDO translation window: `sga` ("PDO From CanA to CanB") and `sgb`
// ("PDO From CanB to CanA"), each a title row and ten entry rows of six columns: the row
// number, cobid, id_dev_orig, the enable flag ("1" enabled), posind and n_tpdo.
inline constexpr int kPdoGridColumns = 6;
inline constexpr int kPdoGridRows = 11;
inline constexpr size_t kPdoSheetColumns = 5; // cobid, id_dev_orig, en_bypass, posind, n_tpdo

// The column titles as the grids show them, column 0 first.
const std::vector<std::string>& PdoColumnCaptions();
// The title texts the export writes for columns 1 to 5 (the attribute names).
const std::vector<std::string>& PdoTitleTexts();

// Empties every cell, writes the shown titles and the row numbers 0 to 9.
void PreparePdoGrid(GridCells& grid);

// Puts a page's entries into the grid from row 1; returns how many found no free row.
int FillPdoGrid(const std::vector<PdoEntry>& entries, GridCells& grid);

// A grid's entries: the rows from row 1 down to the last before the first empty cobid.
// Column 3 holding exactly "1" is an enabled translation.
std::vector<PdoEntry> PdoEntriesOf(const GridCells& grid);

// The import's row handler: en_bypass (position 2) bit 1 clear routes the row to `sga`, set
// to `sgb`; bit 0 gives column 3 "1" or "0"; positions 0, 1, 3 and 4 go to columns 1, 2, 4
// and 5 as they are. An en_bypass that is no integer throws, which ends the import. Rows
// beyond a full grid are dropped. The title line of `sgb` that the export writes is no entry
// and is passed over. Tells where the row went.
class PdoSheetImport {
public:
    PdoSheetImport(GridCells& sga, GridCells& sgb) : a_(sga), b_(sgb) {}
    RowRouting Row(const std::vector<std::string>& row);

private:
    GridRowFeed a_;
    GridRowFeed b_;
};

// The export's lines: every row of `sga` from the title row on, then of `sgb`; columns 1 to
// 5, with column 3 written "01"/"00" in `sga` and "11"/"10" in `sgb` ("1" in the cell gives
// the first). The title row writes the title texts.
std::vector<std::vector<std::string>> PdoExportLines(const GridCells& sga, const GridCells& sgb);
