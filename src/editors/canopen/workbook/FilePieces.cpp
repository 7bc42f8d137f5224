#include "editors/canopen/workbook/FilePieces.h"

#include "common/Failure.h"
#include "common/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

inline namespace zz {

FilePieces::FilePieces(const std::string& path)
    : path_(path),
      fd_(OpenRegularFile(path))
{
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && info.st_size > 0) size_ = static_cast<uint64_t>(info.st_size);
}

FilePieces::~FilePieces()
{
    ::close(fd_);
}

void FilePieces::Read(uint64_t offset, const std::function<bool(std::string_view)>& consume) const
{
    std::string buffer(size_t(1) << 20, '\0');
    for (;;) {
        ssize_t got;
        do {
            got = ::pread(fd_, buffer.data(), buffer.size(), static_cast<off_t>(offset));
        } while (got < 0 && errno == EINTR);
        if (got < 0) throw Failure("Cannot read file '" + path_ + "': " + std::strerror(errno));
        if (got == 0 || !consume(std::string_view(buffer.data(), static_cast<size_t>(got)))) return;
        offset += static_cast<uint64_t>(got);
    }
}

std::string FilePieces::Head(size_t count) const
{
    std::string head;
    Read(0, [&](std::string_view piece) {
        head.append(piece.substr(0, count - head.size()));
        return head.size() < count;
    });
    return head;
}

std::string FilePieces::All() const
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size_));
    Read(0, [&](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

} // namespace zz
