#pragma once
#include "firmware/BankLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline namespace zz {

// The five memory images of 16,384 bytes that the device update chain fills and writes. Image 1
// holds the configuration tables in the layout the gateway firmware reads (BankLayout.h);
// images 2 to 5 are part of the same model and stay zero. Each build starts from a fresh,
// all-zero image, so what it writes depends on the project alone.
class BankImage {
public:
    static constexpr int kBankCount = zz::kBankCount;
    static constexpr size_t kBankSize = zz::kBankSize;
    using Bytes = BankBytes;

    // Image 1 to 5; throws std::out_of_range for any other number.
    Bytes& Bank(int number);
    const Bytes& Bank(int number) const;

private:
    std::array<Bytes, kBankCount> banks_{};
};

} // namespace zz
