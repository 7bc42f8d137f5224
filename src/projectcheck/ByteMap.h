#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// Where every CAN data byte lands on DeviceNet: the input area (Net_In bytes) fed by the
// receive frames and the output area (Net_Out bytes) feeding the send frames, as the byte
// mapping editors list the frames and their mappings.

// A CAN byte of a frame: the frame's position in its side's list and the byte (1 to 8).
struct ByteFeed {
    size_t frame = 0;
    int canByte = 0;
};

struct MapFrame {
    int row = 0;             // the frame's row in its frame table, from 1
    std::string cobId;       // as stored
    std::string mnemonic;
    std::array<uint8_t, 8> bytes{255, 255, 255, 255, 255, 255, 255, 255}; // DeviceNet byte per CAN byte; 255 none
};

// A mapping to a DeviceNet byte at or beyond the area's end.
struct StrayMapping {
    ByteFeed feed;
    int deviceNetByte = 0;
};

struct ByteMapSide {
    bool input = true; // the input area (receive frames) or the output area (send frames)
    int size = 128;    // bytes in the area
    std::vector<MapFrame> frames;
    std::vector<std::vector<ByteFeed>> bytes; // per DeviceNet byte, 0 to size - 1
    std::vector<StrayMapping> beyond;
    std::string problem; // why the side could not be read; empty when it was

    // An input byte fed by more than one CAN byte; output bytes may feed any number.
    bool Conflict(int deviceNetByte) const;
};

struct ByteMap {
    ByteMapSide input;
    ByteMapSide output;
};

// Reads the project's frame tables, byte mappings and area sizes through their document
// modules. A document that cannot be read leaves its side empty, with the reason in problem.
ByteMap BuildByteMap(const std::string& projectDir);

// "0x181 B2": the COB ID as stored and the CAN byte.
std::string FeedLabel(const ByteMapSide& side, const ByteFeed& feed);

} // namespace zz
