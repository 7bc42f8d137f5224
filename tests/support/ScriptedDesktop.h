#pragma once
#include "common/Desktop.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// Desktop services whose dialogs answer from a script and which record links and programs.
class ScriptedDesktop : public Desktop {
public:
    std::deque<std::optional<std::string>> folders; // answers of PickFolder, in order
    std::deque<std::optional<std::string>> files;   // answers of PickOpenFile and PickSaveFile, in order
    struct Dialog {
        std::string title, directory, filterOrPreselected;
    };
    std::vector<Dialog> dialogs;
    std::vector<std::string> links;
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingDirectory;
    };
    std::vector<Start> started;
    bool startSucceeds = true;
    bool lastStartedRunning = false; // what LastStartedRunning answers

    std::optional<std::string> PickFolder(const std::string& title, const std::string& root,
                                          const std::string& preselected) override;
    std::optional<std::string> PickOpenFile(const std::string& title, const std::string& directory,
                                            const std::string& filter) override;
    std::optional<std::string> PickSaveFile(const std::string& title, const std::string& directory,
                                            const std::string& filter) override;
    void OpenLink(const std::string& address) override;
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) override;
    bool LastStartedRunning() override { return lastStartedRunning; }
};

} // namespace zz
