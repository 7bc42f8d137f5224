#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"
#include "common/FileSystem.h"
#include "editors/canopen/tables/TableTransfer.h"

#include <exception>
#include <filesystem>
#include <iostream>

inline namespace zz {

// zuzududada-cli import [--app-dir DIR] PROJECT_DIR TABLE WORKBOOK [--partial]

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
    "The rows are read one at a time, a CSV file's from the file itself. The tables that grow\n"
    "with every row (sdopdo, emcydef, emcyword) take a sheet of at most 8192 rows and 8 MiB of\n"
    "text; a larger one is refused before any row is read. A CSV file may have 1048576 lines of\n"
    "16384 fields and 1 MiB each, as sheets --help tells.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory; PROJECT_DIR may then name a project in\n"
    "                  DIR/PROJECTS (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "  --partial       save what was read when the import stops early\n"
    "Messages go to standard error. Exit status: 0 when the document was written, 1 when it was\n"
    "not, 2 for wrong arguments.\n";

int RunImport(const CommandArguments& args)
{
    if (args.Operands.size() != 3)
        return kImportCommand.UsageError("PROJECT_DIR, TABLE and WORKBOOK are needed, and nothing more");
    const std::string& table = args.Operands[1];
    const std::string& workbook = args.Operands[2];
    if (!IsCanopenTable(table))
        return kImportCommand.UsageError("'" + table +
                                         "' is no table; the tables are sdo, rpdodef, sdopdo, emcydef, emcyword");
    const auto appDir = args.Value("--app-dir");
    const std::optional<std::string> projectDir = ProjectDirectoryArgument(kCommand, appDir, args.Operands[0]);
    if (!projectDir) return 1;
    // Only a missing path is told here; what is not a regular file the reader refuses.
    std::error_code error;
    if (!std::filesystem::exists(workbook, error)) {
        CommandMessage(kCommand, "'" + workbook + "' does not exist");
        return 1;
    }

    const ProjectContext project = CommandProjectContext(appDir, *projectDir);
    TableImportReport report;
    try {
        report = ImportTable(project, table, workbook, args.Has("--partial"));
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
        CommandMessage(kCommand,
                       where + ": " + outcome.problem +
                           (report.writtenPath.empty() ? "; nothing was written (--partial saves the rows read before)"
                                                       : "; the rows read before were saved"));
    }
    if (report.writtenPath.empty()) return 1;
    std::cout << "Wrote " << report.writtenPath << '\n';
    return 0;
}

} // namespace

const CliCommand kImportCommand{
    .Name = kCommand,
    .Usage = "[--app-dir DIR] PROJECT_DIR TABLE WORKBOOK [--partial]",
    .Summary = "Imports a CANopen table (sdo, rpdodef, sdopdo, emcydef, emcyword) from a workbook and saves its "
               "document.",
    .Help = kImportHelp,
    .Options = {.Flags = {"--partial"}, .Values = {"--app-dir"}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunImport,
};

} // namespace zz
