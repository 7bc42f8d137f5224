#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

inline namespace zz {

// File-system helpers shared by every subsystem. Paths are UTF-8 and joined with "/".

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// a + "/" + b.
std::string JoinPath(std::string_view a, std::string_view b);

// The last component of a path ("dir/name.xml" gives "name.xml").
std::string FileNameOf(std::string_view path);

// The whole file; throws Failure naming the path and the system's reason.
std::string ReadFileBytes(const std::string& path);

// Opens a file named to be read and returns its descriptor. What is not a regular file (a FIFO,
// a device, a directory, a socket) is refused at once: opening a FIFO would wait for a writer
// forever. Throws Failure "<what> 'path': reason".
int OpenRegularFile(const std::string& path, const char* what = "Cannot read file");

// How WriteFileAtomically replaces a file.
struct AtomicWrite {
    // Forced to the disk before the rename, so that a saved document survives a power cut.
    // Files a build writes anew every time are not: waiting for the disk for each of them would
    // make the engineer wait for every build.
    bool SyncToDisk = true;
    // Saving through a symbolic link replaces the file it points to; when false, the link in
    // the target's place is replaced by the file and nothing is written through it.
    bool ThroughLinks = true;
    // The mkstemp pattern appended to the path for the temporary file.
    const char* TemporarySuffix = ".saving-XXXXXX";
};

// Replaces the file with the bytes, or leaves the previous file untouched: the bytes go to a
// temporary file beside the target, which is then renamed over it. A target marked read-only
// is refused, as it would be on the desktop the projects come from. Throws Failure naming the
// path and the reason.
void WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicWrite& how = {});

// Refuses a file the tool places inside `directory` (a project) when the directory holding it
// is reached through a link to a place outside: a `bin` linked elsewhere is not filled. Throws
// Failure naming the path; a directory that does not exist is left for the write to report.
void RefuseWriteOutside(const std::string& directory, const std::string& path);

// read(2), started again when a signal interrupts it.
ssize_t ReadRetrying(int fd, void* into, size_t size);

// Writes every byte, started again when a signal interrupts; 0 when done, else the errno
// (ENOSPC for a write that took nothing, or when a ScopedWriteLimit is used up).
int WriteAllBytes(int fd, std::string_view bytes);

// Makes WriteAllBytes fail as a full disk does once the given number of bytes has been written
// while the object lives: the write that crosses the limit writes what fits, then fails with
// "No space left on device". For tests of what a full disk leaves behind.
class ScopedWriteLimit {
public:
    explicit ScopedWriteLimit(size_t bytes);
    ~ScopedWriteLimit();
    // The bytes that may still be written.
    size_t Left() const;
    ScopedWriteLimit(const ScopedWriteLimit&) = delete;
    ScopedWriteLimit& operator=(const ScopedWriteLimit&) = delete;
};

} // namespace zz
