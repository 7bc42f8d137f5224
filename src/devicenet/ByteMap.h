#pragma once
#include "gateway/GatewaySide.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

struct GatewayProject;

// Where every CAN data byte lands on DeviceNet: the input area (Net_In bytes) fed by the
// receive frames and the output area (Net_Out bytes) feeding the send frames, as the byte
// mapping editors list the frames and their mappings.

// A CAN byte of a frame: the frame's position in its side's list and the byte (1 to 8).
struct ByteFeed {
    size_t Frame = 0;
    int CanByte = 0;
};

struct MapFrame {
    int Row = 0;       // the frame's row in its frame table, from 1
    std::string CobId; // as stored
    std::string Mnemonic;
    std::array<uint8_t, 8> Bytes{255, 255, 255, 255, 255, 255, 255, 255}; // DeviceNet byte per CAN byte; 255 none
};

// A mapping to a DeviceNet byte at or beyond the area's end.
struct StrayMapping {
    ByteFeed Feed;
    int DeviceNetByte = 0;
};

struct ByteMapSide {
    GatewaySide Direction = GatewaySide::Receive; // the input area (receive frames) or the output area
    int Size = 128;                               // bytes in the area
    std::vector<MapFrame> Frames;
    std::vector<std::vector<ByteFeed>> Bytes; // per DeviceNet byte, 0 to Size - 1
    std::vector<StrayMapping> Beyond;
    std::string Problem; // why the side could not be read; empty when it was

    bool IsInput() const { return Direction == GatewaySide::Receive; }
    // An input byte fed by more than one CAN byte; output bytes may feed any number.
    bool Conflict(int deviceNetByte) const;
};

struct ByteMap {
    ByteMapSide Input;
    ByteMapSide Output;
};

// The map of the project's frame tables, byte mappings and area sizes. A document that cannot
// be read leaves its side empty, with the reason in Problem.
ByteMap BuildByteMap(const GatewayProject& project);

// "0x181 B2": the COB ID as stored and the CAN byte.
std::string FeedLabel(const ByteMapSide& side, const ByteFeed& feed);

} // namespace zz
