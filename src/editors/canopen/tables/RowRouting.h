#pragma once
#include "editors/canopen/tables/CanSide.h"

#include <optional>
#include <string>

inline namespace zz {

// Where the import put one sheet row: on the table's CAN A or CAN B side, or nowhere, and why.
struct RowRouting {
    std::optional<CanSide> Side; // none: the row was skipped
    std::string Why;             // for a skipped row: "PDO 4 does not exist"

    static RowRouting To(CanSide side) { return {side, {}}; }
    static RowRouting Skip(std::string why) { return {std::nullopt, std::move(why)}; }
    bool Skipped() const { return !Side; }
};

} // namespace zz
