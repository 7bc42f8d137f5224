#include "firmware/BankImage.h"

#include <stdexcept>
#include <string>

inline namespace zz {

BankImage::Bytes& BankImage::Bank(int number)
{
    if (number < 1 || number > kBankCount) throw std::out_of_range("bank image " + std::to_string(number));
    return banks_[static_cast<size_t>(number - 1)];
}

const BankImage::Bytes& BankImage::Bank(int number) const
{
    return const_cast<BankImage*>(this)->Bank(number);
}

} // namespace zz
