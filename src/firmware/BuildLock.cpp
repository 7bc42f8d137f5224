#include "firmware/BuildLock.h"

#include "common/Failure.h"
#include "firmware/FirmwareComposer.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

inline namespace zz {

namespace {

struct Held {
    int fd = -1;
    int depth = 0;
};

// The locks this process holds, by the lock file's path. A second flock on another descriptor
// of the same file would refuse this process itself.
std::map<std::string, Held>& HeldLocks()
{
    static std::map<std::string, Held> held;
    return held;
}

std::string Canonical(const std::string& dir)
{
    char resolved[PATH_MAX];
    return ::realpath(dir.c_str(), resolved) ? std::string(resolved) : dir;
}

[[noreturn]] void CannotLock(const std::string& path, int error)
{
    throw Failure("Cannot lock the project for the build, '" + path + "': " + std::strerror(error));
}

int OpenLockFile(const std::string& path)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) return fd;
        // A symbolic link planted in its place is removed, never followed.
        if (errno != ELOOP || ::unlink(path.c_str()) != 0) break;
    }
    CannotLock(path, errno);
}

bool EndsWithWritingSuffix(const std::string& name, const std::string& stem)
{
    static const std::string marker = ".writing-";
    return name.size() == stem.size() + marker.size() + 6 && name.compare(0, stem.size(), stem) == 0 &&
           name.compare(stem.size(), marker.size(), marker) == 0;
}

} // namespace

BuildLock::BuildLock(const std::string& projectDir)
    : key_(Canonical(projectDir) + "/" + kBuildLockName)
{
    if (projectDir.empty()) throw Failure("Project not valid: no project directory to build");
    Held& held = HeldLocks()[key_];
    if (held.depth > 0) {
        ++held.depth;
        return;
    }
    const int fd = OpenLockFile(key_);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        char owner[32] = {};
        const ssize_t got = ::pread(fd, owner, sizeof owner - 1, 0);
        ::close(fd);
        HeldLocks().erase(key_);
        if (error != EWOULDBLOCK) CannotLock(key_, error);
        std::string who = got > 0 ? std::string(owner, static_cast<size_t>(got)) : std::string();
        while (!who.empty() && (who.back() == '\n' || who.back() == '\r')) who.pop_back();
        throw Failure("Another build of the project '" + projectDir + "' is running" +
                      (who.empty() ? std::string() : " (process " + who + ")") +
                      ": wait until it has finished, then build again");
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
    }
    held = {fd, 1};
    RemoveChainLeftovers(projectDir);
}

BuildLock::~BuildLock()
{
    auto it = HeldLocks().find(key_);
    if (it == HeldLocks().end() || --it->second.depth > 0) return;
    ::close(it->second.fd); // releases the lock
    HeldLocks().erase(it);
}

void RemoveChainLeftovers(const std::string& projectDir)
{
    for (int n = 1; n <= 5; ++n) ::unlink((projectDir + "/" + IntermediateName(n)).c_str());
    const std::string bin = projectDir + "/bin";
    ::unlink((bin + "/Bin.sx").c_str());
    DIR* dir = ::opendir(bin.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        bool leftover = EndsWithWritingSuffix(name, "bankg.c");
        for (int n = 1; n <= 5 && !leftover; ++n)
            leftover = EndsWithWritingSuffix(name, "bank" + std::to_string(n) + ".bin");
        if (leftover) ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}

} // namespace zz
