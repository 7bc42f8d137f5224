#include "firmware/SRecordFile.h"

#include "firmware/SRecord.h"
#include "firmware/SRecordStream.h"

inline namespace zz {

// An S2 record's address, or an S1 record's address followed by its first data byte (its
// checksum when it has no data).
uint32_t ComposerStart(const SRecord& record, std::span<const uint8_t> data)
{
    if (record.Type == '2') return record.Address;
    const uint32_t next = data.empty() ? SRecordChecksumOfSum(3u + (record.Address >> 8) + record.Address) : data[0];
    return (record.Address << 8) | next;
}

SRecordFile SRecordFile::From(SRecordStream& stream, size_t sizeHint)
{
    SRecordFile file;
    // A record of 32 data bytes takes 78 characters.
    file.records_.reserve(sizeHint / 70 + 16);
    file.data_.reserve(sizeHint / 2 + 16);
    SRecord record;
    std::span<const uint8_t> data;
    while (stream.Next(record, data)) {
        file.records_.push_back(record);
        file.data_.insert(file.data_.end(), data.begin(), data.end());
    }
    file.problem_ = stream.Problem();
    file.fault_ = stream.FirstFault();
    file.lines_ = stream.LineCount();
    file.endLine_ = stream.EndRecordLine();
    file.endCount_ = stream.EndRecordCount();
    return file;
}

SRecordFile SRecordFile::Read(const std::string& path)
{
    SRecordStream stream(SRecordStream::OpenFile{path});
    return From(stream, 0);
}

SRecordFile SRecordFile::Parse(std::string_view text)
{
    SRecordStream stream(text);
    return From(stream, text.size());
}

bool SRecordFile::EndRecordIsLast() const
{
    return !problem_ && endCount_ == 1 && !records_.empty() && records_.back().Type == '9';
}

std::optional<SRecordProblem> SRecordFile::FirstFault() const
{
    return fault_;
}

bool SRecordFile::HasDataRecordIn(uint32_t first, uint32_t last, WindowReading reading) const
{
    for (const SRecord& record : records_) {
        if (record.Type != '1' && record.Type != '2') continue;
        const uint32_t start =
            reading == WindowReading::Composer ? ComposerStart(record, Data(record)) : record.Address;
        if (start >= first && start <= last) return true;
    }
    return false;
}

MemoryImage SRecordFile::Image() const
{
    MemoryImage image;
    for (const SRecord& record : records_)
        if (IsDataRecord(record)) image.Write(record.Address, data_.data() + record.DataOffset, record.DataSize);
    return image;
}

} // namespace zz
