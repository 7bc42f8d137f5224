#include "app/cli/CommandArguments.h"
#include "app/cli/Commands.h"

#include "common/AppDirectory.h"
#include "gateway/GatewayProject.h"

#include "projectcheck/ByteMap.h"
#include "projectcheck/ByteMapPicture.h"
#include "projectcheck/ProjectCheck.h"
#include "projectcheck/ReportFormat.h"

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

inline namespace zz {

// zuzududada-cli check [--app-dir DIR] [--json] PROJECT_DIR
// Prints the findings of the project check (text, or JSON with --json) on standard output.
// Exit status: 0 without errors (warnings allowed), 1 with errors, 2 for bad arguments.
int RunCheckCommand(const std::vector<std::string>& arguments);
constexpr const char* kCheckUsage = "[--app-dir DIR] [--json] PROJECT_DIR";
constexpr const char* kCheckSummary =
    "Checks the project's documents as they are on disk before they reach a device.";

// zuzududada-cli map [--app-dir DIR] [--json] [--svg FILE] PROJECT_DIR
// Prints where every CAN byte lands on DeviceNet, one line per DeviceNet byte (or JSON), or
// writes the picture of the byte map as SVG. Exit status: 0 on success, 1 when a document
// could not be read or the picture not written, 2 for bad arguments.
int RunMapCommand(const std::vector<std::string>& arguments);
constexpr const char* kMapUsage = "[--app-dir DIR] [--json] [--svg FILE] PROJECT_DIR";
constexpr const char* kMapSummary = "Shows which CAN byte feeds each DeviceNet input and output byte.";

namespace {

namespace fs = std::filesystem;

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
    "is suspicious but may be meant.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory; PROJECT_DIR may then name a project in\n"
    "                  DIR/PROJECTS (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "  --json          print the findings as a JSON list of objects (severity, rule, document,\n"
    "                  row, field, message)\n"
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
    "  --svg FILE      write the picture of the map as an SVG file instead\n"
    "Exit status: 0 on success, 1 when a document could not be read or the picture not written,\n"
    "2 for wrong arguments.\n";

struct Arguments {
    std::optional<std::string> appDir;
    std::optional<std::string> svg;
    std::optional<std::string> projectDir;
    bool json = false;
    bool help = false;
};

// Parses the arguments; a message for the first wrong one.
std::optional<std::string> Parse(const std::vector<std::string>& arguments, bool withSvg, Arguments& into)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            into.help = true;
        } else if (a == "--json") {
            into.json = true;
        } else if (a == "--app-dir" || (withSvg && a == "--svg")) {
            if (i + 1 == arguments.size()) return a + " needs a value";
            (a == "--app-dir" ? into.appDir : into.svg) = arguments[++i];
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option '" + a + "'";
        } else if (into.projectDir) {
            return "only one PROJECT_DIR may be given";
        } else {
            into.projectDir = a;
        }
    }
    if (!into.help && !into.projectDir) return std::string("PROJECT_DIR is missing");
    return std::nullopt;
}

// The project directory: PROJECT_DIR itself, or a project of that name in APP_DIR/PROJECTS.
std::optional<std::string> ProjectDirectory(const Arguments& arguments)
{
    std::error_code error;
    if (fs::is_directory(*arguments.projectDir, error)) return *arguments.projectDir;
    const std::string appDir = arguments.appDir ? *arguments.appDir : CommandAppDirectory();
    const fs::path inProjects = fs::path(appDir) / "PROJECTS" / *arguments.projectDir;
    if (fs::path(*arguments.projectDir).is_relative() && fs::is_directory(inProjects, error)) return inProjects.string();
    return std::nullopt;
}

} // namespace

int RunCheckCommand(const std::vector<std::string>& arguments)
{
    Arguments parsed;
    if (const auto problem = Parse(arguments, false, parsed)) return UsageError("check", kCheckUsage, *problem);
    if (parsed.help) {
        std::cout << "Usage: zuzududada-cli check " << kCheckUsage << '\n' << kCheckHelp;
        return 0;
    }
    const std::optional<std::string> projectDir = ProjectDirectory(parsed);
    if (!projectDir) return UsageError("check", kCheckUsage, "'" + *parsed.projectDir + "' is not a project directory");
    const std::vector<Finding> findings = CheckProject(LoadGatewayProject(ProjectLayout::Of(*projectDir)));
    std::cout << (parsed.json ? FindingsJson(findings) : FindingsText(findings));
    return CountFindings(findings).Errors > 0 ? 1 : 0;
}

int RunMapCommand(const std::vector<std::string>& arguments)
{
    Arguments parsed;
    if (const auto problem = Parse(arguments, true, parsed)) return UsageError("map", kMapUsage, *problem);
    if (parsed.help) {
        std::cout << "Usage: zuzududada-cli map " << kMapUsage << '\n' << kMapHelp;
        return 0;
    }
    const std::optional<std::string> projectDir = ProjectDirectory(parsed);
    if (!projectDir) return UsageError("map", kMapUsage, "'" + *parsed.projectDir + "' is not a project directory");
    const ByteMap map = BuildByteMap(LoadGatewayProject(ProjectLayout::Of(*projectDir)));
    int status = 0;
    for (const ByteMapSide* side : {&map.Input, &map.Output})
        if (!side->Problem.empty()) {
            std::cerr << side->Problem << '\n';
            status = 1;
        }
    if (parsed.svg) {
        // Text in the picture needs the font machinery of a GUI application, without a screen.
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "zuzududada-cli";
        static char* argv[] = {name, nullptr};
        QGuiApplication application(argc, argv);
        std::string why;
        if (!WriteByteMapSvg(map, *parsed.svg, why)) {
            std::cerr << why << '\n';
            return 1;
        }
        if (parsed.json) std::cout << ByteMapJson(map);
        return status;
    }
    std::cout << (parsed.json ? ByteMapJson(map) : ByteMapText(map));
    return status;
}

const CliCommand kCheckCommand{"check", kCheckUsage, kCheckSummary, RunCheckCommand};
const CliCommand kMapCommand{"map", kMapUsage, kMapSummary, RunMapCommand};

} // namespace zz
