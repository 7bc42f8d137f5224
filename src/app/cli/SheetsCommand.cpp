#include "app/cli/Commands.h"
#include "app/cli/JsonText.h"
#include "common/AsciiText.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "editors/canopen/workbook/Workbook.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <iostream>
#include <optional>

inline namespace zz {

// zuzududada-cli sheets [--json] [--all] WORKBOOK [SHEET...]

namespace {

constexpr const char* kCommand = "sheets";

constexpr const char* kSheetsHelp =
    "Lists the sheets of WORKBOOK (.xls, .xlsx, .ods, or a CSV file as Export writes it), one\n"
    "name a line, then shows each named SHEET (every sheet with --all) as the import reads it: its\n"
    "title row (row 1) and the rows below it, each line the row's number and its cells, separated\n"
    "by tabs. A SHEET is found by its name or, as the import finds a table's sheet, by its\n"
    "lower-case name. A sheet that cannot be read says why. In a large sparse sheet (a note far\n"
    "below a table) a row ends at its last cell holding text.\n"
    "Options:\n"
    "  --all    show every sheet\n"
    "  --json   print one JSON document instead: {\"workbook\", \"names\", \"sheets\": [{\"name\",\n"
    "           \"columns\", \"title\", \"rows\"} or {\"name\", \"error\"}]}, or {\"workbook\", \"error\"}\n"
    "           when the file cannot be opened; rows are lists of cell texts\n"
    "Messages go to standard error. Exit status: 0 when the workbook and every sheet asked for\n"
    "were read, 1 when one was not, 2 for wrong arguments.\n";

// The sheet a SHEET argument names: its exact name first, then the import's rule.
std::optional<std::string> FindSheet(const std::vector<std::string>& names, const std::string& wanted)
{
    if (std::find(names.begin(), names.end(), wanted) != names.end()) return wanted;
    return TableSheetName(names, AsciiLower(wanted));
}

struct ShownSheet {
    std::string name;
    std::optional<Sheet> sheet;
    std::string error;
};

void PrintCells(std::ostream& out, size_t number, const std::vector<std::string>& cells)
{
    out << number;
    for (const std::string& cell : cells) out << '\t' << cell;
    out << '\n';
}

void PrintText(const std::vector<std::string>& names, const std::vector<ShownSheet>& shown)
{
    for (const std::string& name : names) std::cout << name << '\n';
    for (const ShownSheet& s : shown) {
        std::cout << "\n== " << s.name;
        if (!s.sheet) {
            std::cout << ": cannot be read: " << s.error << '\n';
            continue;
        }
        std::cout << " (" << s.sheet->columnCount << " columns, " << s.sheet->rows.size()
                  << " rows below the title row)\n";
        PrintCells(std::cout, 1, s.sheet->titleRow);
        for (size_t i = 0; i < s.sheet->rows.size(); ++i) PrintCells(std::cout, i + 2, s.sheet->rows[i]);
    }
}

// Every member on a line of its own, one blank a level.
void PrintJson(const nlohmann::ordered_json& document)
{
    std::cout << JsonText(document, INT_MAX, 1) << '\n';
}

void PrintSheetsJson(const std::string& workbook, const std::vector<std::string>& names,
                     const std::vector<ShownSheet>& shown)
{
    nlohmann::ordered_json document;
    document["workbook"] = workbook;
    document["names"] = names;
    document["sheets"] = nlohmann::ordered_json::array();
    for (const ShownSheet& s : shown) {
        nlohmann::ordered_json entry;
        entry["name"] = s.name;
        if (s.sheet) {
            entry["columns"] = s.sheet->columnCount;
            entry["title"] = s.sheet->titleRow;
            entry["rows"] = s.sheet->rows;
        } else {
            entry["error"] = s.error;
        }
        document["sheets"].push_back(std::move(entry));
    }
    PrintJson(document);
}

int RunSheets(const CommandArguments& args)
{
    if (args.Operands.empty()) return kSheetsCommand.UsageError("WORKBOOK is missing");
    const bool json = args.Has("--json");
    const std::string& path = args.Operands[0];

    std::unique_ptr<Workbook> workbook;
    std::vector<std::string> names;
    try {
        workbook = OpenWorkbook(path);
        names = workbook->SheetNames();
    } catch (const std::exception& failure) {
        CommandMessage(kCommand, failure.what());
        if (json) PrintJson({{"workbook", path}, {"error", failure.what()}});
        return 1;
    }

    std::vector<std::string> wanted;
    if (args.Has("--all")) wanted = names;
    wanted.insert(wanted.end(), args.Operands.begin() + 1, args.Operands.end());
    std::vector<ShownSheet> shown;
    bool allRead = true;
    for (const std::string& argument : wanted) {
        ShownSheet s{argument, std::nullopt, {}};
        if (const std::optional<std::string> name = FindSheet(names, argument)) {
            s.name = *name;
            try {
                s.sheet = workbook->ReadSheet(*name);
            } catch (const std::exception& failure) {
                s.error = failure.what();
            }
        } else {
            s.error = "the workbook has no sheet named '" + argument + "'";
        }
        if (!s.sheet) {
            allRead = false;
            CommandMessage(kCommand, "sheet '" + s.name + "': " + s.error);
        }
        shown.push_back(std::move(s));
    }
    if (json) PrintSheetsJson(path, names, shown);
    else PrintText(names, shown);
    return allRead ? 0 : 1;
}

} // namespace

const CliCommand kSheetsCommand{
    .Name = "sheets",
    .Usage = "[--json] [--all] WORKBOOK [SHEET...]",
    .Summary = "Lists a workbook's sheets and shows the named ones as the import reads them.",
    .Help = kSheetsHelp,
    .Options = {.Flags = {"--json", "--all"}, .Values = {}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunSheets,
};

} // namespace zz
