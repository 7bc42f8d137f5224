#include "common/FileSystem.h"

#include "common/Failure.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

inline namespace zz {

namespace {

[[noreturn]] void Fail(const char* what, const std::string& path, int error)
{
    throw Failure(std::string(what) + " '" + path + "': " + std::strerror(error));
}

// The file a symbolic link points to, so that saving through a link replaces its target.
std::string ResolveLinks(const std::string& path)
{
    char resolved[PATH_MAX];
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && realpath(path.c_str(), resolved)) return resolved;
    return path;
}

const char* KindOf(mode_t mode)
{
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "no file";
}

[[noreturn]] void FailNotRegular(const char* what, const std::string& path, mode_t mode)
{
    if (S_ISDIR(mode)) Fail(what, path, EISDIR);
    throw Failure(std::string(what) + " '" + path + "': it is " + KindOf(mode) + ", not a regular file");
}

// Bytes WriteAllBytes may still write, when a test has set a limit.
long g_writeBudget = -1;

} // namespace

ScopedWriteLimit::ScopedWriteLimit(size_t bytes)
{
    g_writeBudget = static_cast<long>(bytes);
}
ScopedWriteLimit::~ScopedWriteLimit()
{
    g_writeBudget = -1;
}
size_t ScopedWriteLimit::Left() const
{
    return static_cast<size_t>(g_writeBudget);
}

ssize_t ReadRetrying(int fd, void* into, size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd, into, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

int WriteAllBytes(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        size_t size = bytes.size();
        if (g_writeBudget >= 0 && static_cast<long>(size) > g_writeBudget) {
            size = static_cast<size_t>(g_writeBudget);
            if (size == 0) return ENOSPC;
        }
        const ssize_t written = ::write(fd, bytes.data(), size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return ENOSPC;
        if (g_writeBudget >= 0) g_writeBudget -= written;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string JoinPath(std::string_view a, std::string_view b)
{
    std::string out(a);
    out += '/';
    out += b;
    return out;
}

std::string FileNameOf(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

int OpenRegularFile(const std::string& path, const char* what)
{
    // Looked at before opening, as opening a device may already act on it; opened without
    // waiting and looked at again, as the path may have been replaced in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) FailNotRegular(what, path, info.st_mode);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) Fail(what, path, errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        const mode_t mode = info.st_mode;
        ::close(fd);
        if (S_ISREG(mode)) Fail(what, path, error);
        FailNotRegular(what, path, mode);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

std::string ReadFileBytes(const std::string& path)
{
    const int fd = OpenRegularFile(path);
    std::string bytes;
    // Room for the whole file at once; a file that grows meanwhile is still read to its end.
    struct stat info;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ReadRetrying(fd, buffer, sizeof buffer);
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            Fail("Cannot read file", path, error);
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return bytes;
}

void RefuseWriteOutside(const std::string& directory, const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string parent = slash == std::string::npos ? "." : path.substr(0, slash);
    char realParent[PATH_MAX], realDirectory[PATH_MAX];
    if (!realpath(parent.c_str(), realParent) || !realpath(directory.c_str(), realDirectory)) return;
    const std::string inside = realParent, root = realDirectory;
    if (inside == root || inside.rfind(root == "/" ? root : root + "/", 0) == 0) return;
    throw Failure("Cannot write file '" + path + "': '" + parent + "' is a link to a place outside the project ('" +
                  inside + "'); nothing is written there");
}

void WriteFileAtomically(const std::string& requested, std::string_view bytes, const AtomicWrite& how)
{
    const std::string path = how.ThroughLinks ? ResolveLinks(requested) : requested;
    mode_t mode = 0644;
    struct stat info {};
    if (how.ThroughLinks ? stat(path.c_str(), &info) == 0 : lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        if (S_ISDIR(info.st_mode)) Fail("Cannot write file", requested, EISDIR);
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) Fail("Cannot write file", requested, EACCES);
        mode = info.st_mode & 07777;
    }

    std::string temporary = path + how.TemporarySuffix;
    const int fd = mkstemp(temporary.data());
    if (fd < 0) Fail("Cannot write file", requested, errno);

    int error = WriteAllBytes(fd, bytes);
    if (error == 0 && (fchmod(fd, mode) != 0 || (how.SyncToDisk && fsync(fd) != 0))) error = errno;
    bool ok = error == 0;
    if (::close(fd) != 0 && errno != EINTR && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        Fail("Cannot write file", requested, error);
    }
}

} // namespace zz
