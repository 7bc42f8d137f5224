#pragma once
#include <string>

// Where the import put one sheet row: on the table's CAN A or CAN B side, or nowhere, and why.
struct RowRouting {
    enum Side { CanA, CanB, Skipped };
    Side side = Skipped;
    std::string why; // for a skipped row: "PDO 4 does not exist"

    static RowRouting To(Side side) { return {side, {}}; }
    static RowRouting Skip(std::string why) { return {Skipped, std::move(why)}; }
};
