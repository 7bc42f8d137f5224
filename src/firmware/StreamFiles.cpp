#include "firmware/StreamFiles.h"

#include "common/Failure.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

inline namespace zz {

namespace {

// Megabytes of firmware go through in a few large reads and writes.
constexpr size_t kBufferSize = size_t{1} << 20;

[[noreturn]] void Fail(const char* what, const std::string& path)
{
    throw Failure(std::string(what) + " '" + path + "': " + std::strerror(errno));
}

} // namespace

void WriteAll(int fd, std::string_view bytes)
{
    if (const int error = WriteAllBytes(fd, bytes)) throw WriteError{error};
}

void FileHandle::Close()
{
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) throw WriteError{errno};
}

FileHandle::~FileHandle()
{
    if (fd_ >= 0) ::close(fd_);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileHandle OpenForReading(const std::string& path)
{
    return FileHandle(OpenRegularFile(path, "Cannot open file"));
}

FileHandle CreateForWriting(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Fail("Cannot create file", path);
    return FileHandle(fd);
}

FileHandle CreateFresh(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) Fail("Cannot create file", path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) Fail("Cannot create file", path);
    return FileHandle(fd);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

namespace {
constexpr size_t kLargePage = size_t{2} << 20;
} // namespace

FileBytes::~FileBytes()
{
    if (data_) ::munmap(data_, mapped_);
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0))
{
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept
{
    if (this != &other) {
        if (data_) ::munmap(data_, mapped_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

void FileBytes::Reserve(size_t capacity, const std::string& path)
{
    // Whole large pages, asked for where the system has them: megabytes of firmware then take
    // a few page faults rather than thousands, which cost more than reading the file.
    const size_t length = (capacity + kLargePage - 1) / kLargePage * kLargePage;
    void* mapping = ::mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) Fail("Cannot read file", path);
    // Aligned to a large page; the slack before and after goes back.
    auto* start = static_cast<char*>(mapping);
    const size_t before = (kLargePage - reinterpret_cast<uintptr_t>(start) % kLargePage) % kLargePage;
    if (before > 0) ::munmap(start, before);
    ::munmap(start + before + length, kLargePage - before);
    char* data = start + before;
#ifdef MADV_HUGEPAGE
    ::madvise(data, length, MADV_HUGEPAGE);
#endif
    if (data_) {
        std::memcpy(data, data_, size_);
        ::munmap(data_, mapped_);
    }
    data_ = data;
    mapped_ = length;
}

FileBytes FileBytes::Read(const std::string& path)
{
    FileHandle in(OpenRegularFile(path));
    struct stat info {};
    FileBytes file;
    // One byte of room beyond the size, so that the end is seen without a second buffer; a file
    // that grows meanwhile is still read to its end.
    file.Reserve((::fstat(in.Get(), &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0) + 1, path);
    for (;;) {
        if (file.size_ == file.mapped_) file.Reserve(file.mapped_ + 1, path);
        const ssize_t got = ReadRetrying(in.Get(), file.data_ + file.size_, file.mapped_ - file.size_);
        if (got < 0) Fail("Cannot read file", path);
        if (got == 0) break;
        file.size_ += static_cast<size_t>(got);
    }
    return file;
}

LineReader::LineReader(int fd)
    : fd_(fd),
      buffer_(new char[kBufferSize]),
      data_(buffer_.get())
{
}

LineReader::LineReader(std::string_view bytes)
    : fd_(-1),
      data_(bytes.data()),
      end_(bytes.size()),
      eof_(true)
{
}

namespace {
// The lines of the bytes: every LF ends one, and a last line without one counts too.
size_t LinesIn(const char* p, const char* end, char& last)
{
    size_t lines = 0;
    if (p == end) return 0;
    last = end[-1];
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))))) {
        ++lines;
        ++p;
    }
    return lines;
}
} // namespace

size_t LineReader::CountLines()
{
    char last = '\n';
    if (fd_ < 0) {
        const size_t lines = LinesIn(data_, data_ + end_, last);
        pos_ = 0;
        carry_.clear();
        carryUsed_ = false;
        return lines + (last != '\n' ? 1 : 0);
    }
    size_t lines = 0;
    for (;;) {
        const ssize_t got = ReadRetrying(fd_, buffer_.get(), kBufferSize);
        if (got < 0) throw StreamError{};
        if (got == 0) break;
        lines += LinesIn(buffer_.get(), buffer_.get() + got, last);
    }
    if (last != '\n') ++lines;
    if (::lseek(fd_, 0, SEEK_SET) != 0) throw StreamError{};
    pos_ = end_ = 0;
    eof_ = false;
    carry_.clear();
    carryUsed_ = false;
    return lines;
}

bool LineReader::Fill()
{
    pos_ = end_ = 0;
    const ssize_t got = ReadRetrying(fd_, buffer_.get(), kBufferSize);
    if (got < 0) throw StreamError{};
    if (got == 0) eof_ = true;
    end_ = static_cast<size_t>(got);
    return got > 0;
}

namespace {
std::string_view TextOf(std::string_view line)
{
    const void* cr = std::memchr(line.data(), '\r', line.size());
    return cr ? line.substr(0, static_cast<size_t>(static_cast<const char*>(cr) - line.data())) : line;
}
} // namespace

bool LineReader::Next(std::string_view& text)
{
    if (carryUsed_) {
        carry_.clear();
        carryUsed_ = false;
    }
    for (;;) {
        const char* start = data_ + pos_;
        const size_t available = end_ - pos_;
        if (const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available))) {
            const auto length = static_cast<size_t>(lf - start);
            pos_ += length + 1;
            if (carry_.empty()) {
                text = TextOf(std::string_view(start, length));
            } else {
                carry_.append(start, length);
                carryUsed_ = true;
                text = TextOf(carry_);
            }
            return true;
        }
        carry_.append(start, available);
        pos_ = end_;
        if (eof_ || !Fill()) {
            if (carry_.empty()) return false;
            carryUsed_ = true;
            text = TextOf(carry_);
            return true;
        }
    }
}

BufferedWriter::BufferedWriter(int fd)
    : fd_(fd),
      buffer_(new char[kBufferSize])
{
}

void BufferedWriter::Raw(std::string_view bytes)
{
    if (used_ + bytes.size() > kBufferSize) Flush();
    if (bytes.size() > kBufferSize) {
        // Too big for the buffer: straight through.
        WriteAll(fd_, bytes);
        return;
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void BufferedWriter::Line(std::string_view text)
{
    if (used_ + text.size() + 2 > kBufferSize) {
        Raw(text);
        Raw("\r\n");
        return;
    }
    char* at = buffer_.get() + used_;
    std::memcpy(at, text.data(), text.size());
    at[text.size()] = '\r';
    at[text.size() + 1] = '\n';
    used_ += text.size() + 2;
}

void BufferedWriter::Flush()
{
    const size_t used = used_;
    used_ = 0;
    WriteAll(fd_, std::string_view(buffer_.get(), used));
}

} // namespace zz
