// zuzududada-cli: the command line front end. It runs the same modules as the windows, prints
// the messages the windows would show on standard error, and exits with 0 only on success.
#include "app/CliCommand.h"
#include "app/FirmwareCommands.h"
#include "app/cli/BuildCommand.h"
#include "common/MessageSink.h"
#include "app/cli/ProjectCheckCommands.h"
#include "app/cli/TableCommands.h"
#include "app/cli/XmlTreeCommand.h"

#include <cstring>
#include <iostream>
#include <iterator>

// Each sub-system adds its commands here.
static const CliCommand kCommands[] = {
    {"build", kBuildUsage, kBuildSummary, RunBuildCommand},
    {"check", kCheckUsage, kCheckSummary, RunCheckCommand},
    {"map", kMapUsage, kMapSummary, RunMapCommand},
    {"verify", kVerifyUsage, kVerifySummary, RunVerifyCommand},
    {"decode", kDecodeUsage, kDecodeSummary, RunDecodeCommand},
    {"import", kImportUsage, kImportSummary, RunImportCommand},
    {"export", kExportUsage, kExportSummary, RunExportCommand},
    {"sheets", kSheetsUsage, kSheetsSummary, RunSheetsCommand},
    {"xml-tree", "FILE", "Prints the tree of an XML file as the XML window shows it.", RunXmlTreeCommand},
};

static void PrintHelp(std::ostream& out)
{
    out << "zuzududada-cli: builds and verifies the gateway firmware of a project, checks a project\n"
           "and maps its DeviceNet bytes, moves the CANopen tables between workbooks, documents and\n"
           "CSV files, and inspects XML files, without windows. Messages go to standard error; the\n"
           "exit status is 0 on success.\n\n"
           "Usage: zuzududada-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const CliCommand& c : kCommands) {
        if (!c.name) continue;
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
    }
    out << "  help\n      Shows this text.\n";
}

int main(int argc, char** argv)
{
    PrintingSink printer;
    ScopedMessageSink scope(printer);
    if (argc < 2 || !std::strcmp(argv[1], "help") || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        PrintHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    for (const CliCommand& c : kCommands) {
        if (c.name && !std::strcmp(argv[1], c.name)) return c.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::cerr << "zuzududada-cli: unknown command '" << argv[1] << "'; see zuzududada-cli --help\n";
    return 2;
}
