#pragma once
#include "common/ProjectLayout.h"

#include <optional>
#include <string>

inline namespace zz {

// The one project context of the application: where the application, its base firmware and
// its projects live, the current project, and the paths of the project's documents. The main
// window owns it and, with the new project dialog, is its only writer; everybody else reads
// it at the moment they run and keeps no copy. Paths are joined with "/".
struct ProjectContext : ProjectLayout {
    std::string AppDir;      // directory of the executable (or --app-dir), no trailing "/"
    std::string MasterDir;   // AppDir + "/MASTER": the base firmware
    std::string ProjectsDir; // AppDir + "/PROJECTS"
    std::string ProjectName; // the current project below ProjectsDir ("/Line4", or "Line5" after New project)
    // ProjectDir, the current project directory (empty: no valid project), and the paths of
    // its documents come from the layout.

    // Sets the document paths from ProjectDir.
    void UpdateProjectFiles();
};

// The product variant this build is for; it decides the build steps of "Up date Device", the
// help file name and the bank check boxes of the device update window.
inline constexpr int ProductVariant = 2;

// The project context of a command line command: the application directory given with
// --app-dir or else CommandAppDirectory(), MASTER and PROJECTS below it, and the project
// directory as given, made absolute.
ProjectContext CommandProjectContext(const std::optional<std::string>& appDir, const std::string& projectDir);

// An absolute, normalised path with "/" and no trailing separator.
std::string AbsolutePath(const std::string& path);

} // namespace zz
