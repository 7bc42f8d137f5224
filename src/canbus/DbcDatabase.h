#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

inline namespace zz {

// What a DBC file says about the frames of a CAN bus, as far as a gateway configuration needs
// it. Attribute values are kept as their texts: strings without their quotes and escapes,
// numbers as written.
using DbcAttributes = std::map<std::string, std::string>;

struct DbcSignal {
    std::string Name;
    int StartBit = 0; // Intel: least significant bit; Motorola: most significant bit
    int Length = 1;
    bool Intel = true; // "@1"; "@0" is Motorola
    bool Signed = false;
    std::string Multiplex; // "", "M" (the multiplexor), "m3" (branch 3), "m3M"
    std::vector<std::string> Receivers;
    std::string Comment;
    DbcAttributes Attributes;
    int Line = 0;
};

struct DbcMessage {
    uint32_t Id = 0;       // without the extended flag
    bool Extended = false; // bit 31 of the BO_ number
    int Dlc = 0;
    std::string Name;
    std::string Transmitter;
    std::vector<std::string> ExtraTransmitters; // BO_TX_BU_
    std::vector<DbcSignal> Signals;
    std::string Comment;
    DbcAttributes Attributes;
    int Line = 0;

    // The BO_ number: the identifier with bit 31 set for an extended frame.
    uint32_t RawId() const { return Extended ? (Id | 0x80000000u) : Id; }
    bool TransmittedBy(const std::string& node) const;
    bool ReceivedBy(const std::string& node) const;
};

// An attribute definition as the writer writes it: the object kind ("" global, "BU_", "BO_",
// "SG_"), the type text ("INT 0 1", "STRING") and the default as written ("0", "\"\"").
struct DbcAttributeDefinition {
    std::string Object;
    std::string Name;
    std::string Type;
    std::string Default;
};

struct DbcDatabase {
    std::vector<std::string> Nodes;
    std::vector<DbcMessage> Messages;
    std::vector<DbcAttributeDefinition> Definitions; // written; the reader does not keep them
    DbcAttributes GlobalAttributes;
    std::map<std::string, DbcAttributes> NodeAttributes;
    // Frames the reader left out: the pseudo frame of signals without one, and CAN FD frames.
    int SkippedIndependent = 0;
    std::vector<std::string> SkippedLong; // their names
};

// The data bytes a signal occupies within a frame of `dlc` bytes, bit k-1 for byte k. Motorola
// signals walk from their most significant bit down through each byte and on into the next
// byte's top bit; bits beyond the frame do not count.
uint8_t SignalBytes(const DbcSignal& signal, int dlc);

// The bytes any signal of the frame occupies, every multiplexed branch included.
uint8_t CoveredBytes(const DbcMessage& message);

} // namespace zz
