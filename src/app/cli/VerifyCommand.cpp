#include "app/cli/CommandArguments.h"
#include "app/cli/Commands.h"
#include "common/ProjectContext.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "firmware/ConfigurationImage.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwareVerification.h"

#include <exception>
#include <iostream>
#include <optional>

inline namespace zz {

// zuzududada-cli verify [--app-dir DIR] PROJECT_DIR [FIRMWARE]
// Rebuilds the project's configuration in memory (writing nothing) and checks that FIRMWARE
// (by default the project's New_sx48802.sx) holds it in banks 1 and 2 and the base firmware's
// data everywhere else. 0 when it does, 1 when not (each difference on standard error), 2 for
// bad arguments.
int RunVerifyCommand(const std::vector<std::string>& arguments);

constexpr const char* kVerifyUsage = "[--app-dir DIR] PROJECT_DIR [FIRMWARE]";
constexpr const char* kVerifySummary =
    "Checks that a firmware holds the project's configuration and the base firmware everywhere else.";

namespace {

constexpr const char* kVerifyHelp =
    "Rebuilds the configuration tables from the project's documents in memory (nothing is\n"
    "written), as \"Up date Device\" would build them, reads FIRMWARE (by default\n"
    "PROJECT_DIR/New_sx48802.sx) and the base firmware DIR/MASTER/sx48802.sx, and checks that\n"
    "the firmware holds exactly the project's banks 1 and 2 in their windows and exactly the\n"
    "base firmware's data everywhere else, every record read as a programmer writes it.\n"
    "Every line must be a valid record with its checksum, and S9 must end the file.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory holding MASTER (default: the directory of\n"
    "                  this program; for an installed program ~/.local/share/zuzududada)\n"
    "A difference is told by bank, offset and field, e.g.\n"
    "  bank 1, offset 15,005, Net_Dev_Id: firmware 12, project 40 (address 0x38BA9D)\n"
    "Exit status: 0 when the firmware matches, 1 when it does not or cannot be read (the\n"
    "reasons on standard error), 2 for wrong arguments.\n";

int Usage(const std::string& problem) { return UsageError("verify", kVerifyUsage, problem); }

} // namespace

int RunVerifyCommand(const std::vector<std::string>& arguments)
{
    std::optional<std::string> appDir;
    std::vector<std::string> positional;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            std::cout << "Usage: zuzududada-cli verify " << kVerifyUsage << '\n' << kVerifyHelp;
            return 0;
        }
        if (a == "--app-dir") {
            if (i + 1 == arguments.size()) return Usage(a + " needs a value");
            appDir = arguments[++i];
        } else if (!a.empty() && a[0] == '-') {
            return Usage("unknown option '" + a + "'");
        } else {
            positional.push_back(a);
        }
    }
    if (positional.empty()) return Usage("PROJECT_DIR is missing");
    if (positional.size() > 2) return Usage("too many arguments");

    const ProjectContext project = CommandProjectContext(appDir, positional[0]);
    if (!DirectoryExists(project.ProjectDir)) {
        Messages().ApplicationError("The project directory '" + project.ProjectDir + "' does not exist");
        return 1;
    }
    const std::string firmware =
        positional.size() == 2 ? positional[1] : project.ProjectDir + "/New_" + std::string(kBaseFirmwareName);
    const std::string base = project.MasterDir + "/" + std::string(kBaseFirmwareName);
    try {
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
    } catch (const std::exception& failure) {
        Messages().ApplicationError(failure.what());
        return 1;
    }
}

const CliCommand kVerifyCommand{"verify", kVerifyUsage, kVerifySummary, RunVerifyCommand};

} // namespace zz
