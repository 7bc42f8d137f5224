#include "firmware/DeviceUpdate.h"

#include "common/ProjectContext.h"
#include "common/Desktop.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "firmware/CheckedComposition.h"
#include "firmware/ConfigurationImage.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

inline namespace zz {

std::shared_ptr<BankBuild> BuildBanks(const ProjectContext& project, BankImage& image)
{
    LoadConfigurationImage(project, image);
    auto build = std::make_shared<BankBuild>();
    build->Problems = WriteBankFiles(project, image);
    WriteBankSource(project, image);
    build->Image = image;
    return build;
}

std::string PortName(int position)
{
    return "COM" + std::to_string(position + 1);
}

bool PrepareComposition(const ProjectContext& project, CompositionContext& context)
{
    const std::string bankDir = project.ProjectDir + "/bin/";
    if (!project.ProjectDir.empty() && DirectoryExists(bankDir)) context.BankDir = bankDir;

    if (project.MasterDir.empty() || !DirectoryExists(project.MasterDir)) {
        Messages().Error("Error! Firmware Directory not Found! Please reinstall the software.");
        return false;
    }
    if (!FileExists(JoinPath(project.MasterDir, kBaseFirmwareName))) {
        Messages().Error("Error! Firmware File not Found! Please reinstall the software.");
        return false;
    }
    // Without a project the new firmware would have no directory to go to.
    if (project.ProjectDir.empty()) {
        Messages().Notice("Project not valid");
        return false;
    }
    // The base firmware is addressed by its directory rather than through the process's
    // current directory, so nothing else depends on where the process stands.
    context.BaseFirmwareDir = project.MasterDir;
    context.BaseFirmwareName = std::string(kBaseFirmwareName);
    context.OutputDir = project.ProjectDir;
    if (context.OutputDir.back() != '/') context.OutputDir += '/';
    context.NewFirmwareName = "New_" + context.BaseFirmwareName;
    return true;
}

std::string FlasherPath(const ProjectContext& project)
{
    return JoinPath(project.AppDir, kFlasherName);
}

std::string FlasherParameter(const std::string& firmwarePath, int portPosition)
{
    return "\"" + firmwarePath + "\"" + "\u00B6" + std::to_string(portPosition);
}

std::string FindOnPath(std::string_view name)
{
    const char* path = std::getenv("PATH");
    if (!path) return {};
    std::string_view rest(path);
    while (true) {
        const size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        if (!dir.empty()) {
            const std::string candidate = JoinPath(dir, name);
            if (FileExists(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        }
        if (colon == std::string_view::npos) return {};
        rest.remove_prefix(colon + 1);
    }
}

namespace {
bool IsWindowsExecutable(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}
} // namespace

FlasherLaunch PlanFlasherLaunch(const std::string& flasherPath, const std::string& parameter)
{
    if (IsWindowsExecutable(flasherPath)) {
        const std::string wine = FindOnPath("wine");
        if (!wine.empty()) return {wine, {flasherPath, parameter}};
    }
    return {flasherPath, {parameter}};
}

bool StartFlashingProgram(const ProjectContext& project, const std::string& firmwarePath, int portPosition)
{
    if (!FileExists(firmwarePath)) {
        Messages().Notice("File *.Sx Not Found,Abort Procedure");
        return false;
    }
    const std::string flasher = FlasherPath(project);
    if (!FileExists(flasher)) {
        Messages().Notice("ZoruvOdeza.exe Not Found, Procedure Aborted");
        return false;
    }
    const FlasherLaunch launch = PlanFlasherLaunch(flasher, FlasherParameter(firmwarePath, portPosition));
    if (!DesktopServices().StartDetached(launch.program, launch.arguments, project.MasterDir)) {
        // Saying nothing here would leave the engineer waiting for an update that never starts.
        Messages().Notice("ZoruvOdeza.exe could not be started, Procedure Aborted");
        return false;
    }
    return true;
}

} // namespace zz
