#include "firmware/BankLayout.h"

#include <stdexcept>

inline namespace zz {

const BankField& FieldOf(const BankArea& area, BankValue value)
{
    for (const BankField& field : area.Fields)
        if (field.Value == value) return field;
    throw std::logic_error("no such field in the " + std::string(area.Name) + " area");
}

size_t ParameterOffset(BankValue value)
{
    return kParameterArea.Offset + FieldOf(kParameterArea, value).Offset;
}

namespace {

// The shift of the field's byte k: byte 0 is the least significant one unless the order says
// otherwise.
unsigned ShiftOf(const BankField& field, size_t k)
{
    const size_t significance = field.Order == ByteOrder::LeastSignificantFirst ? k : field.Width - 1 - k;
    return static_cast<unsigned>(8 * significance);
}

std::string ByteName(const BankField& field, size_t k)
{
    const std::string name(field.Name);
    if (field.Width == 1) return name;
    if (field.Width == 2) return name + (ShiftOf(field, k) == 0 ? " low byte" : " high byte");
    return name + " byte " + std::to_string(k + 1) + " of " + std::to_string(field.Width);
}

// The name of the byte at `at` in a record or block of the area, empty when no field holds it.
std::string FieldByteName(const BankArea& area, size_t at)
{
    for (const BankField& field : area.Fields)
        if (at >= field.Offset && at < field.Offset + field.Width) return ByteName(field, at - field.Offset);
    return {};
}

} // namespace

void StoreField(BankBytes& bank, size_t at, const BankField& field, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (size_t k = 0; k < field.Width; ++k)
        bank[at + field.Offset + k] = static_cast<uint8_t>(bits >> ShiftOf(field, k));
}

uint32_t ReadField(const BankBytes& bank, size_t at, const BankField& field)
{
    uint32_t value = 0;
    for (size_t k = 0; k < field.Width; ++k) value |= uint32_t{bank[at + field.Offset + k]} << ShiftOf(field, k);
    return value;
}

std::string BankOneField(uint32_t offset)
{
    for (const BankArea* area : {&kReceiveArea, &kSendArea}) {
        if (offset < area->Offset || offset >= area->Offset + area->Size) continue;
        const size_t record = (offset - area->Offset) / area->RecordSize;
        // The tail of the area that holds no whole record.
        if ((record + 1) * area->RecordSize > area->Size) return std::string(area->Name) + " area, unused";
        return std::string(area->Name) + " frame " + std::to_string(record + 1) + ", " +
               FieldByteName(*area, (offset - area->Offset) % area->RecordSize);
    }
    if (offset >= kParameterArea.Offset && offset < kParameterArea.Offset + kParameterArea.Size) {
        const std::string name = FieldByteName(kParameterArea, offset - kParameterArea.Offset);
        if (!name.empty()) return name;
    }
    return "unused";
}

} // namespace zz
