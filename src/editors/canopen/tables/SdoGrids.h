#pragma once
#include "common/GridCells.h"
#include "editors/canopen/tables/SdoAccess.h"
#include "editors/canopen/tables/TwoGridTable.h"

#include <string>
#include <vector>

inline namespace zz {

// The two grids of the SDO access window: `sga` (requests on CAN A, targets on CAN B) and
// `sgb` (the mirror), each a title row and 1500 entry rows of nine columns: the row number,
// RW, then IndexA, SubindexA, devIDB, IndexB, SubindexB, nbyteB and mnemonico. In a sheet,
// conf stands for RW: bit 0 routes the row, bit 4 gives RW; the export writes RW as "16"/"0"
// in `sga` and "17"/"1" in `sgb`.
inline constexpr int kSdoGridColumns = 9;
inline constexpr int kSdoGridRows = 1501;
inline constexpr size_t kSdoSheetColumns = 8; // conf, IndexA, SubindexA, devIDB, IndexB, SubindexB, nbyteB, mnemonico

const TwoGridTable& SdoGridTable();

// Puts the entries into the next free rows of their page's grid; returns how many found no
// free row.
int FillSdoGrids(const std::vector<SdoAccessEntry>& entries, GridCells& sga, GridCells& sgb);

// The entries a grid holds: rows 1 down to the last row with text in columns 2 to 8 (rows
// between count, empty); RW "1" gives the read/write flag.
std::vector<SdoAccessEntry> SdoEntriesOf(const GridCells& grid, bool requestOnCanB);

} // namespace zz
