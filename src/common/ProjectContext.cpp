#include "common/ProjectContext.h"

#include "common/AppDirectory.h"

#include <filesystem>

inline namespace zz {

namespace fs = std::filesystem;

void ProjectContext::UpdateProjectFiles()
{
    static_cast<ProjectLayout&>(*this) = ProjectLayout::Of(ProjectDir);
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    std::string out = fs::absolute(path, error).lexically_normal().string();
    if (error) out = path;
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

ProjectContext CommandProjectContext(const std::optional<std::string>& appDir, const std::string& projectDir)
{
    ProjectContext project;
    project.AppDir = appDir ? AbsolutePath(*appDir) : CommandAppDirectory();
    project.MasterDir = project.AppDir + "/MASTER";
    project.ProjectsDir = project.AppDir + "/PROJECTS";
    project.ProjectDir = AbsolutePath(projectDir);
    if (project.ProjectDir.rfind(project.ProjectsDir + "/", 0) == 0)
        project.ProjectName = project.ProjectDir.substr(project.ProjectsDir.size());
    project.UpdateProjectFiles();
    return project;
}

} // namespace zz
