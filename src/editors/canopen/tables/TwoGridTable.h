#pragma once
#include "common/GridCells.h"
#include "editors/canopen/tables/GridRouting.h"
#include "xmlstore/GuardedRead.h"

#include <string>
#include <vector>

inline namespace zz {

class ProjectDocument;
struct ProjectContext;

// A CANopen table shown on two grids: `sga` holds the entries of the CAN A side, `sgb` those
// of the CAN B side. Each grid is a title row and a fixed number of entry rows; column 0
// numbers the entry rows from 0, and the sheet's columns follow in order (sheet position p in
// grid column p + 1). One column holds a flag, "1" when set. In a sheet that column holds a
// number whose routing bit chooses the grid and whose flag bit sets the flag; the export
// writes it as a code of the grid and the flag.
struct FlagCodes {
    const char* Set;
    const char* Clear;
};

// What loading the table's document into the grids found.
struct GridLoad {
    GuardedReadResult Read;
    int Dropped; // entries beyond a full grid, left out
};

struct TwoGridTable {
    const char* Name;                    // the sheet the import looks for and the exported file's base name
    int Columns;                         // column 0 included
    int Rows;                            // the title row included
    std::vector<std::string> Captions;   // the titles the grids show, column 0 first
    std::vector<std::string> TitleTexts; // the export's title line, column 1 first
    int FlagColumn;
    int RoutingBit; // set: the row belongs to `sgb`
    int FlagBit;    // set: the flag is "1"
    FlagCodes CodesA;
    FlagCodes CodesB;
    int FirstTargetColumn; // this column and those right of it describe the target side

    // The table's document. `load` reads it into prepared grids (its messages go to the
    // message sink); `write` builds the document from the grids, throwing Failure on an entry
    // it cannot store, and tells the path it belongs to.
    GridLoad (*load)(const ProjectContext& context, ProjectDocument& document, GridCells& sga, GridCells& sgb);
    std::string (*write)(const ProjectContext& context, const GridCells& sga, const GridCells& sgb,
                         ProjectDocument& document);

    size_t SheetColumns() const { return size_t(Columns - 1); }
};

// Empties every cell, writes the shown titles and numbers the entry rows from 0.
void PrepareGrid(const TwoGridTable& table, GridCells& grid);

// Prepares both grids and loads the table's document into them.
GridLoad LoadGrids(const TwoGridTable& table, const ProjectContext& context, ProjectDocument& document, GridCells& sga,
                   GridCells& sgb);

// Writes one entry row: the flag, and the values into the other columns from column 1 on.
void FillGridRow(const TwoGridTable& table, GridCells& grid, int row, bool flag,
                 const std::vector<const std::string*>& values);

// The import's row handler. The flag's position routes the row by the routing bit and sets
// the flag by the flag bit; the other positions go to their columns as they are. A flag that
// is no integer throws, which ends the import. Rows beyond a full grid are dropped. The title
// line of `sgb` that the export writes is no entry and is passed over. Tells where the row
// went.
class TwoGridSheetImport {
public:
    TwoGridSheetImport(const TwoGridTable& table, GridCells& sga, GridCells& sgb);
    RowRouting Row(const std::vector<std::string>& row);

private:
    const TwoGridTable& table_;
    GridRowFeed a_;
    GridRowFeed b_;
};

// The export's lines: every row of `sga` from the title row on, then of `sgb`; columns 1 on,
// the flag column written in its grid's codes ("1" in the cell gives the set code). The title
// row writes the title texts.
std::vector<std::vector<std::string>> ExportLines(const TwoGridTable& table, const GridCells& sga,
                                                  const GridCells& sgb);

} // namespace zz
