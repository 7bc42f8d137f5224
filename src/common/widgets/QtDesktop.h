#pragma once
#include "common/Desktop.h"

#include <QString>

inline namespace zz {

// The desktop services of a Qt session: Qt's file and folder dialogs, the desktop's default
// programs for links, posix_spawn for other programs.
class QtDesktop : public Desktop {
public:
    std::optional<std::string> PickFolder(const std::string& title, const std::string& root,
                                          const std::string& preselected) override;
    std::optional<std::string> PickOpenFile(const std::string& title, const std::string& directory,
                                            const std::string& filter) override;
    std::optional<std::string> PickSaveFile(const std::string& title, const std::string& directory,
                                            const std::string& filter) override;
    void OpenLink(const std::string& address) override;
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) override;
    bool LastStartedRunning() override;

private:
    long started_ = 0;
};

// "Label (*.ext)|*.ext|Other (*.o)|*.o" in the form Qt's dialogs take.
QString QtFileFilter(const std::string& filter);

} // namespace zz
