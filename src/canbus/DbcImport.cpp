#include "canbus/DbcImport.h"

#include "canbus/DbcGatewayAttributes.h"
#include "common/FileSystem.h"
#include "common/ParseInt.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

inline namespace zz {

namespace {

std::string Count(size_t n, const std::string& what)
{
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

const char* SideName(GatewaySide side)
{
    return side == GatewaySide::Receive ? "receive" : "send";
}

std::string IdText(uint32_t id, bool extended)
{
    char text[16];
    std::snprintf(text, sizeof text, extended ? "0x%08X" : "0x%03X", static_cast<unsigned>(id));
    return text;
}

std::string FrameLabel(const DbcMessage& message)
{
    return IdText(message.Id, message.Extended) + " " + message.Name;
}

std::string Attribute(const DbcMessage& message, const char* name)
{
    const auto it = message.Attributes.find(name);
    return it == message.Attributes.end() ? std::string() : PercentUnescaped(it->second);
}

// The mapping our export wrote: the eight bytes of the row, or none when the frame had no row.
std::optional<FrameMapping> ExportedMapping(const DbcMessage& message)
{
    FrameMapping mapping;
    mapping.Dim = static_cast<uint8_t>(message.Dlc);
    const std::string text = Attribute(message, kDbcMappingAttribute);
    if (text.empty()) return std::nullopt;
    std::stringstream bytes(text);
    std::string part;
    for (int k = 1; k <= 8 && std::getline(bytes, part, ','); ++k)
        mapping.Byte(k) = static_cast<uint8_t>(ParseIntOr(part, kNoByte) & 0xFF);
    return mapping;
}

struct Chosen {
    const DbcMessage* Message;
    GatewaySide Side;
    int Row;
};

bool SideHasFrames(const GatewayProject& project, GatewaySide side)
{
    const auto& document = project.Frames(side);
    return document.Exists && (!document.Loaded() || !document.Read().Rows.empty());
}

} // namespace

bool IsOwnDbcExport(const DbcDatabase& database)
{
    if (database.Messages.empty()) return false;
    return std::all_of(database.Messages.begin(), database.Messages.end(),
                       [](const DbcMessage& m) { return m.Attributes.count(kDbcSideAttribute) != 0; });
}

std::optional<std::vector<uint32_t>> ParseFrameList(const std::string& text)
{
    std::vector<uint32_t> ids;
    std::stringstream parts(text);
    std::string part;
    while (std::getline(parts, part, ',')) {
        const std::optional<int32_t> id = TryParseInt(part);
        if (!id || *id < 0) return std::nullopt;
        ids.push_back(static_cast<uint32_t>(*id));
    }
    if (ids.empty()) return std::nullopt;
    return ids;
}

DbcImportPlan PlanDbcImport(const DbcDatabase& database, const GatewayProject& project, const DbcImportOptions& options)
{
    DbcImportPlan plan;
    plan.SkippedIndependent = database.SkippedIndependent;
    for (const std::string& name : database.SkippedLong)
        plan.Skipped.push_back(name + ": more than 8 data bytes (CAN FD)");
    plan.OwnExport = !options.Node && !options.Side && IsOwnDbcExport(database);
    if (!plan.OwnExport && !options.Node && !options.Side)
        throw Failure("the file was not exported from a gateway project: say which node the gateway is, or which table "
                      "takes the frames");
    if (options.Node && std::find(database.Nodes.begin(), database.Nodes.end(), *options.Node) == database.Nodes.end())
        throw Failure("the file has no node '" + *options.Node + "'");

    PargenSettings settings = PargenDefaults(true);
    ProjectPargen(project, settings);
    const bool is29Bit = !settings.Can11Bit;

    if (options.Frames)
        for (const uint32_t id : *options.Frames)
            if (std::none_of(database.Messages.begin(), database.Messages.end(),
                             [&](const DbcMessage& m) { return m.Id == id; }))
                throw Failure("the file has no frame " + IdText(id, id > 0x7FF));

    std::vector<Chosen> chosen;
    for (const DbcMessage& message : database.Messages) {
        if (options.Frames &&
            std::find(options.Frames->begin(), options.Frames->end(), message.Id) == options.Frames->end())
            continue;
        if (message.Extended != is29Bit) {
            plan.Skipped.push_back(FrameLabel(message) + ": " + (message.Extended ? "29-bit" : "11-bit") +
                                   " identifier in a project of " + (is29Bit ? "29-bit" : "11-bit") + " identifiers");
            continue;
        }
        if (!message.Extended && message.Id > 0x7FF) {
            plan.Skipped.push_back(FrameLabel(message) + ": a standard identifier beyond 11 bits");
            continue;
        }
        if (message.Dlc == 0) {
            plan.Skipped.push_back(FrameLabel(message) + ": no data bytes");
            continue;
        }
        if (plan.OwnExport) {
            const std::string side = Attribute(message, kDbcSideAttribute);
            if (side != kDbcReceiveSide && side != kDbcSendSide) {
                plan.Skipped.push_back(FrameLabel(message) + ": no gateway table '" + side + "'");
                continue;
            }
            chosen.push_back({&message, side == kDbcReceiveSide ? GatewaySide::Receive : GatewaySide::Send,
                              ParseIntOr(Attribute(message, kDbcRowAttribute), 0)});
        } else if (options.Side) {
            chosen.push_back({&message, *options.Side, 0});
        } else if (message.TransmittedBy(*options.Node)) {
            chosen.push_back({&message, GatewaySide::Send, 0});
        } else if (message.ReceivedBy(*options.Node)) {
            chosen.push_back({&message, GatewaySide::Receive, 0});
        } else {
            plan.Skipped.push_back(FrameLabel(message) + ": neither sent nor received by " + *options.Node);
        }
    }
    // Our export lists the tables' rows in order; a file rewritten by another tool may not.
    std::stable_sort(chosen.begin(), chosen.end(), [](const Chosen& a, const Chosen& b) {
        return a.Side != b.Side ? a.Side < b.Side : a.Row < b.Row;
    });

    const DeviceNetAreas areas = AreasOf(project);
    for (const GatewaySide side : kGatewaySides) {
        DbcImportSide& into = plan.Of(side);
        int nextByte = 0;
        bool mappingsEnd = false;
        for (const Chosen& frame : chosen) {
            if (frame.Side != side) continue;
            const DbcMessage& message = *frame.Message;
            into.Write = true;
            FrameRow& row = into.Frames.emplace_back();
            FrameMapping mapping;
            mapping.Dim = static_cast<uint8_t>(message.Dlc);
            if (plan.OwnExport) {
                row.CobId = Attribute(message, kDbcCobIdAttribute);
                row.Dim = Attribute(message, kDbcDimAttribute);
                if (side == GatewaySide::Receive) row.Delete = Attribute(message, kDbcDeleteAttribute);
                row.Mnemonic = Attribute(message, kDbcMnemonicAttribute);
                // A text another tool changed gives way to the frame itself.
                if (ParseIntOr(row.CobId, -1) != static_cast<int32_t>(message.Id))
                    row.CobId = IdText(message.Id, message.Extended);
                if (ParseIntOr(row.Dim, -1) != message.Dlc) row.Dim = std::to_string(message.Dlc);
                const std::optional<FrameMapping> exported = ExportedMapping(message);
                if (!exported) {
                    mappingsEnd = true;
                    continue;
                }
                mapping = *exported;
                for (int k = 1; k <= message.Dlc; ++k) into.MappedBytes += mapping.Byte(k) != kNoByte;
            } else {
                row.CobId = IdText(message.Id, message.Extended);
                row.Dim = std::to_string(message.Dlc);
                if (side == GatewaySide::Receive) row.Delete = "N";
                row.Mnemonic = message.Name;
                const uint8_t covered = CoveredBytes(message);
                for (int k = 1; options.Map && k <= message.Dlc; ++k) {
                    if (!(covered & (1u << (k - 1)))) continue;
                    if (nextByte < areas.Of(side)) {
                        mapping.Byte(k) = static_cast<uint8_t>(nextByte++);
                        ++into.MappedBytes;
                    } else {
                        plan.NotFitted.push_back(FrameLabel(message) + " byte " + std::to_string(k));
                    }
                }
            }
            if (mappingsEnd) throw Failure(FrameLabel(message) + ": the frames before it have no mapping row");
            into.Mappings.push_back(mapping);
        }
        if (into.Frames.size() > static_cast<size_t>(kMaxFrames))
            throw Failure("the " + std::string(SideName(side)) + " table holds at most 127 frames, the file has " +
                          std::to_string(into.Frames.size()) + " for it: choose the frames to import");
        if (const auto problem = ValidateFrames(into.Frames, is29Bit)) throw Failure(*problem);
        into.ReplacesFrames = into.Write && SideHasFrames(project, side);
    }
    return plan;
}

namespace {

// A document as it was before the import, to put back.
struct Snapshot {
    std::string Path;
    bool Existed = false;
    std::string Bytes;
};

Snapshot Take(const std::string& path)
{
    Snapshot snapshot{path, FileExists(path), {}};
    if (snapshot.Existed) snapshot.Bytes = ReadFileBytes(path);
    return snapshot;
}

void PutBack(const Snapshot& snapshot)
{
    if (snapshot.Existed) {
        WriteFileAtomically(snapshot.Path, snapshot.Bytes);
    } else {
        std::error_code ignored;
        std::filesystem::remove(snapshot.Path, ignored);
    }
}

} // namespace

void WriteDbcImport(const GatewayProject& project, const DbcImportPlan& plan)
{
    const ProjectLayout& layout = project.Layout;
    std::vector<Snapshot> taken;
    for (const GatewaySide side : kGatewaySides) {
        if (!plan.Of(side).Write) continue;
        const bool receive = side == GatewaySide::Receive;
        taken.push_back(Take(receive ? layout.ReceiveFrameFile : layout.SendFrameFile));
        taken.push_back(Take(receive ? layout.ReceiveInfoFile : layout.SendInfoFile));
    }
    size_t written = 0;
    try {
        for (const GatewaySide side : kGatewaySides) {
            const DbcImportSide& into = plan.Of(side);
            if (!into.Write) continue;
            const bool receive = side == GatewaySide::Receive;
            ProjectDocument document(Discipline::Strict);
            ++written;
            SaveFrameTable(document, receive ? layout.ReceiveFrameFile : layout.SendFrameFile, side, into.Frames);
            ++written;
            SaveMappings(document, receive ? layout.ReceiveInfoFile : layout.SendInfoFile, side, into.Mappings);
        }
    } catch (...) {
        for (size_t i = 0; i < written; ++i) {
            try {
                PutBack(taken[i]);
            } catch (...) {
            }
        }
        throw;
    }
}

std::vector<std::string> DbcImportSummary(const DbcImportPlan& plan)
{
    std::vector<std::string> lines;
    for (const GatewaySide side : kGatewaySides) {
        const DbcImportSide& into = plan.Of(side);
        if (!into.Write) continue;
        lines.push_back(Count(into.Frames.size(), "frame") + " into the " + SideName(side) + " table, " +
                        Count(static_cast<size_t>(into.MappedBytes), "byte") + " mapped" +
                        (into.ReplacesFrames ? ", replacing its frames" : ""));
    }
    if (lines.empty()) lines.push_back("no frame to import");
    if (plan.SkippedIndependent > 0)
        lines.push_back("skipped the signals without a frame (VECTOR__INDEPENDENT_SIG_MSG)");
    for (const std::string& skipped : plan.Skipped) lines.push_back("skipped " + skipped);
    if (!plan.NotFitted.empty()) {
        lines.push_back(Count(plan.NotFitted.size(), "covered byte") + " found no free DeviceNet byte:");
        for (const std::string& byte : plan.NotFitted) lines.push_back("  " + byte);
    }
    return lines;
}

} // namespace zz
