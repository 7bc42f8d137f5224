#include "app/cli/ProjectArgument.h"

#include "app/cli/CommandArguments.h"
#include "common/AppDirectory.h"
#include "common/FileSystem.h"
#include "common/ProjectContext.h"

#include <filesystem>

inline namespace zz {

std::optional<std::string> ProjectDirectoryArgument(const std::string& command,
                                                    const std::optional<std::string>& appDir,
                                                    const std::string& argument)
{
    namespace fs = std::filesystem;
    // The application directory first: on the first start of an installed program it is made
    // there, with the demo project that PROJECT_DIR may name.
    const fs::path projects = fs::path(appDir ? *appDir : CommandAppDirectory()) / "PROJECTS";
    if (DirectoryExists(argument)) return argument;
    // An empty name would be PROJECTS itself.
    if (!argument.empty() && fs::path(argument).is_relative()) {
        const std::string named = (projects / argument).string();
        if (DirectoryExists(named)) return named;
    }
    CommandMessage(command, "'" + argument + "' is neither a project directory nor a project in '" +
                                AbsolutePath(projects.string()) + "'");
    return std::nullopt;
}

} // namespace zz
