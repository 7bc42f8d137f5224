#include "editors/canopen/cli/CommandArguments.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

CommandArguments SplitArguments(const std::vector<std::string>& arguments, const std::vector<std::string>& knownFlags,
                                bool takesAppDir)
{
    CommandArguments out;
    bool onlyOperands = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (onlyOperands || a.size() < 2 || a[0] != '-') {
            out.operands.push_back(a);
        } else if (a == "--") {
            onlyOperands = true;
        } else if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (takesAppDir && a == "--app-dir") {
            if (i + 1 == arguments.size()) {
                out.problem = "--app-dir needs a value";
                return out;
            }
            out.appDir = arguments[++i];
        } else if (std::find(knownFlags.begin(), knownFlags.end(), a) != knownFlags.end()) {
            out.flags.push_back(a);
        } else {
            out.problem = "unknown option '" + a + "'";
            return out;
        }
    }
    return out;
}

bool HasFlag(const CommandArguments& arguments, const std::string& flag)
{
    return std::find(arguments.flags.begin(), arguments.flags.end(), flag) != arguments.flags.end();
}

int UsageError(const std::string& command, const std::string& usage, const std::string& problem)
{
    std::cerr << "zuzududada-cli " << command << ": " << problem << "\nUsage: zuzududada-cli " << command << ' '
              << usage << "\nSee zuzududada-cli " << command << " --help\n";
    return 2;
}

void CommandMessage(const std::string& command, const std::string& text)
{
    std::cerr << "zuzududada-cli " << command << ": " << text << '\n';
}

namespace {

// An absolute path with "/" and without a trailing separator.
std::string Absolute(const std::string& path)
{
    std::error_code error;
    std::string out = fs::absolute(path, error).lexically_normal().string();
    if (error) out = path;
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

std::string ExecutableDirectory()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? Absolute(".") : self.parent_path().string();
}

} // namespace

ProjectContext CommandProject(const std::string& projectDir, const std::optional<std::string>& appDir)
{
    ProjectContext project;
    project.AppDir = appDir ? Absolute(*appDir) : ExecutableDirectory();
    project.MasterDir = project.AppDir + "/MASTER";
    project.ProjectsDir = project.AppDir + "/PROJECTS";
    project.ProjectDir = Absolute(projectDir);
    if (project.ProjectDir.rfind(project.ProjectsDir + "/", 0) == 0)
        project.ProjectName = project.ProjectDir.substr(project.ProjectsDir.size());
    project.UpdateProjectFiles();
    return project;
}
