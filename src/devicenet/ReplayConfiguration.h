#pragma once
#include "firmware/BankImage.h"

#include <array>
#include <cstdint>
#include <vector>

inline namespace zz {

struct GatewayProject;

// The configuration as the firmware gets it, as far as the replay needs it: the identifier
// length, when frames are sent, the data time-out, the DeviceNet area sizes and the two frame
// tables with their byte mappings.
struct ReplayFrameRow {
    uint32_t CobId = 0;
    uint8_t Dim = 0;
    std::array<uint8_t, 8> Bytes{}; // the DeviceNet byte of CAN byte 1 to 8, 255 for none
};

struct ReplayConfiguration {
    bool Extended = false;  // CAN_Type: 29-bit identifiers
    bool SendEvery = false; // How_Send 1: every Delay_Send ms, else on change
    uint16_t DelaySendMs = 0;
    uint16_t TimeOutDataS = 0; // 0: no time-out
    int NetIn = 0, NetOut = 0;
    std::vector<ReplayFrameRow> Receive, Send;
};

// Reads the configuration out of bank image 1.
ReplayConfiguration ReplayConfigurationOf(const BankImage::Bytes& bank);

// Builds the project's configuration image into a fresh bank image and reads it; a project
// that does not build throws the loader's Failure.
ReplayConfiguration LoadReplayConfiguration(const GatewayProject& project);

// What the replay does not model, one sentence a line, for the head of every output.
extern const char* const kReplayNotModelled[];

} // namespace zz
