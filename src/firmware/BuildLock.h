#pragma once
#include <string>

inline namespace zz {

// One firmware chain at a time per project directory (bank files, bankg.c, composition and the
// start of the flashing program), across windows and processes: an exclusive lock on the file
// ".build.lock" in the project directory, held while the object lives. Taken again in the same
// process it nests, so a window may hold it for the chain of the window that opened it.
// Whoever takes it first also removes the temporary files a killed build left behind.
class BuildLock {
public:
    // Takes the lock without waiting. Throws Failure saying that another build of the project
    // is running (with its process id), or why the lock file could not be made.
    explicit BuildLock(const std::string& projectDir);
    ~BuildLock();
    BuildLock(const BuildLock&) = delete;
    BuildLock& operator=(const BuildLock&) = delete;

private:
    std::string key_;
};

inline constexpr const char* kBuildLockName = ".build.lock";

// Removes what an interrupted chain leaves in a project: bin/bankN.bin.writing-XXXXXX,
// bin/bankg.c.writing-XXXXXX, bin/Bin.sx and the intermediate files of the composer. Only
// to be called by the holder of the lock.
void RemoveChainLeftovers(const std::string& projectDir);

} // namespace zz
