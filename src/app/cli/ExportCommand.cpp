#include "app/cli/Commands.h"
#include "common/FileSystem.h"
#include "editors/canopen/tables/TableTransfer.h"
#include "app/cli/CommandArguments.h"

#include <exception>
#include <iostream>

inline namespace zz {

// zuzududada-cli export [--app-dir DIR] PROJECT_DIR TABLE [FILE]
int RunExportCommand(const std::vector<std::string>& arguments);
constexpr const char* kExportUsage = "[--app-dir DIR] PROJECT_DIR TABLE [FILE]";
constexpr const char* kExportSummary =
    "Writes a CANopen table's CSV export, as its window's Export does (default PROJECT_DIR/TABLE.csv).";

namespace {

constexpr const char* kCommand = "export";

constexpr const char* kExportHelp =
    "Writes what a CANopen window's \"Export\" writes right after the window is shown: the\n"
    "table's document in PROJECT_DIR read as the window reads it, written as CSV lines (every\n"
    "value followed by a comma, CR LF line ends, code page 1252).\n"
    "TABLE is one of sdo, rpdodef, sdopdo, emcydef, emcyword; FILE is PROJECT_DIR/TABLE.csv\n"
    "unless given. A missing document exports the empty table, as the window does; a document\n"
    "that cannot be read to its end exports nothing.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "Messages go to standard error. Exit status: 0 when the file was written, 1 when it was not,\n"
    "2 for wrong arguments.\n";

} // namespace

int RunExportCommand(const std::vector<std::string>& arguments)
{
    const CommandArguments args = SplitArguments(arguments, {}, true);
    if (!args.problem.empty()) return UsageError(kCommand, kExportUsage, args.problem);
    if (args.help) {
        std::cout << "Usage: zuzududada-cli export " << kExportUsage << '\n' << kExportHelp;
        return 0;
    }
    if (args.operands.size() < 2 || args.operands.size() > 3)
        return UsageError(kCommand, kExportUsage, "PROJECT_DIR and TABLE are needed, and at most a FILE after them");
    const std::string& projectDir = args.operands[0];
    const std::string& table = args.operands[1];
    if (!IsCanopenTable(table))
        return UsageError(kCommand, kExportUsage,
                          "'" + table + "' is no table; the tables are sdo, rpdodef, sdopdo, emcydef, emcyword");
    if (!DirectoryExists(projectDir)) {
        CommandMessage(kCommand, "'" + projectDir + "' is no project directory");
        return 1;
    }
    const ProjectContext project = CommandProjectContext(args.appDir, projectDir);
    const std::string file = args.operands.size() == 3 ? args.operands[2] : project.ProjectDir + "/" + table + ".csv";
    try {
        const TableExport exported = ExportTable(project, table);
        if (!exported.readWhole) {
            CommandMessage(kCommand, "the table's document could not be read to its end; nothing was written");
            return 1;
        }
        WriteFileAtomically(file, exported.csv);
    } catch (const std::exception& failure) {
        CommandMessage(kCommand, failure.what());
        return 1;
    }
    return 0;
}

const CliCommand kExportCommand{"export", kExportUsage, kExportSummary, RunExportCommand};

} // namespace zz
