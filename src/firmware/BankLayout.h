#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline namespace zz {

// Where the banks go and what bank 1 holds: the one description that the image writer, the
// decoder, the verification and the recovery all read.

// Five banks of 16 KB, each in its own window of the firmware from 0x388000 on, 0x10000 apart.
inline constexpr int kBankCount = 5;
inline constexpr size_t kBankSize = 16384;
constexpr uint32_t BankFirstAddress(int bank)
{
    return 0x388000u + 0x10000u * static_cast<uint32_t>(bank - 1);
}
constexpr uint32_t BankLastAddress(int bank)
{
    return BankFirstAddress(bank) + static_cast<uint32_t>(kBankSize - 1);
}

using BankBytes = std::array<uint8_t, kBankSize>;

enum class ByteOrder { LeastSignificantFirst, MostSignificantFirst };

// What a field of bank 1 holds.
enum class BankValue {
    CanBaud,
    CanType,
    HowSend,
    DelaySend,
    NetDevId,
    NetBaud,
    ReceiveCount,
    SendCount,
    TimeOutData,
    NetIn,
    NetOut,
    CobId,
    Dim,
    Delete,
    B1,
    B2,
    B3,
    B4,
    B5,
    B6,
    B7,
    B8,
};

// One field of the parameter block or of a frame record. A field stores the low bits of its
// value that its width holds.
struct BankField {
    BankValue Value;
    std::string_view Name; // as the documents name it
    size_t Offset;         // from the start of the block or record
    size_t Width;          // in bytes: 1, 2 or 4
    ByteOrder Order = ByteOrder::LeastSignificantFirst;
};

// An area of bank 1 and the layout of what it holds: packed records, no alignment.
struct BankArea {
    std::string_view Name; // "receive", "send", "parameter"
    size_t Offset;         // from the start of bank 1
    size_t Size;           // bytes the area reserves
    size_t RecordSize;     // the size of one record (the block's size for the parameter block)
    std::span<const BankField> Fields;
};

// The fields in the order the writer converts them: a failure stops at the first bad one.
inline constexpr BankField kParameterFields[] = {
    {BankValue::CanBaud, "Can_Baud", 0, 1},
    {BankValue::CanType, "CAN_Type", 1, 1},
    {BankValue::HowSend, "How_Send", 2, 1},
    {BankValue::DelaySend, "Delay_Send", 3, 2, ByteOrder::MostSignificantFirst},
    {BankValue::NetDevId, "Net_Dev_Id", 5, 1},
    {BankValue::NetBaud, "Net_Baud", 6, 1},
    {BankValue::ReceiveCount, "ReceiveCount", 7, 1},
    {BankValue::SendCount, "SendCount", 8, 1},
    {BankValue::TimeOutData, "TimeOut_Data", 9, 2},
    {BankValue::NetIn, "Net_In", 11, 1},
    {BankValue::NetOut, "Net_Out", 12, 1},
};

inline constexpr BankField kReceiveFields[] = {
    {BankValue::CobId, "COBID", 0, 4}, {BankValue::Dim, "Dim", 4, 1}, {BankValue::Delete, "Delete", 5, 1},
    {BankValue::B1, "B1", 6, 1},       {BankValue::B2, "B2", 7, 1},   {BankValue::B3, "B3", 8, 1},
    {BankValue::B4, "B4", 9, 1},       {BankValue::B5, "B5", 10, 1},  {BankValue::B6, "B6", 11, 1},
    {BankValue::B7, "B7", 12, 1},      {BankValue::B8, "B8", 13, 1},
};

inline constexpr BankField kSendFields[] = {
    {BankValue::CobId, "COBID", 0, 4}, {BankValue::Dim, "Dim", 4, 1}, {BankValue::B1, "B1", 5, 1},
    {BankValue::B2, "B2", 6, 1},       {BankValue::B3, "B3", 7, 1},   {BankValue::B4, "B4", 8, 1},
    {BankValue::B5, "B5", 9, 1},       {BankValue::B6, "B6", 10, 1},  {BankValue::B7, "B7", 11, 1},
    {BankValue::B8, "B8", 12, 1},
};

inline constexpr BankArea kReceiveArea{"receive", 0, 5000, 14, kReceiveFields};
inline constexpr BankArea kSendArea{"send", 5000, 10000, 13, kSendFields};
inline constexpr BankArea kParameterArea{"parameter", 15000, 13, 13, kParameterFields};

// The offsets of the areas by their old names, for callers that address bytes directly.
namespace BankLayout {
inline constexpr size_t kReceiveTable = kReceiveArea.Offset;
inline constexpr size_t kReceiveRecordSize = kReceiveArea.RecordSize;
inline constexpr size_t kSendTable = kSendArea.Offset;
inline constexpr size_t kSendRecordSize = kSendArea.RecordSize;
inline constexpr size_t kParameterBlock = kParameterArea.Offset;
inline constexpr size_t kParameterBlockSize = kParameterArea.Size;
} // namespace BankLayout

// B1 to B8: 0 to 7.
constexpr size_t MappedByteIndex(BankValue value)
{
    return static_cast<size_t>(value) - static_cast<size_t>(BankValue::B1);
}

// The field of the area holding the value; throws std::logic_error when it has none.
const BankField& FieldOf(const BankArea& area, BankValue value);
// The offset in bank 1 of a parameter block field.
size_t ParameterOffset(BankValue value);

// The field's bytes at bank[at + field offset], in its width and byte order.
void StoreField(BankBytes& bank, size_t at, const BankField& field, int32_t value);
uint32_t ReadField(const BankBytes& bank, size_t at, const BankField& field);

// What an offset of bank 1 holds, as an engineer reads it: "Net_Dev_Id", "Delay_Send high
// byte", "receive frame 3, B2", "send frame 1, COBID byte 1 of 4", "receive area, unused",
// "unused".
std::string BankOneField(uint32_t offset);

} // namespace zz
