#include "app/cli/Commands.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "editors/canopen/tables/TableTransfer.h"
#include "app/cli/CommandArguments.h"

#include <exception>
#include <iostream>

inline namespace zz {

// zuzududada-cli import [--app-dir DIR] PROJECT_DIR TABLE WORKBOOK [--partial]
int RunImportCommand(const std::vector<std::string>& arguments);
constexpr const char* kImportUsage = "[--app-dir DIR] PROJECT_DIR TABLE WORKBOOK [--partial]";
constexpr const char* kImportSummary =
    "Imports a CANopen table (sdo, rpdodef, sdopdo, emcydef, emcyword) from a workbook and saves its document.";

namespace {

constexpr const char* kCommand = "import";

constexpr const char* kImportHelp =
    "Does what a CANopen window's \"Import\" followed by its \"OK\" does, without the window:\n"
    "  1. finds the sheet of WORKBOOK (.xls, .xlsx, .ods, or a CSV file as Export writes it) whose\n"
    "     lower-case name is TABLE, and reads the rows below its title row into an empty table,\n"
    "     routed to CAN A or CAN B and coded as the window does;\n"
    "  2. saves the table's document in PROJECT_DIR: sdo.xml (the document \"Define Store PDO\"\n"
    "     reads), rpdodef.xml, sdopdo.xml, emcydef.xml or emcyword.xml.\n"
    "TABLE is one of sdo, rpdodef, sdopdo, emcydef, emcyword. The sdopdo rows go to the PDOs of\n"
    "PROJECT_DIR/rpdodef.xml by their number; a row naming a PDO that does not exist is skipped.\n"
    "It prints what was read, as in \"12 rows to CAN A, 3 to CAN B, 1 skipped: row 7, PDO 4 does\n"
    "not exist\" (rows numbered as the spreadsheet numbers them, the title row being 1).\n"
    "Nothing is written when the workbook has no such sheet, or when the import stops at a row\n"
    "it cannot read (a routing value that is no number), unless --partial is given: then the\n"
    "rows read before that row are saved.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "  --partial       save what was read when the import stops early\n"
    "Messages go to standard error. Exit status: 0 when the document was written, 1 when it was\n"
    "not, 2 for wrong arguments.\n";

} // namespace

int RunImportCommand(const std::vector<std::string>& arguments)
{
    const CommandArguments args = SplitArguments(arguments, {"--partial"}, true);
    if (!args.problem.empty()) return UsageError(kCommand, kImportUsage, args.problem);
    if (args.help) {
        std::cout << "Usage: zuzududada-cli import " << kImportUsage << '\n' << kImportHelp;
        return 0;
    }
    if (args.operands.size() != 3)
        return UsageError(kCommand, kImportUsage, "PROJECT_DIR, TABLE and WORKBOOK are needed, and nothing more");
    const std::string& projectDir = args.operands[0];
    const std::string& table = args.operands[1];
    const std::string& workbook = args.operands[2];
    if (!IsCanopenTable(table))
        return UsageError(kCommand, kImportUsage,
                          "'" + table + "' is no table; the tables are sdo, rpdodef, sdopdo, emcydef, emcyword");
    if (!DirectoryExists(projectDir)) {
        CommandMessage(kCommand, "'" + projectDir + "' is no project directory");
        return 1;
    }
    if (!FileExists(workbook)) {
        CommandMessage(kCommand, "'" + workbook + "' does not exist");
        return 1;
    }

    const ProjectContext project = CommandProjectContext(args.appDir, projectDir);
    TableImportReport report;
    try {
        report = ImportTable(project, table, workbook, HasFlag(args, "--partial"));
    } catch (const std::exception& failure) {
        CommandMessage(kCommand, std::string(failure.what()) + "; nothing was written");
        return 1;
    }
    const SheetImportOutcome& outcome = report.outcome;
    if (!outcome.sheetFound) {
        CommandMessage(kCommand, outcome.problem + "; nothing was written");
        return 1;
    }
    std::cout << report.Summary() << '\n';
    if (!outcome.problem.empty()) {
        std::string where = outcome.stoppedAtRow ? "the import stopped at row " + std::to_string(*outcome.stoppedAtRow)
                                                 : std::string("the import stopped");
        CommandMessage(kCommand, where + ": " + outcome.problem +
                                     (report.writtenPath.empty()
                                          ? "; nothing was written (--partial saves the rows read before)"
                                          : "; the rows read before were saved"));
    }
    if (report.writtenPath.empty()) return 1;
    std::cout << "Wrote " << report.writtenPath << '\n';
    return 0;
}

const CliCommand kImportCommand{"import", kImportUsage, kImportSummary, RunImportCommand};

} // namespace zz
