#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

inline namespace zz {

// The five memory images of 16,384 bytes that the device update chain fills and writes. Image 1
// holds the configuration tables in the layout the gateway firmware reads; images 2 to 5 are
// part of the same model and stay zero. One object lives for the whole run of the application
// and is never cleared: bytes a build does not write keep what an earlier build wrote.
class BankImage {
public:
    static constexpr int kBankCount = 5;
    static constexpr size_t kBankSize = 16384;
    using Bytes = std::array<uint8_t, kBankSize>;

    // Image 1 to 5; throws std::out_of_range for any other number.
    Bytes& Bank(int number);
    const Bytes& Bank(int number) const;

private:
    std::array<Bytes, kBankCount> banks_{};
};

// Layout of image 1: packed records, no alignment, each multi-byte field in its table's order.
namespace BankLayout {
inline constexpr size_t kReceiveTable = 0;       // receive frame records of 14 bytes
inline constexpr size_t kReceiveRecordSize = 14; // COBID (4, LSB first), Dim, Delete, B1..B8
inline constexpr size_t kSendTable = 5000;       // send frame records of 13 bytes
inline constexpr size_t kSendRecordSize = 13;    // COBID (4, LSB first), Dim, B1..B8
inline constexpr size_t kParameterBlock = 15000; // the 13-byte gateway parameter block
} // namespace BankLayout

} // namespace zz
