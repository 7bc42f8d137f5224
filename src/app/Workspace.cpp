#include "app/Workspace.h"

#include "app/IniFile.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"

#include <filesystem>
#include <sys/stat.h>

inline namespace zz {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSection = "lastproj";
constexpr const char* kKey = "projectname";

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string Absolute(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path.empty() ? "." : path, error);
    return WithoutTrailingSeparator((error ? fs::path(path) : absolute).lexically_normal().string());
}

// True when `dir` is `root` or lies below it.
bool IsInside(const std::string& dir, const std::string& root)
{
    return dir == root ||
           (dir.size() > root.size() && dir.compare(0, root.size(), root) == 0 && dir[root.size()] == '/');
}

} // namespace

std::string ProjectCaption(std::string_view projectName)
{
    return std::string(kDesignCaption) + " :" + std::string(projectName);
}

std::string SettingsFile(const ProjectContext& context)
{
    return context.AppDir + "/Zuzududada_TRVX.ini";
}

std::string StartUpWorkspace(ProjectContext& context, const std::string& appDir)
{
    context.AppDir = Absolute(appDir);
    context.MasterDir = context.AppDir + "/MASTER";
    ::mkdir(context.MasterDir.c_str(), 0777); // one level; a failure shows later, where files are missing
    context.ProjectsDir = context.AppDir + "/PROJECTS";
    ::mkdir(context.ProjectsDir.c_str(), 0777);

    context.ProjectName = ReadIniValue(SettingsFile(context), kSection, kKey);
    if (!context.ProjectName.empty() && context.ProjectName.front() != '/')
        context.ProjectName.insert(context.ProjectName.begin(), '/');

    std::string caption(kDesignCaption);
    if (!context.ProjectName.empty() && DirectoryExists(context.ProjectsDir + context.ProjectName)) {
        context.ProjectDir = context.ProjectsDir + context.ProjectName;
        caption = ProjectCaption(context.ProjectName);
    } else {
        context.ProjectDir = context.ProjectsDir;
    }
    context.UpdateProjectFiles();
    return caption;
}

void PrepareOpenProject(ProjectContext& context)
{
    if (!DirectoryExists(context.ProjectDir)) context.ProjectDir.clear();
}

std::string FinishOpenProject(ProjectContext& context, const std::optional<std::string>& picked)
{
    if (picked) {
        const std::string folder = Absolute(*picked);
        if (IsInside(folder, context.ProjectsDir)) {
            context.ProjectDir = folder;
        } else {
            Messages().Notice("The project directory must be inside " + context.ProjectsDir);
        }
    }
    context.ProjectName = context.ProjectDir.size() > context.ProjectsDir.size()
                              ? context.ProjectDir.substr(context.ProjectsDir.size())
                              : std::string();
    context.UpdateProjectFiles();
    return ProjectCaption(context.ProjectName);
}

void StoreLastProject(const ProjectContext& context)
{
    WriteIniValue(SettingsFile(context), kSection, kKey, context.ProjectName);
}

} // namespace zz
