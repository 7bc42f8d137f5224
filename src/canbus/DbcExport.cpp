#include "canbus/DbcExport.h"

#include "canbus/DbcGatewayAttributes.h"
#include "canbus/DbcWriter.h"
#include "common/ParseInt.h"

#include <cstdio>
#include <set>

inline namespace zz {

namespace {

// A DBC name from the mnemonic: letters, digits and '_' kept, every other run one '_', at most
// `room` characters, unique in the file.
std::string FrameName(const std::string& mnemonic, uint32_t id, size_t room, std::set<std::string>& taken)
{
    std::string name;
    for (const char c : mnemonic) {
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (keep) name += c;
        else if (!name.empty() && name.back() != '_') name += '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    char fallback[16];
    std::snprintf(fallback, sizeof fallback, "Frame_%X", static_cast<unsigned>(id));
    if (name.empty()) name = fallback;
    if (name[0] >= '0' && name[0] <= '9') name = "F_" + name;
    name = name.substr(0, room);
    const std::string base = name;
    for (int n = 2; !taken.insert(name).second; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        name = base.substr(0, room - suffix.size()) + suffix;
    }
    return name;
}

// The comment shows the mnemonic in printable ASCII; the attribute keeps it exactly.
std::string AsciiComment(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && (byte & 0xC0) == 0x80) continue; // continuation bytes: one '?' a character
        out += byte < 0x20 || byte > 0x7E ? '?' : c == '"' ? '\'' : c == '\\' ? '/' : c;
    }
    return out;
}

std::string MappingText(const FrameMapping& mapping)
{
    std::string out;
    for (int k = 1; k <= 8; ++k) out += (k > 1 ? "," : "") + std::to_string(mapping.Byte(k));
    return out;
}

std::string RowProblem(const char* document, size_t row, const std::string& what)
{
    return std::string(document) + ", row " + std::to_string(row + 1) + ": " + what;
}

} // namespace

DbcExport ExportDbc(const GatewayProject& project)
{
    PargenSettings settings = PargenDefaults(true);
    ProjectPargen(project, settings);
    const bool is29Bit = !settings.Can11Bit;

    DbcDatabase db;
    db.Nodes = {kDbcGatewayNode, kDbcBusNode};
    db.Definitions = {
        {"", "BusType", "STRING", "\"\""},
        {"BU_", kDbcNodeAttribute, "INT 0 1", "0"},
        {"BO_", kDbcSideAttribute, "STRING", "\"\""},
        {"BO_", kDbcRowAttribute, "INT 0 65535", "0"},
        {"BO_", kDbcCobIdAttribute, "STRING", "\"\""},
        {"BO_", kDbcDimAttribute, "STRING", "\"\""},
        {"BO_", kDbcDeleteAttribute, "STRING", "\"\""},
        {"BO_", kDbcMnemonicAttribute, "STRING", "\"\""},
        {"BO_", kDbcMappingAttribute, "STRING", "\"\""},
        {"SG_", kDbcNetByteAttribute, "INT 0 255", "255"},
    };
    db.GlobalAttributes["BusType"] = "CAN";
    db.NodeAttributes[kDbcGatewayNode][kDbcNodeAttribute] = "1";

    DbcExport result;
    std::set<std::string> names;
    std::set<uint32_t> ids;
    for (const GatewaySide side : kGatewaySides) {
        const auto& document = project.Frames(side);
        if (!document.Exists) continue;
        const std::vector<FrameRow> rows = FrameRowsOf(document.Read(), side);
        MappingList mappings;
        SideMappings(project, side, mappings);
        const auto& info = project.Info(side);
        const size_t mappedRows = info.Exists ? info.Read().Rows.size() : 0;
        const bool receive = side == GatewaySide::Receive;
        for (size_t i = 0; i < rows.size(); ++i) {
            const FrameRow& row = rows[i];
            if (const auto problem = ValidateFrames({row}, is29Bit))
                throw Failure(RowProblem(document.Name, i, *problem));
            const auto id = static_cast<uint32_t>(ParseInt(row.CobId));
            if (!ids.insert(id).second)
                throw Failure(RowProblem(document.Name, i,
                                         "the COB ID " + row.CobId +
                                             " is in the tables twice; a DBC file holds each frame once"));
            DbcMessage& message = db.Messages.emplace_back();
            message.Id = id;
            message.Extended = is29Bit;
            message.Dlc = ParseInt(row.Dim);
            message.Name = FrameName(row.Mnemonic, id, 29, names); // room for "_B8" after it
            message.Transmitter = receive ? kDbcBusNode : kDbcGatewayNode;
            message.Comment = AsciiComment(row.Mnemonic);
            message.Attributes[kDbcSideAttribute] = receive ? kDbcReceiveSide : kDbcSendSide;
            message.Attributes[kDbcRowAttribute] = std::to_string(i + 1);
            message.Attributes[kDbcCobIdAttribute] = PercentEscaped(row.CobId);
            message.Attributes[kDbcDimAttribute] = PercentEscaped(row.Dim);
            if (receive) message.Attributes[kDbcDeleteAttribute] = PercentEscaped(row.Delete);
            message.Attributes[kDbcMnemonicAttribute] = PercentEscaped(row.Mnemonic);
            // Our import gives the frames after the last mapping row none again.
            const FrameMapping& mapping = mappings.Records.at(i);
            message.Attributes[kDbcMappingAttribute] = i < mappedRows ? MappingText(mapping) : "";
            for (int k = 1; k <= message.Dlc; ++k) {
                if (mapping.Byte(k) == kNoByte) continue;
                DbcSignal& signal = message.Signals.emplace_back();
                signal.Name = message.Name + "_B" + std::to_string(k);
                signal.StartBit = 8 * (k - 1);
                signal.Length = 8;
                signal.Receivers = {receive ? kDbcGatewayNode : kDbcBusNode};
                signal.Attributes[kDbcNetByteAttribute] = std::to_string(mapping.Byte(k));
                ++result.Signals;
            }
            ++(receive ? result.ReceiveFrames : result.SendFrames);
        }
    }
    result.Text = WriteDbc(db);
    return result;
}

} // namespace zz
