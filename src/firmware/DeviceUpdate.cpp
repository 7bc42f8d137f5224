#include "firmware/DeviceUpdate.h"

#include "common/Desktop.h"
#include "common/FileSystem.h"
#include "common/ProjectContext.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

inline namespace zz {

std::string PortName(int position)
{
    return "COM" + std::to_string(position + 1);
}

CompositionSetup PrepareComposition(const ProjectContext& project, CompositionContext& context)
{
    const std::string bankDir = project.ProjectDir + "/bin/";
    if (!project.ProjectDir.empty() && DirectoryExists(bankDir)) context.BankDir = bankDir;

    CompositionSetup setup;
    if (project.MasterDir.empty() || !DirectoryExists(project.MasterDir)) {
        setup.Messages.push_back(ErrorMessage("Error! Firmware Directory not Found! Please reinstall the software."));
        return setup;
    }
    if (!FileExists(JoinPath(project.MasterDir, kBaseFirmwareName))) {
        setup.Messages.push_back(ErrorMessage("Error! Firmware File not Found! Please reinstall the software."));
        return setup;
    }
    // Without a project the new firmware would have no directory to go to.
    if (project.ProjectDir.empty()) {
        setup.Messages.push_back(NoticeMessage("Project not valid"));
        return setup;
    }
    // The base firmware is addressed by its directory rather than through the process's
    // current directory, so nothing else depends on where the process stands.
    context.BaseFirmwareDir = project.MasterDir;
    context.BaseFirmwareName = std::string(kBaseFirmwareName);
    context.OutputDir = project.ProjectDir;
    if (context.OutputDir.back() != '/') context.OutputDir += '/';
    context.NewFirmwareName = "New_" + context.BaseFirmwareName;
    setup.Ready = true;
    return setup;
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

FlashOutcome StartFlashingProgram(const ProjectContext& project, const std::string& firmwarePath, int portPosition)
{
    FlashOutcome outcome;
    if (!FileExists(firmwarePath)) {
        outcome.Messages.push_back(NoticeMessage("File *.Sx Not Found,Abort Procedure"));
        return outcome;
    }
    const std::string flasher = FlasherPath(project);
    if (!FileExists(flasher)) {
        outcome.Messages.push_back(NoticeMessage("ZoruvOdeza.exe Not Found, Procedure Aborted"));
        return outcome;
    }
    const FlasherLaunch launch = PlanFlasherLaunch(flasher, FlasherParameter(firmwarePath, portPosition));
    if (!DesktopServices().StartDetached(launch.Program, launch.Arguments, project.MasterDir)) {
        // Saying nothing here would leave the engineer waiting for an update that never starts.
        outcome.Messages.push_back(NoticeMessage("ZoruvOdeza.exe could not be started, Procedure Aborted"));
        return outcome;
    }
    outcome.Started = true;
    return outcome;
}

} // namespace zz
