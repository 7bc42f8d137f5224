#include "support/ScriptedDesktop.h"

inline namespace zz {

std::optional<std::string> ScriptedDesktop::PickFolder(const std::string& title, const std::string& root,
                                                       const std::string& preselected)
{
    dialogs.push_back({title, root, preselected});
    if (folders.empty()) return std::nullopt;
    auto answer = folders.front();
    folders.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDesktop::PickOpenFile(const std::string& title, const std::string& directory,
                                                         const std::string& filter)
{
    dialogs.push_back({title, directory, filter});
    if (files.empty()) return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDesktop::PickSaveFile(const std::string& title, const std::string& directory,
                                                         const std::string& filter)
{
    return PickOpenFile(title, directory, filter);
}

void ScriptedDesktop::OpenLink(const std::string& address)
{
    links.push_back(address);
}

bool ScriptedDesktop::StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                                    const std::string& workingDirectory)
{
    started.push_back({program, arguments, workingDirectory});
    return startSucceeds;
}

} // namespace zz
