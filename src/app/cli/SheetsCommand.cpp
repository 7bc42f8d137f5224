#include "app/cli/Commands.h"
#include "app/cli/JsonText.h"
#include "common/AsciiText.h"
#include "common/JsonStream.h"
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
    "were read, 1 when one was not, 2 for wrong arguments.\n"
    "Each sheet is printed as it is read, a CSV file's rows one by one as they come from the file.\n"
    "A CSV file is read within what a worksheet holds: at most 1048576 lines (empty lines at its\n"
    "end do not count), 16384 fields a line, and 1 MiB a line; a larger one is refused when it\n"
    "opens, the message naming the limit.\n";

// The sheet a SHEET argument names: its exact name first, then the import's rule.
std::optional<std::string> FindSheet(const std::vector<std::string>& names, const std::string& wanted)
{
    if (std::find(names.begin(), names.end(), wanted) != names.end()) return wanted;
    return TableSheetName(names, AsciiLower(wanted));
}

// Prints a workbook as it is read: the names first, then each sheet as soon as its head is
// read and its rows as they come, so that no more than a sheet (a row of a CSV file) is held.
class SheetPrinter {
public:
    virtual ~SheetPrinter() = default;
    virtual void Names(const std::vector<std::string>& names) = 0;
    virtual void Head(const std::string& name, const SheetHead& head) = 0;
    virtual void Row(const std::vector<std::string>& cells) = 0;
    // The sheet that was begun ends; `error` tells why early (a CSV file that changed).
    virtual void End(const std::string& error) = 0;
    // A sheet that cannot be read at all.
    virtual void Refused(const std::string& name, const std::string& error) = 0;
    virtual void Finish() = 0;
};

// The names a line, then per sheet its shape and its rows numbered as the spreadsheet numbers
// them, each line the number and the cells, separated by tabs.
class TextPrinter : public SheetPrinter {
public:
    void Names(const std::vector<std::string>& names) override
    {
        for (const std::string& name : names) std::cout << name << '\n';
    }
    void Head(const std::string& name, const SheetHead& head) override
    {
        std::cout << "\n== " << name << " (" << head.columnCount << " columns, " << head.rowCount
                  << " rows below the title row)\n";
        number_ = 1;
        Row(head.titleRow);
    }
    void Row(const std::vector<std::string>& cells) override
    {
        line_ = std::to_string(number_++);
        for (const std::string& cell : cells) (line_ += '\t') += cell;
        line_ += '\n';
        std::cout.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    }
    void End(const std::string& error) override
    {
        if (!error.empty()) std::cout << "== cannot be read to its end: " << error << '\n';
    }
    void Refused(const std::string& name, const std::string& error) override
    {
        std::cout << "\n== " << name << ": cannot be read: " << error << '\n';
    }
    void Finish() override {}

private:
    size_t number_ = 1;
    std::string line_;
};

// The document JsonText lays out with every member on a line of its own, one blank a level,
// written piece by piece.
class JsonPrinter : public SheetPrinter {
public:
    explicit JsonPrinter(const std::string& workbook)
        : workbook_(workbook)
    {
    }
    void Names(const std::vector<std::string>& names) override
    {
        json_.Open('{');
        json_.Key("workbook");
        json_.Text(workbook_);
        json_.Key("names");
        List(names);
        json_.Key("sheets");
        json_.Open('[');
    }
    void Head(const std::string& name, const SheetHead& head) override
    {
        BeginSheet(name);
        json_.Key("columns");
        json_.Value(head.columnCount);
        json_.Key("title");
        List(head.titleRow);
        json_.Key("rows");
        json_.Open('[');
    }
    void Row(const std::vector<std::string>& cells) override
    {
        json_.Next();
        List(cells);
    }
    void End(const std::string& error) override
    {
        json_.Close(']');
        if (!error.empty()) {
            json_.Key("error");
            json_.Text(error);
        }
        json_.Close('}');
    }
    void Refused(const std::string& name, const std::string& error) override
    {
        BeginSheet(name);
        json_.Key("error");
        json_.Text(error);
        json_.Close('}');
    }
    void Finish() override
    {
        json_.Close(']');
        json_.Close('}');
        json_.Flush();
        std::cout << '\n';
    }

private:
    void List(const std::vector<std::string>& texts)
    {
        json_.Open('[');
        for (const std::string& text : texts) {
            json_.Next();
            json_.Text(text);
        }
        json_.Close(']');
    }
    void BeginSheet(const std::string& name)
    {
        json_.Next();
        json_.Open('{');
        json_.Key("name");
        json_.Text(name);
    }

    const std::string& workbook_;
    JsonStream json_{std::cout, 1};
};

// Every member on a line of its own, one blank a level.
void PrintJson(const nlohmann::ordered_json& document)
{
    std::cout << JsonText(document, INT_MAX, 1) << '\n';
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
    TextPrinter text;
    JsonPrinter jsonPrinter(path);
    SheetPrinter& printer = json ? static_cast<SheetPrinter&>(jsonPrinter) : text;
    printer.Names(names);
    bool allRead = true;
    for (const std::string& argument : wanted) {
        std::string shown = argument, error;
        bool begun = false;
        if (const std::optional<std::string> name = FindSheet(names, argument)) {
            shown = *name;
            try {
                workbook->ReadSheetRows(
                    *name,
                    [&](const SheetHead& head) {
                        printer.Head(shown, head);
                        begun = true;
                        return true;
                    },
                    [&](const std::vector<std::string>& row) { printer.Row(row); });
            } catch (const std::exception& failure) {
                error = failure.what();
            }
        } else {
            error = "the workbook has no sheet named '" + argument + "'";
        }
        if (begun) printer.End(error);
        else printer.Refused(shown, error);
        if (!error.empty()) {
            allRead = false;
            CommandMessage(kCommand, "sheet '" + shown + "': " + error);
        }
    }
    printer.Finish();
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
