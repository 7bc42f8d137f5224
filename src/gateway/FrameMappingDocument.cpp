#include "gateway/FrameMappingDocument.h"

#include "common/FileSystem.h"
#include "common/ParseInt.h"

#include <algorithm>
#include <array>
#include <cctype>

inline namespace zz {

namespace {

uint8_t Low8(int32_t value)
{
    return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu);
}

// Blanks and control characters at both ends do not count.
std::string_view Trimmed(std::string_view text)
{
    const auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool IsNone(std::string_view text)
{
    if (text.size() != 4) return false;
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper == "NONE";
}

} // namespace

uint8_t& FrameMapping::Byte(int k)
{
    uint8_t* bytes[] = {&B1, &B2, &B3, &B4, &B5, &B6, &B7, &B8};
    return *bytes[std::clamp(k, 1, 8) - 1];
}

uint8_t FrameMapping::Byte(int k) const
{
    return const_cast<FrameMapping*>(this)->Byte(k);
}

void MappingsOf(const FrameTableTexts* frames, const FrameInfoTexts* info, MappingList& into)
{
    into.CobIds.clear();
    into.Records.clear();
    if (frames) {
        for (const FrameTableRowTexts& row : frames->Rows) {
            std::string cobId = row.CobId.Value();
            FrameMapping record;
            record.Dim = Low8(ParseInt(row.Dim.Value()));
            into.CobIds.push_back(std::move(cobId));
            into.Records.push_back(record);
        }
    }
    if (!info) return;
    const size_t n = std::min(into.Records.size(), info->Rows.size());
    for (size_t i = 0; i < n; ++i) {
        const FrameInfoRowTexts& row = info->Rows[i];
        FrameMapping& record = into.Records[i];
        for (int k = 1; k <= 8; ++k)
            record.Byte(k) = k <= record.Dim ? Low8(ParseInt(row.Bytes[k - 1].Value())) : kNoByte;
    }
}

void LoadMappings(ProjectDocument& document, const std::string& framePath, const std::string& infoPath,
                  MappingList& into)
{
    into.CobIds.clear();
    into.Records.clear();
    std::optional<FrameTableTexts> frames;
    if (FileExists(framePath)) frames = ReadFrameTableXml(document, framePath);
    // The frames are listed before the info document is read, so that a broken row of the
    // table fails first, as the editor reads them.
    MappingsOf(frames ? &*frames : nullptr, nullptr, into);
    if (into.Records.empty() || !FileExists(infoPath)) return;
    const FrameInfoTexts info = ReadFrameInfoXml(document, infoPath);
    MappingsOf(&*frames, &info, into);
}

std::optional<uint8_t> ParseByteEntry(std::string_view text)
{
    const std::string_view t = Trimmed(text);
    if (t.empty() || IsNone(t)) return kNoByte;
    const int32_t value = ParseIntOr(t, -1);
    if (value >= 0 && value < kDeviceNetBytes) return static_cast<uint8_t>(value);
    return std::nullopt;
}

std::string ByteEntryMessage(int k)
{
    return "Error Byte " + std::to_string(k) + "!! Value have to be between 0 to 127 or none. ";
}

std::string ByteText(uint8_t value)
{
    return value == kNoByte ? "none" : std::to_string(value);
}

void ForEachMappingProblem(const MappingList& list, GatewaySide side,
                           const std::function<void(const MappingProblem&)>& visit)
{
    struct Owner {
        size_t frame = 0;
        int canByte = 0;
        bool used = false;
    };
    const auto cobIdAt = [&](size_t f) { return f < list.CobIds.size() ? list.CobIds[f] : std::string(); };
    std::array<Owner, kDeviceNetBytes> owners{};
    for (size_t f = 0; f < list.Records.size(); ++f) {
        const std::string cobId = cobIdAt(f);
        for (int k = 1; k <= 8; ++k) {
            const uint8_t b = list.Records[f].Byte(k);
            if (b == kNoByte) continue;
            // Only a hand-edited info document holds such a value; it is shown as stored and
            // must be mended before saving. It never indexes the table of owners.
            if (b >= kDeviceNetBytes) {
                visit({f, k, b, false, 0, 0,
                       "Error!! The Byte " + std::to_string(b) + " in COB ID " + cobId + " in Byte " +
                           std::to_string(k) + " is not between 0 and 127. "});
                continue;
            }
            if (side == GatewaySide::Send) continue; // any number of CAN bytes may share one byte
            Owner& owner = owners[b];
            if (owner.used) {
                visit({f, k, b, true, owner.frame, owner.canByte,
                       "Error!! The Byte " + std::to_string(b) + " is used in COB ID " + cobId + " in Byte " +
                           std::to_string(k) + " and in COB ID " + cobIdAt(owner.frame) + " in Byte " +
                           std::to_string(owner.canByte) + " "});
                continue;
            }
            owner = {f, k, true};
        }
    }
}

std::optional<std::string> CheckMappings(const MappingList& list, GatewaySide side)
{
    std::optional<std::string> first;
    ForEachMappingProblem(list, side, [&](const MappingProblem& problem) {
        if (!first) first = problem.Message;
    });
    return first;
}

std::vector<MappingRowTexts> MappingRowsOf(const FrameInfoTexts& info)
{
    std::vector<MappingRowTexts> rows;
    rows.reserve(info.Rows.size());
    for (const FrameInfoRowTexts& row : info.Rows) {
        MappingRowTexts texts;
        for (size_t k = 0; k < texts.size(); ++k) texts[k] = row.Bytes[k].Text;
        rows.push_back(std::move(texts));
    }
    return rows;
}

void SaveMappings(ProjectDocument& document, const std::string& path, GatewaySide side,
                  const std::vector<FrameMapping>& records)
{
    FrameInfoTexts info;
    info.Rows.reserve(records.size());
    for (const FrameMapping& record : records) {
        FrameInfoRowTexts& row = info.Rows.emplace_back();
        for (int k = 1; k <= 8; ++k)
            row.Bytes[k - 1] = StoredText::Of(std::to_string(k <= record.Dim ? record.Byte(k) : kNoByte));
    }
    if (side == GatewaySide::Receive) WriteReceiveInfoXml(document, path, info);
    else WriteSendInfoXml(document, path, info);
}

} // namespace zz
