#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "firmware/ConfigurationImage.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwareVerification.h"

#include <iostream>
#include <optional>

inline namespace zz {

// zuzududada-cli verify [--app-dir DIR] PROJECT_DIR [FIRMWARE]
// Rebuilds the project's configuration in memory (writing nothing) and checks that FIRMWARE
// (by default the project's New_sx48802.sx) holds it in banks 1 and 2 and the base firmware's
// data everywhere else. 0 when it does, 1 when not (each difference on standard error), 2 for
// bad arguments.

namespace {

constexpr const char* kVerifyUsage = "[--app-dir DIR] PROJECT_DIR [FIRMWARE]";

constexpr const char* kVerifyHelp =
    "Rebuilds the configuration tables from the project's documents in memory (nothing is\n"
    "written), as \"Up date Device\" would build them, reads FIRMWARE (by default\n"
    "PROJECT_DIR/New_sx48802.sx) and the base firmware DIR/MASTER/sx48802.sx, and checks that\n"
    "the firmware holds exactly the project's banks 1 and 2 in their windows and exactly the\n"
    "base firmware's data everywhere else, every record read as a programmer writes it.\n"
    "Every line must be a valid record with its checksum, and S9 must end the file.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory holding MASTER; PROJECT_DIR may then name a\n"
    "                  project in DIR/PROJECTS (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "A difference is told by bank, offset and field, e.g.\n"
    "  bank 1, offset 15,005, Net_Dev_Id: firmware 12, project 40 (address 0x38BA9D)\n"
    "Exit status: 0 when the firmware matches, 1 when it does not or cannot be read (the\n"
    "reasons on standard error), 2 for wrong arguments.\n";

int RunVerify(const CommandArguments& arguments)
{
    const std::vector<std::string>& operands = arguments.Operands;
    if (operands.empty()) return kVerifyCommand.UsageError("PROJECT_DIR is missing");
    if (operands.size() > 2) return kVerifyCommand.UsageError("too many arguments");

    const auto appDir = arguments.Value("--app-dir");
    const std::optional<std::string> projectDir = ProjectDirectoryArgument("verify", appDir, operands[0]);
    if (!projectDir) return 1;
    const ProjectContext project = CommandProjectContext(appDir, *projectDir);
    const std::string firmware =
        operands.size() == 2 ? operands[1] : project.ProjectDir + "/New_" + std::string(kBaseFirmwareName);
    const std::string base = project.MasterDir + "/" + std::string(kBaseFirmwareName);
    BankImage image;
    LoadConfigurationImage(project, image);
    const FirmwareVerification result = VerifyFirmwareFile(firmware, base, image);
    if (result.Matches()) {
        std::cout << result.Summary(FileNameOf(firmware)) << '\n';
        return 0;
    }
    std::cerr << result.Summary(FileNameOf(firmware)) << '\n';
    if (result.DifferenceCount > 1 || (result.FirmwareFault && result.BaseFault))
        for (const std::string& line : result.Details()) std::cerr << "  " << line << '\n';
    return 1;
}

} // namespace

const CliCommand kVerifyCommand{
    .Name = "verify",
    .Usage = kVerifyUsage,
    .Summary = "Checks that a firmware holds the project's configuration and the base firmware everywhere else.",
    .Help = kVerifyHelp,
    .Options = {.Flags = {}, .Values = {"--app-dir"}},
    .Voice = FailureVoice::MessageSink,
    .Body = RunVerify,
};

} // namespace zz
