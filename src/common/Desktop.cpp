#include "common/Desktop.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

class HeadlessDesktop : public Desktop {
public:
    std::optional<std::string> PickFolder(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> PickOpenFile(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    void OpenLink(const std::string&) override {}
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) override
    {
        return SpawnDetached(program, arguments, workingDirectory);
    }
};

Desktop* g_current = nullptr;

} // namespace

Desktop& DesktopServices()
{
    static HeadlessDesktop headless;
    return g_current ? *g_current : headless;
}

ScopedDesktop::ScopedDesktop(Desktop& desktop) : previous_(g_current) { g_current = &desktop; }
ScopedDesktop::~ScopedDesktop() { g_current = previous_; }

bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingDirectory)
{
    // A middle child starts the program and exits at once, so the program is never our
    // child and nobody has to wait for it.
    const pid_t middle = fork();
    if (middle < 0) return false;
    if (middle == 0) {
        setsid();
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_t child = 0;
        const int rc = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
        _exit(rc == 0 ? 0 : 127);
    }
    int status = 0;
    while (waitpid(middle, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
