#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"
#include "common/Failure.h"
#include "firmware/ConfigurationImage.h"
#include "gateway/GatewayProject.h"

#include "devicenet/ByteMap.h"
#include "devicenet/ByteMapFormat.h"
#include "devicenet/ByteMapPicture.h"
#include "devicenet/TagList.h"
#include "projectcheck/ProjectCheck.h"
#include "projectcheck/ReportFormat.h"

#include <iostream>
#include <optional>

inline namespace zz {

// zuzududada-cli check [--app-dir DIR] [--json] PROJECT_DIR
// Prints the findings of the project check (text, or JSON with --json) on standard output.
// Exit status: 0 without errors (warnings allowed), 1 with errors, 2 for bad arguments.

// zuzududada-cli map [--app-dir DIR] [--json | --csv] [--svg FILE] PROJECT_DIR
// Prints where every CAN byte lands on DeviceNet, one line per DeviceNet byte (or JSON, or the
// PLC's tag list as CSV), or writes the picture of the byte map as SVG. Exit status: 0 on
// success, 1 when a document could not be read, the project would not build or the picture
// not written, 2 for bad arguments.

namespace {

constexpr const char* kCheckHelp =
    "Reads the project's documents as they are on disk and reports, for each problem, its\n"
    "severity, document, row (as the editors number it), field and what follows from it:\n"
    "  - every rule the editors apply on OK (ranges of the communication parameters, COB IDs\n"
    "    and lengths, at most 127 frames, mapping values 0 to 127 or none, the receive overlap,\n"
    "    the keys of the CANopen tables);\n"
    "  - what no editor sees: mappings beyond the DeviceNet input or output area, frame and\n"
    "    mapping documents of different lengths, mapped bytes beyond a frame's length, repeated\n"
    "    COB IDs, 29-bit identifiers in an 11-bit project, values the firmware would store\n"
    "    truncated, documents that do not load, stored PDO rows without their PDO, an empty\n"
    "    project.\n"
    "An error means the device would get something other than what the editors show; a warning\n"
    "is suspicious but may be meant. A rule broken more than 100 times in one document lists\n"
    "its first 100 findings, then one that counts the rest and names their first and last row.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory; PROJECT_DIR may then name a project in\n"
    "                  DIR/PROJECTS (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "  --json          print the findings as a JSON list of objects (severity, rule, document,\n"
    "                  row, field, message; and unlisted, the count, in a summary)\n"
    "Exit status: 0 without errors, 1 with errors, 2 for wrong arguments.\n";

constexpr const char* kMapHelp =
    "Prints one line per DeviceNet byte of the input area (Net_In bytes, fed by the receive\n"
    "frames) and of the output area (Net_Out bytes, feeding the send frames): area, byte, COB ID,\n"
    "CAN byte and mnemonic of the frame; \"-\" for an unused byte, [conflict] where two CAN bytes\n"
    "feed one input byte, and the mappings beyond an area at the end of it.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory; PROJECT_DIR may then name a project in\n"
    "                  DIR/PROJECTS (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "  --json          print the map as JSON instead\n"
    "  --csv           print the tag list for the PLC instead: one CSV line per CAN byte on a\n"
    "                  DeviceNet byte with direction (IN or OUT), byte, COB ID, CAN byte,\n"
    "                  mnemonic and a tag name PLC tools accept (a letter, then letters,\n"
    "                  digits and underscores, at most 40, unique), CR LF line ends\n"
    "  --svg FILE      write the picture of the map as an SVG file instead\n"
    "A project that would not build (a COB ID the build refuses) is said on standard error and\n"
    "still drawn as it was read.\n"
    "Exit status: 0 on success, 1 when a document could not be read, the project would not\n"
    "build or the picture not written, 2 for wrong arguments.\n";

// The project directory PROJECT_DIR names; nothing after a message.
std::optional<std::string> ProjectDirectory(const CliCommand& command, const CommandArguments& arguments)
{
    if (arguments.Operands.empty()) {
        command.UsageError("PROJECT_DIR is missing");
        return std::nullopt;
    }
    if (arguments.Operands.size() > 1) {
        command.UsageError("only one PROJECT_DIR may be given");
        return std::nullopt;
    }
    return ProjectDirectoryArgument(command.Name, arguments.Value("--app-dir"), arguments.Operands[0]);
}

int RunCheck(const CommandArguments& arguments)
{
    const std::optional<std::string> projectDir = ProjectDirectory(kCheckCommand, arguments);
    if (!projectDir) return 2;
    const std::vector<Finding> findings = CheckProject(LoadGatewayProject(ProjectLayout::Of(*projectDir)));
    std::cout << (arguments.Has("--json") ? FindingsJson(findings) : FindingsText(findings));
    return CountFindings(findings).Errors > 0 ? 1 : 0;
}

int RunMap(const CommandArguments& arguments)
{
    const std::optional<std::string> projectDir = ProjectDirectory(kMapCommand, arguments);
    if (!projectDir) return 2;
    const bool json = arguments.Has("--json");
    const bool csv = arguments.Has("--csv");
    if (json && csv) return kMapCommand.UsageError("--json and --csv cannot both be given");
    const std::optional<std::string> svg = arguments.Value("--svg");
    const GatewayProject project = LoadGatewayProject(ProjectLayout::Of(*projectDir));
    const ByteMap map = BuildByteMap(project);
    int status = 0;
    // What build would refuse is said, and the map of what was read is still drawn.
    try {
        BankImage image;
        LoadConfigurationImage(project, image);
    } catch (const Failure& failure) {
        std::cerr << "The project would not build: " << failure.what() << '\n';
        status = 1;
    }
    for (const ByteMapSide* side : {&map.Input, &map.Output})
        if (!side->Problem.empty()) {
            std::cerr << side->Problem << '\n';
            status = 1;
        }
    if (svg) {
        std::string why;
        if (!WriteByteMapSvg(map, *svg, why)) {
            std::cerr << why << '\n';
            return 1;
        }
        if (json) WriteByteMapJson(map, std::cout);
        if (csv) std::cout << TagListCsv(TagEntries(map));
        return status;
    }
    if (json) WriteByteMapJson(map, std::cout);
    else std::cout << (csv ? TagListCsv(TagEntries(map)) : ByteMapText(map));
    return status;
}

} // namespace

const CliCommand kCheckCommand{
    .Name = "check",
    .Usage = "[--app-dir DIR] [--json] PROJECT_DIR",
    .Summary = "Checks the project's documents as they are on disk before they reach a device.",
    .Help = kCheckHelp,
    .Options = {.Flags = {"--json"}, .Values = {"--app-dir"}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunCheck,
};

const CliCommand kMapCommand{
    .Name = "map",
    .Usage = "[--app-dir DIR] [--json | --csv] [--svg FILE] PROJECT_DIR",
    .Summary = "Shows which CAN byte feeds each DeviceNet input and output byte.",
    .Help = kMapHelp,
    .Options = {.Flags = {"--json", "--csv"}, .Values = {"--app-dir", "--svg"}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunMap,
};

} // namespace zz
