#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"
#include "common/FileSystem.h"
#include "editors/canopen/tables/TableTransfer.h"

inline namespace zz {

// zuzududada-cli export [--app-dir DIR] PROJECT_DIR TABLE [FILE]

namespace {

constexpr const char* kCommand = "export";

constexpr const char* kExportHelp =
    "Writes what a CANopen window's \"Export\" writes right after the window is shown: the\n"
    "table's document in PROJECT_DIR read as the window reads it, written as CSV lines (every\n"
    "value followed by a comma, CR LF line ends, code page 1252).\n"
    "TABLE is one of sdo, rpdodef, sdopdo, emcydef, emcyword; FILE is PROJECT_DIR/TABLE.csv\n"
    "unless given. A FILE given that is a symbolic link is written through, as cp writes; a\n"
    "link at the default place is replaced by the file. A missing document exports the empty\n"
    "table, as the window does; a document that cannot be read to its end exports nothing.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory; PROJECT_DIR may then name a project in\n"
    "                  DIR/PROJECTS (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "Messages go to standard error. Exit status: 0 when the file was written, 1 when it was not,\n"
    "2 for wrong arguments.\n";

int RunExport(const CommandArguments& args)
{
    if (args.Operands.size() < 2 || args.Operands.size() > 3)
        return kExportCommand.UsageError("PROJECT_DIR and TABLE are needed, and at most a FILE after them");
    const std::string& table = args.Operands[1];
    if (!IsCanopenTable(table))
        return kExportCommand.UsageError("'" + table +
                                         "' is no table; the tables are sdo, rpdodef, sdopdo, emcydef, emcyword");
    const auto appDir = args.Value("--app-dir");
    const std::optional<std::string> projectDir = ProjectDirectoryArgument(kCommand, appDir, args.Operands[0]);
    if (!projectDir) return 1;
    const ProjectContext project = CommandProjectContext(appDir, *projectDir);
    const bool named = args.Operands.size() == 3;
    const std::string file = named ? args.Operands[2] : project.ProjectDir + "/" + table + ".csv";
    const TableExport exported = ExportTable(project, table);
    if (!exported.ReadWhole) {
        CommandMessage(kCommand, "the table's document could not be read to its end; nothing was written");
        return 1;
    }
    // A FILE named by the user is written through a link as cp writes; a link at the default
    // place inside the project is replaced, never followed out of it.
    WriteFileAtomically(file, exported.Csv, {.ThroughLinks = named});
    return 0;
}

} // namespace

const CliCommand kExportCommand{
    .Name = kCommand,
    .Usage = "[--app-dir DIR] PROJECT_DIR TABLE [FILE]",
    .Summary = "Writes a CANopen table's CSV export, as its window's Export does (default PROJECT_DIR/TABLE.csv).",
    .Help = kExportHelp,
    .Options = {.Flags = {}, .Values = {"--app-dir"}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunExport,
};

} // namespace zz
