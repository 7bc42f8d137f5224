#pragma once
#include "gateway/GatewaySide.h"
#include "xmlstore/ProjectDocument.h"
#include "xmlstore/documents/FrameInfoXml.h"
#include "xmlstore/documents/FrameTableXml.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// The byte mapping of one frame: which DeviceNet data byte (0 to 127) each of its CAN data
// bytes goes to (receive side) or comes from (send side); 255 means none. Bytes beyond the
// frame's data length are always none.
struct FrameMapping {
    uint8_t Dim = 0;
    uint8_t B1 = 255, B2 = 255, B3 = 255, B4 = 255, B5 = 255, B6 = 255, B7 = 255, B8 = 255;

    // B1 to B8 by number, k from 1 to 8.
    uint8_t& Byte(int k);
    uint8_t Byte(int k) const;
};

inline constexpr uint8_t kNoByte = 255;
inline constexpr int kDeviceNetBytes = 128;

// The frames of a frame table, listed by their "COB ID" text as stored, and one mapping each.
struct MappingList {
    std::vector<std::string> CobIds;
    std::vector<FrameMapping> Records;
};

// Lists the frames of the frame table (none when there is no table) and takes their mappings
// from the info document, row i for frame i: rows beyond the frames are ignored, frames beyond
// the rows (or all, without an info document) keep none everywhere, bytes beyond a frame's
// length are not read. A missing or non-numeric attribute throws Failure, leaving what was
// read in `into`.
void MappingsOf(const FrameTableTexts* frames, const FrameInfoTexts* info, MappingList& into);

// The same from the documents on disk; a document that does not exist counts as none. The
// info document is read only when the table lists frames.
void LoadMappings(ProjectDocument& document, const std::string& framePath, const std::string& infoPath,
                  MappingList& into);

// What the engineer typed for one byte: none (255) for an empty text or "none" in any letter
// case, the number for 0 to 127; nothing for any other text. Blanks around it do not count.
std::optional<uint8_t> ParseByteEntry(std::string_view text);

// The message refusing the text of byte line k.
std::string ByteEntryMessage(int k);

// The text a byte line shows for a stored value.
std::string ByteText(uint8_t value);

// The first problem over the records in list order: on the receive side a DeviceNet byte fed
// by two CAN bytes (naming the later pair first, then the earlier owner); on both sides a
// stored value that is neither none nor a DeviceNet byte. None when all is well.
std::optional<std::string> CheckMappings(const MappingList& list, GatewaySide side);

// Every problem CheckMappings looks for, in the same order, not only the first, handed over
// one at a time (a long list can hold millions): the frame's list position, its CAN byte (1 to
// 8), the DeviceNet byte, and for an overlap the earlier owner. A byte taken twice is reported
// each time and stays with its first owner.
struct MappingProblem {
    size_t Frame = 0;
    int CanByte = 0;
    uint8_t DeviceNetByte = 0;
    bool Overlap = false;
    size_t OwnerFrame = 0;
    int OwnerByte = 0;
    std::string Message;
};
void ForEachMappingProblem(const MappingList& list, GatewaySide side,
                           const std::function<void(const MappingProblem&)>& visit);

// The texts of "B1" to "B8" of every row of an info document, as stored (none for an absent
// attribute). For checks of hand-edited files.
using MappingRowTexts = std::array<std::optional<std::string>, 8>;
std::vector<MappingRowTexts> MappingRowsOf(const FrameInfoTexts& info);

// Rebuilds the document with one row per record, "B1" to "B8" in decimal, and writes it.
void SaveMappings(ProjectDocument& document, const std::string& path, GatewaySide side,
                  const std::vector<FrameMapping>& records);

} // namespace zz
