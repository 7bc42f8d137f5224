#pragma once
#include "common/GridCells.h"
#include "editors/canopen/tables/GridRouting.h"
#include "editors/canopen/tables/SdoAccess.h"

#include <string>
#include <vector>

// The two grids of the SDO access window: `sga` (requests on CAN A, targets on CAN B) and
// `sgb` (the mirror), each a title row and 1500 entry rows of nine columns: the row number,
// RW, then IndexA, SubindexA, devIDB, IndexB, SubindexB, nbyteB and mnemonico.
inline constexpr int kSdoGridColumns = 9;
inline constexpr int kSdoGridRows = 1501;
inline constexpr size_t kSdoSheetColumns = 8; // conf, IndexA, SubindexA, devIDB, IndexB, SubindexB, nbyteB, mnemonico

// The column titles as the grids show them, column 0 first.
const std::vector<std::string>& SdoColumnCaptions();
// The title texts the export writes for columns 1 to 8.
const std::vector<std::string>& SdoTitleTexts();

// Empties every cell, writes the shown titles and the row numbers 0 to 1499.
void PrepareSdoGrid(GridCells& grid);

// Puts the entries into the next free rows of their page's grid; returns how many found no
// free row.
int FillSdoGrids(const std::vector<SdoAccessEntry>& entries, GridCells& sga, GridCells& sgb);

// The import's row handler: conf (position 0) routes the row by bit 0 and gives RW by bit 4;
// positions 1 to 7 go to columns 2 to 8 as they are. A conf that is no integer throws, which
// ends the import. Rows beyond a full grid are dropped. The title line of `sgb` that the export
// writes is no entry and is passed over. Tells where the row went.
class SdoSheetImport {
public:
    SdoSheetImport(GridCells& sga, GridCells& sgb) : a_(sga), b_(sgb) {}
    RowRouting Row(const std::vector<std::string>& row);

private:
    GridRowFeed a_;
    GridRowFeed b_;
};

// The entries a grid holds: rows 1 down to the last row with text in columns 2 to 8 (rows
// between count, empty); RW "1" gives the read/write flag.
std::vector<SdoAccessEntry> SdoEntriesOf(const GridCells& grid, bool requestOnCanB);

// The export's lines: every row of `sga` from the title row on, then of `sgb`; columns 1 to
// 8, with column 1 written "16"/"0" in `sga` and "17"/"1" in `sgb` ("1" in the cell gives the
// first). The title row writes the title texts.
std::vector<std::vector<std::string>> SdoExportLines(const GridCells& sga, const GridCells& sgb);
