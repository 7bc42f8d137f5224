#pragma once
#include "common/Failure.h"

#include <cstdint>
#include <cstring>
#include <string_view>

inline namespace zz {

// Little-endian numbers at an offset of a byte buffer, checked against its end: a read past
// it throws Failure (the buffer is a damaged file).
inline uint64_t LittleEndianAt(std::string_view bytes, size_t offset, size_t width)
{
    if (offset > bytes.size() || bytes.size() - offset < width) throw Failure("The workbook is damaged");
    uint64_t value = 0;
    for (size_t i = width; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}
inline uint8_t U8At(std::string_view bytes, size_t offset)
{
    return static_cast<uint8_t>(LittleEndianAt(bytes, offset, 1));
}
inline uint16_t U16At(std::string_view bytes, size_t offset)
{
    return static_cast<uint16_t>(LittleEndianAt(bytes, offset, 2));
}
inline uint32_t U32At(std::string_view bytes, size_t offset)
{
    return static_cast<uint32_t>(LittleEndianAt(bytes, offset, 4));
}
inline double DoubleAt(std::string_view bytes, size_t offset)
{
    const uint64_t bits = LittleEndianAt(bytes, offset, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace zz
