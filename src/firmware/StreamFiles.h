#pragma once
#include "common/FileSystem.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

inline namespace zz {

// Large-buffered line input and output of the firmware composer, on plain file descriptors.

// A read failed in the middle of a stream, or a line could not be read as the merge needs it.
struct StreamError {};

// A write, flush or close failed: the file does not hold what was meant for it.
struct WriteError {
    int Error; // errno
};

// An open file descriptor, closed with the object.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd)
        : fd_(fd)
    {
    }
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept
        : fd_(other.fd_)
    {
        other.fd_ = -1;
    }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return fd_; }
    // Closes now; throws WriteError when the system reports that the data did not make it.
    void Close();

private:
    int fd_ = -1;
};

// Throw Failure naming the path and the system's reason.
FileHandle OpenForReading(const std::string& path);
FileHandle CreateForWriting(const std::string& path); // created or truncated
// A new regular file of that name: whatever stood there is removed first (a symbolic link is
// removed, not followed) and the file is created exclusively, so nothing is written through a
// planted link or into a file another program still holds. Throws Failure.
FileHandle CreateFresh(const std::string& path);

// Writes every byte or throws WriteError. Every file of the firmware chain is written here
// (a ScopedWriteLimit applies).
void WriteAll(int fd, std::string_view bytes);

// True when both paths name the same existing file.
bool SameFile(const std::string& a, const std::string& b);

// A whole file in memory, read straight into a buffer of its size.
class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Throws Failure naming the path and the reason ("Cannot read file '...': ...").
    static FileBytes Read(const std::string& path);
    std::string_view View() const { return {data_, size_}; }

private:
    // Room for at least `capacity` bytes, the bytes held kept.
    void Reserve(size_t capacity, const std::string& path);

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0; // the bytes of the mapping data_ starts
};

// Splits a file, or bytes in memory, into lines. A line ends at LF; its text ends at the first
// CR or LF, so a CR that is not followed by LF ends the text and the rest up to the next LF is
// skipped.
class LineReader {
public:
    explicit LineReader(int fd);
    // Over bytes in memory, which must outlive the reader.
    explicit LineReader(std::string_view bytes);
    // The number of lines of the whole file, which is then read again from its start. Lines end
    // with LF; a last line without one counts too. Throws StreamError.
    size_t CountLines();
    // The next line's text (valid until the next call); false at the end. Throws StreamError.
    bool Next(std::string_view& text);

private:
    bool Fill();

    int fd_;                         // -1 over bytes in memory
    std::unique_ptr<char[]> buffer_; // what was read of the file
    const char* data_;               // the buffer, or the bytes in memory
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    std::string carry_; // a line split between two reads
    bool carryUsed_ = false;
};

// Collects output in a large buffer and writes it in big blocks.
class BufferedWriter {
public:
    explicit BufferedWriter(int fd);
    // The text followed by CR LF.
    void Line(std::string_view text);
    void Raw(std::string_view bytes);
    // Throws WriteError.
    void Flush();

private:
    int fd_;
    std::unique_ptr<char[]> buffer_;
    size_t used_ = 0;
};

} // namespace zz
