#include "common/Desktop.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

inline namespace zz {

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
        return SpawnDetached(program, arguments, workingDirectory, &started_);
    }
    bool LastStartedRunning() override { return ProcessRunning(started_); }

private:
    long started_ = 0;
};

Desktop* g_current = nullptr;

} // namespace

Desktop& DesktopServices()
{
    static HeadlessDesktop headless;
    return g_current ? *g_current : headless;
}

ScopedDesktop::ScopedDesktop(Desktop& desktop)
    : previous_(g_current)
{
    g_current = &desktop;
}
ScopedDesktop::~ScopedDesktop()
{
    g_current = previous_;
}

bool ProcessRunning(long processId)
{
    return processId > 0 && (::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM);
}

bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingDirectory, long* processId)
{
    // A middle child starts the program and exits at once, so the program is never our
    // child and nobody has to wait for it. It tells the program's id through a pipe.
    int channel[2] = {-1, -1};
    if (::pipe2(channel, O_CLOEXEC) != 0) return false;
    const pid_t middle = fork();
    if (middle < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return false;
    }
    if (middle == 0) {
        ::close(channel[0]);
        setsid();
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_t child = 0;
        const int rc = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
        if (rc == 0) {
            const long id = child;
            [[maybe_unused]] const ssize_t written = ::write(channel[1], &id, sizeof id);
        }
        _exit(rc == 0 ? 0 : 127);
    }
    ::close(channel[1]);
    int status = 0;
    while (waitpid(middle, &status, 0) < 0) {
    }
    long id = 0;
    if (::read(channel[0], &id, sizeof id) != static_cast<ssize_t>(sizeof id)) id = 0;
    ::close(channel[0]);
    if (processId) *processId = id;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace zz
