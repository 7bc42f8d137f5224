#pragma once
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// The desktop services the windows ask for: file and folder dialogs, opening a web or mail
// link, and starting another program. The windows install the Qt implementation; the tests
// install a scripted one. Paths are UTF-8.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A folder chosen by the engineer below root (preselected first when not empty), or
    // nothing on Cancel.
    virtual std::optional<std::string> PickFolder(const std::string& title, const std::string& root,
                                                  const std::string& preselected) = 0;

    // A file to open, or nothing on Cancel. filter is in the form "Label (*.ext)|*.ext".
    virtual std::optional<std::string> PickOpenFile(const std::string& title, const std::string& directory,
                                                    const std::string& filter) = 0;

    // A file to write, or nothing on Cancel; filter as for PickOpenFile. Without an
    // implementation of its own every such dialog is cancelled.
    virtual std::optional<std::string> PickSaveFile(const std::string& title, const std::string& directory,
                                                    const std::string& filter)
    {
        (void)title, (void)directory, (void)filter;
        return std::nullopt;
    }

    // Opens a web address or a "mailto:" link with the desktop's default program.
    // A failure is not reported.
    virtual void OpenLink(const std::string& address) = 0;

    // Starts a program as a separate process, without a shell and without waiting for it.
    // Returns false when it could not be started.
    virtual bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                               const std::string& workingDirectory) = 0;

    // Whether the program last started by StartDetached still runs; false when not known.
    virtual bool LastStartedRunning() { return false; }
};

// The services in use. Without an installed implementation every dialog is cancelled, links
// are not opened and programs are started with posix_spawn.
Desktop& DesktopServices();

// Installs desktop services for the life of the object.
class ScopedDesktop {
public:
    explicit ScopedDesktop(Desktop& desktop);
    ~ScopedDesktop();
    ScopedDesktop(const ScopedDesktop&) = delete;
    ScopedDesktop& operator=(const ScopedDesktop&) = delete;

private:
    Desktop* previous_;
};

// Starts a program detached from this process with posix_spawn (no shell). Used by the
// command line and as the default.
bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingDirectory, long* processId = nullptr);

// Whether a process of that id (one started by SpawnDetached) still runs.
bool ProcessRunning(long processId);

} // namespace zz
