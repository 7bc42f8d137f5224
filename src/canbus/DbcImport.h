#pragma once
#include "canbus/DbcDatabase.h"
#include "gateway/GatewayProject.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// How the frames of a foreign DBC file go into the tables. A file we exported ourselves
// restores its own sides, rows and mappings unless Node or Side says otherwise.
struct DbcImportOptions {
    std::optional<std::string> Node; // its transmitted frames to the send table, its received ones to the receive table
    std::optional<GatewaySide> Side; // every frame to that table
    bool Map = false;                // covered bytes to the next free DeviceNet bytes of the side's area
    std::optional<std::vector<uint32_t>> Frames; // only these identifiers
};

// What an import writes into one side: the frame table and its mapping, paired row by row.
struct DbcImportSide {
    bool Write = false;
    std::vector<FrameRow> Frames;
    std::vector<FrameMapping> Mappings; // fewer than the frames only when the export had fewer
    bool ReplacesFrames = false;        // the table holds frames now
    int MappedBytes = 0;
};

struct DbcImportPlan {
    bool OwnExport = false;
    std::array<DbcImportSide, 2> Sides; // by GatewaySide
    std::vector<std::string> Skipped;   // frames left out, each with why
    std::vector<std::string> NotFitted; // covered bytes that found no DeviceNet byte
    int SkippedIndependent = 0;

    DbcImportSide& Of(GatewaySide side) { return Sides[static_cast<size_t>(side)]; }
    const DbcImportSide& Of(GatewaySide side) const { return Sides[static_cast<size_t>(side)]; }
    bool ReplacesAny() const { return Sides[0].ReplacesFrames || Sides[1].ReplacesFrames; }
};

// True when every frame of the file carries the table attributes of our export.
bool IsOwnDbcExport(const DbcDatabase& database);

// Decides what the import writes, changing nothing. Throws Failure when the import is refused:
// neither node nor side for a foreign file, an unknown node, an identifier of Frames not in the
// file, more frames for a table than it holds, frames the tables' rules refuse.
DbcImportPlan PlanDbcImport(const DbcDatabase& database, const GatewayProject& project,
                            const DbcImportOptions& options);

// Writes every side of the plan, its frame table and then its mapping. When a write fails, the
// documents already written are put back as they were and the failure goes on.
void WriteDbcImport(const GatewayProject& project, const DbcImportPlan& plan);

// "0x123,291,0x1ABCDEF0": identifiers by ParseInt's rules; nothing when one is not a number.
std::optional<std::vector<uint32_t>> ParseFrameList(const std::string& text);

// The summary the front ends show: frames per side, what was skipped and why, bytes mapped
// and those that found no DeviceNet byte, one line each.
std::vector<std::string> DbcImportSummary(const DbcImportPlan& plan);

} // namespace zz
