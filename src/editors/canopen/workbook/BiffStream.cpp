#include "editors/canopen/workbook/BiffStream.h"

#include "common/Cp1252.h"
#include "common/Failure.h"
#include "editors/canopen/workbook/LittleEndian.h"

inline namespace zz {

namespace {

constexpr uint16_t kContinue = 0x003C;

[[noreturn]] void Damaged()
{
    throw Failure("The workbook is damaged");
}

} // namespace

std::string Utf16ToUtf8(const std::u16string& units)
{
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const uint32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, char32_t{0xFFFD});
        } else {
            AppendUtf8(out, static_cast<char32_t>(unit));
        }
    }
    return out;
}

BiffRecordReader::BiffRecordReader(std::string_view stream, size_t offset)
    : stream_(stream),
      offset_(offset)
{
}

bool BiffRecordReader::Next(BiffRecord& record)
{
    if (offset_ >= stream_.size()) return false;
    const auto readOne = [this](uint16_t& type) {
        type = U16At(stream_, offset_);
        const size_t length = U16At(stream_, offset_ + 2);
        if (stream_.size() - offset_ - 4 < length) Damaged();
        const std::string_view data = stream_.substr(offset_ + 4, length);
        offset_ += 4 + length;
        return data;
    };
    record.offset = offset_;
    record.parts.clear();
    record.parts.push_back(readOne(record.type));
    while (offset_ + 4 <= stream_.size() && U16At(stream_, offset_) == kContinue) {
        uint16_t type;
        record.parts.push_back(readOne(type));
    }
    return true;
}

void BiffPieces::NextPartIfDone()
{
    while (part_ < parts_.size() && at_ == parts_[part_].size()) {
        ++part_;
        at_ = 0;
    }
}

bool BiffPieces::AtEnd()
{
    NextPartIfDone();
    return part_ >= parts_.size();
}

std::string_view BiffPieces::Take(size_t count)
{
    if (count == 0) return {};
    NextPartIfDone();
    if (part_ >= parts_.size() || parts_[part_].size() - at_ < count) Damaged();
    const std::string_view taken = parts_[part_].substr(at_, count);
    at_ += count;
    return taken;
}

uint8_t BiffPieces::U8()
{
    return U8At(Take(1), 0);
}

// Numbers may straddle two parts; they are read byte by byte.
uint16_t BiffPieces::U16()
{
    const uint16_t low = U8();
    return static_cast<uint16_t>(low | U8() << 8);
}

uint32_t BiffPieces::U32()
{
    const uint32_t low = U16();
    return low | static_cast<uint32_t>(U16()) << 16;
}

void BiffPieces::Skip(size_t count)
{
    while (count > 0) {
        NextPartIfDone();
        if (part_ >= parts_.size()) Damaged();
        const size_t here = std::min(count, parts_[part_].size() - at_);
        at_ += here;
        count -= here;
    }
}

std::string BiffPieces::UnicodeString(bool byteLength)
{
    const size_t count = byteLength ? U8() : U16();
    const uint8_t flags = U8();
    bool wide = flags & 0x01;
    const size_t runs = (flags & 0x08) ? U16() : 0;
    const size_t extension = (flags & 0x04) ? U32() : 0;
    std::u16string units;
    units.reserve(count);
    while (units.size() < count) {
        if (part_ < parts_.size() && at_ == parts_[part_].size()) {
            // The characters go on in the next part, which starts with their new width.
            ++part_;
            at_ = 0;
            if (part_ >= parts_.size()) Damaged();
            wide = U8() & 0x01;
            continue;
        }
        if (part_ >= parts_.size()) Damaged();
        const size_t width = wide ? 2 : 1;
        const size_t available = (parts_[part_].size() - at_) / width;
        if (available == 0) Damaged(); // half a wide character at the end of a part
        const size_t here = std::min(count - units.size(), available);
        const std::string_view bytes = parts_[part_].substr(at_, here * width);
        at_ += here * width;
        for (size_t i = 0; i < here; ++i)
            units += wide ? static_cast<char16_t>(U16At(bytes, 2 * i)) : static_cast<char16_t>(U8At(bytes, i));
    }
    Skip(runs * 4);
    Skip(extension);
    return Utf16ToUtf8(units);
}

std::string BiffPieces::ByteString(bool byteLength)
{
    const size_t count = byteLength ? U8() : U16();
    return Cp1252ToUtf8(Take(count)); // a BIFF5 text never continues into another part
}

} // namespace zz
