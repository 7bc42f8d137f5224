#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"
#include "canbus/DbcExport.h"
#include "canbus/DbcImport.h"
#include "canbus/DbcReader.h"
#include "common/FileSystem.h"

#include <iostream>

inline namespace zz {

// zuzududada-cli dbc export [--app-dir DIR] PROJECT_DIR FILE
// zuzududada-cli dbc import [--app-dir DIR] PROJECT_DIR FILE [--node NAME | --side receive|send]
//                           [--map] [--frames LIST] [--replace]

namespace {

constexpr const char* kCommand = "dbc";

constexpr const char* kDbcHelp =
    "export writes the project's receive and send frame tables as a DBC file: the gateway is\n"
    "the node \"Gateway\", every other node \"CanBus\"; one frame per table row, its length the\n"
    "row's Dim, extended when the project uses 29-bit identifiers, and one 8-bit signal per\n"
    "mapped CAN byte. Attributes keep the rest, so that importing the file restores the tables.\n"
    "import puts the frames of a DBC file into the frame tables and their byte mappings, both\n"
    "written together; a refused import changes nothing. A file exported by this program\n"
    "restores its tables as they were; any other file needs --node or --side.\n"
    "Options:\n"
    "  --app-dir DIR       the application directory; PROJECT_DIR may then name a project in\n"
    "                      DIR/PROJECTS (default: the directory of this program; for an\n"
    "                      installed program ~/.local/share/zuzududada)\n"
    "  --node NAME         the gateway is node NAME: the frames it transmits go into the send\n"
    "                      table, those it receives into the receive table\n"
    "  --side receive|send every frame goes into that table\n"
    "  --map               map every byte a signal covers to the next free DeviceNet byte of the\n"
    "                      side's area (Net_In, Net_Out) while there is one; else none (255)\n"
    "  --frames LIST       import only these identifiers (\"0x181,0x281\"); needed when a table\n"
    "                      would get more than 127 frames\n"
    "  --replace           replace frame tables that are not empty\n"
    "Frames whose identifier length differs from the project's CAN_Type are skipped. A summary\n"
    "goes to standard error. Exit status: 0 when the file or the tables were written, 1 when\n"
    "not, 2 for wrong arguments.\n";

int RunExport(const GatewayProject& project, const std::string& file)
{
    const DbcExport exported = ExportDbc(project);
    WriteFileAtomically(file, exported.Text);
    CommandMessage(kCommand, "exported " + std::to_string(exported.ReceiveFrames) + " receive and " +
                                 std::to_string(exported.SendFrames) + " send frames, " +
                                 std::to_string(exported.Signals) + " mapped bytes as signals");
    return 0;
}

int RunImport(const CommandArguments& args, const GatewayProject& project, const std::string& file)
{
    DbcImportOptions options;
    options.Node = args.Value("--node");
    if (const auto side = args.Value("--side")) {
        if (*side != "receive" && *side != "send") return kDbcCommand.UsageError("--side is receive or send");
        options.Side = *side == "receive" ? GatewaySide::Receive : GatewaySide::Send;
    }
    if (options.Node && options.Side) return kDbcCommand.UsageError("--node and --side exclude each other");
    options.Map = args.Has("--map");
    if (const auto frames = args.Value("--frames")) {
        options.Frames = ParseFrameList(*frames);
        if (!options.Frames) return kDbcCommand.UsageError("--frames takes identifiers separated by commas");
    }
    const DbcImportPlan plan = PlanDbcImport(ReadDbcFile(file), project, options);
    if (plan.ReplacesAny() && !args.Has("--replace")) {
        for (const GatewaySide side : kGatewaySides)
            if (plan.Of(side).ReplacesFrames)
                CommandMessage(kCommand, std::string("the ") + (side == GatewaySide::Receive ? "receive" : "send") +
                                             " frame table is not empty; --replace replaces it");
        CommandMessage(kCommand, "nothing was imported");
        return 1;
    }
    WriteDbcImport(project, plan);
    for (const std::string& line : DbcImportSummary(plan)) CommandMessage(kCommand, line);
    return 0;
}

int RunDbc(const CommandArguments& args)
{
    if (args.Operands.size() != 3 || (args.Operands[0] != "export" && args.Operands[0] != "import"))
        return kDbcCommand.UsageError("export or import is needed, then PROJECT_DIR and FILE");
    const bool exporting = args.Operands[0] == "export";
    if (exporting && (args.Value("--node") || args.Value("--side") || args.Value("--frames") || args.Has("--map") ||
                      args.Has("--replace")))
        return kDbcCommand.UsageError("export takes no options but --app-dir");
    const std::optional<std::string> projectDir =
        ProjectDirectoryArgument(kCommand, args.Value("--app-dir"), args.Operands[1]);
    if (!projectDir) return 1;
    const GatewayProject project = LoadGatewayProject(ProjectLayout::Of(*projectDir));
    return exporting ? RunExport(project, args.Operands[2]) : RunImport(args, project, args.Operands[2]);
}

} // namespace

const CliCommand kDbcCommand{
    .Name = kCommand,
    .Usage = "export|import [--app-dir DIR] PROJECT_DIR FILE [--node NAME | --side receive|send] [--map] "
             "[--frames LIST] [--replace]",
    .Summary = "Writes the frame tables as a DBC file, or fills them from one.",
    .Help = kDbcHelp,
    .Options = {.Flags = {"--map", "--replace"}, .Values = {"--app-dir", "--node", "--side", "--frames"}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunDbc,
};

} // namespace zz
