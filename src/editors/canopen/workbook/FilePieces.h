#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

inline namespace zz {

// A regular file read in pieces, from its start as often as needed. It stays open: a file
// replaced meanwhile is still the one read.
class FilePieces {
public:
    // Throws Failure as ReadFileBytes does for what cannot be opened or is no regular file.
    explicit FilePieces(const std::string& path);
    ~FilePieces();
    FilePieces(const FilePieces&) = delete;
    FilePieces& operator=(const FilePieces&) = delete;

    const std::string& Path() const { return path_; }
    // The size when it was opened.
    uint64_t Size() const { return size_; }

    // Up to `count` bytes from the start.
    std::string Head(size_t count) const;
    // The whole file.
    std::string All() const;
    // Every byte from `offset` on, in pieces of at most 1 MiB; `consume` returns false to stop.
    void Read(uint64_t offset, const std::function<bool(std::string_view)>& consume) const;

private:
    std::string path_;
    int fd_;
    uint64_t size_ = 0;
};

} // namespace zz
