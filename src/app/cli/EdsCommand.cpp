#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"
#include "common/FileSystem.h"
#include "common/ProjectContext.h"
#include "devicenet/DeviceIdentity.h"
#include "devicenet/EdsFile.h"
#include "firmware/DeviceUpdate.h"
#include "gateway/GatewayProject.h"

#include <ctime>
#include <iostream>

inline namespace zz {

// zuzududada-cli eds [--app-dir DIR] PROJECT_DIR FILE
// Writes the EDS file of the project for the DeviceNet scanner's configuration software.

namespace {

constexpr const char* kCommand = "eds";

constexpr const char* kEdsHelp =
    "Writes FILE, the Electronic Data Sheet the scanner's configuration software imports: the\n"
    "gateway's identity from MASTER/DeviceNet_Identity.txt (created with demo values when\n"
    "missing; edited in Tools > DeviceNet identity) and its Poll connection (with Strobe,\n"
    "change of state and cyclic when the identity offers them), whose input and output sizes\n"
    "are Net_In and Net_Out of the project's pargen.xml. The dates are today's.\n"
    "A missing pargen.xml, a size that is not from 1 to 128, or an identity that breaks a rule is\n"
    "refused with the field named, and an existing FILE is left as it was.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory, whose MASTER holds the identity; PROJECT_DIR\n"
    "                  may then name a project in DIR/PROJECTS (default: the directory of this\n"
    "                  program; for an installed program ~/.local/share/zuzududada)\n"
    "Exit status: 0 when the file was written, 1 when it was not, 2 for wrong arguments.\n";

int RunEds(const CommandArguments& arguments)
{
    if (arguments.Operands.size() != 2) return kEdsCommand.UsageError("PROJECT_DIR and FILE are needed");
    const auto appDir = arguments.Value("--app-dir");
    const std::optional<std::string> projectDir = ProjectDirectoryArgument(kCommand, appDir, arguments.Operands[0]);
    if (!projectDir) return 1;
    const ProjectContext context = CommandProjectContext(appDir, *projectDir);
    const DeviceIdentity identity = LoadDeviceIdentity(context.MasterDir);
    const std::string& file = arguments.Operands[1];
    WriteEdsFile(file, LoadGatewayProject(context), identity,
                 {FileNameOf(context.ProjectDir), std::string(kBaseFirmwareName), std::time(nullptr)});
    std::cout << "Wrote " << file << '\n';
    return 0;
}

} // namespace

const CliCommand kEdsCommand{
    .Name = kCommand,
    .Usage = "[--app-dir DIR] PROJECT_DIR FILE",
    .Summary = "Writes the project's EDS file for the DeviceNet scanner.",
    .Help = kEdsHelp,
    .Options = {.Flags = {}, .Values = {"--app-dir"}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunEds,
};

} // namespace zz
