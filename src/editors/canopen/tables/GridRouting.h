#pragma once
#include "common/GridCells.h"
#include "editors/canopen/tables/RowRouting.h"

#include <string>
#include <vector>

inline namespace zz {

// The rows a two-grid window fills on load and on import: each grid fills on its own from
// row 1 downwards, and a full grid takes no more rows (the rest is dropped).
class GridRowFeed {
public:
    explicit GridRowFeed(GridCells& grid)
        : grid_(grid)
    {
    }

    // The next free row, or 0 when the grid is full; the row counts as filled.
    int Next()
    {
        if (filled_ + 1 >= grid_.RowCount()) {
            ++dropped_;
            return 0;
        }
        return ++filled_;
    }
    GridCells& Grid() { return grid_; }
    // Why a row found no place: "the CAN A grid is full (10 rows)".
    std::string FullText(const char* side) const
    {
        return std::string("the ") + side + " grid is full (" + std::to_string(grid_.RowCount() - 1) + " rows)";
    }
    int Dropped() const { return dropped_; }

private:
    GridCells& grid_;
    int filled_ = 0;
    int dropped_ = 0;
};

// True when the row holds, at the given positions, exactly the given texts: the title line
// of a second grid in an exported file, which is no entry.
inline bool IsTitleLine(const std::vector<std::string>& row, const std::vector<size_t>& positions,
                        const std::vector<std::string>& titles)
{
    for (size_t i = 0; i < positions.size(); ++i)
        if (positions[i] >= row.size() || row[positions[i]] != titles[i]) return false;
    return true;
}

} // namespace zz
