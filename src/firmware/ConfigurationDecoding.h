#pragma once
#include "firmware/BankImage.h"
#include "firmware/MemoryImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline namespace zz {

// The configuration held in bank image 1, read back as the tables the loader filled: the
// parameter block and the receive and send frame records it counts.

struct DecodedFrame {
    uint32_t CobId = 0;
    uint8_t Dim = 0;
    uint8_t Delete = 0;             // receive frames only
    std::array<uint8_t, 8> Bytes{}; // B1 to B8: the DeviceNet byte of each CAN byte, 255 for none
};

struct DecodedConfiguration {
    uint8_t CanBaud = 0, CanType = 0, HowSend = 0;
    uint16_t DelaySend = 0;
    uint8_t NetDevId = 0, NetBaud = 0;
    uint8_t ReceiveCount = 0, SendCount = 0;
    uint16_t TimeOutData = 0;
    uint8_t NetIn = 0, NetOut = 0;
    std::vector<DecodedFrame> Receive; // ReceiveCount records
    std::vector<DecodedFrame> Send;    // SendCount records
};

DecodedConfiguration DecodeConfiguration(const BankImage::Bytes& bank);

// Bank 1 as a firmware image holds it, from its window; returns how many of its 16,384
// addresses hold no byte (those read as zero).
size_t BankOneFromImage(const MemoryImage& image, BankImage::Bytes& into);

// "250K" for a position in the CAN baud list, "not in the list (12)" outside it.
std::string CanBaudText(uint8_t position);
std::string NetBaudText(uint8_t position);
// "0x181"; "Y", "N", or the number for another Delete byte; "CAN 2.0A 11Bit" or "CAN 2.0B 29Bit";
// "Send Frame on Data Change" or "Send Frame Every 20 ms".
std::string CobIdText(uint32_t cobId);
std::string DeleteText(uint8_t flag);
std::string CanTypeText(uint8_t type);
std::string HowSendText(const DecodedConfiguration& configuration);

// The report an engineer reads: the parameters by name, then every receive and send frame
// with its COB ID in hexadecimal, Dim, Delete and the DeviceNet byte of each CAN byte.
std::string ConfigurationReport(const DecodedConfiguration& configuration);

} // namespace zz
