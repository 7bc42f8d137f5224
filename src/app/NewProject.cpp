#include "app/NewProject.h"

#include "common/FileSystem.h"
#include "common/MessageSink.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

inline namespace zz {

namespace {

// A name with a separator, or "." or "..", would make the directory somewhere else than a
// project of its own directly in the projects directory.
bool LeavesDestination(const std::string& name)
{
    return name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name == "." || name == "..";
}

} // namespace

bool CreateNewProject(ProjectContext& context, const std::string& destinationDir, const std::string& name)
{
    bool closeAllowed = true;
    if (destinationDir.empty()) {
        Messages().Notice("directory destination not valid");
        closeAllowed = false;
    }
    if (name.empty() || LeavesDestination(name)) {
        Messages().Notice("Name project not valid");
        closeAllowed = false;
    }
    if (!closeAllowed) return false;

    const std::string directory = destinationDir + "/" + name;
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(directory, error))) {
        Messages().Notice("Name project not valid because directory already exists");
        return false;
    }
    if (::mkdir(directory.c_str(), 0777) != 0) {
        // Said aloud rather than leaving the engineer at a dialog that does nothing.
        Messages().Notice("Cannot create directory '" + directory + "': " + std::strerror(errno));
        return false;
    }
    std::filesystem::create_directories(directory + "/bin", error); // a missing bin shows at the build

    context.ProjectName = name;
    context.ProjectDir = destinationDir + "/" + context.ProjectName;
    context.UpdateProjectFiles();
    return true;
}

} // namespace zz
