#include "common/FileSystem.h"

#include "common/Failure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#include <cstdlib>

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
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

} // namespace

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

std::string ReadFileBytes(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("Cannot read file", path, errno);
    std::string bytes;
    // Room for the whole file at once; a file that grows meanwhile is still read to its end.
    struct stat info;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
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

void WriteFileAtomically(const std::string& requested, std::string_view bytes)
{
    const std::string path = ResolveLinks(requested);
    mode_t mode = 0644;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) Fail("Cannot write file", requested, EISDIR);
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) Fail("Cannot write file", requested, EACCES);
        mode = info.st_mode & 07777;
    }

    std::string temporary = path + ".saving-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) Fail("Cannot write file", requested, errno);

    bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
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
