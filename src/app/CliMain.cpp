// zuzududada-cli: the command line front end. It runs the same modules as the windows, prints
// the messages the windows would show on standard error, and exits with 0 only on success.
#include "app/cli/Commands.h"
#include "common/MessageSink.h"

#include <cstring>
#include <iostream>
#include <iterator>

// Each sub-system adds its commands here, in the order the help lists them.
static const CliCommand* const kCommands[] = {
    &kBuildCommand,  &kCheckCommand,  &kMapCommand,    &kEdsCommand,     &kVerifyCommand, &kDecodeCommand,
    &kImportCommand, &kExportCommand, &kSheetsCommand, &kXmlTreeCommand, &kDbcCommand,    &kReplayCommand,
};

static void PrintHelp(std::ostream& out)
{
    out << "zuzududada-cli: builds and verifies the gateway firmware of a project, checks a project,\n"
           "maps its DeviceNet bytes and writes its EDS file, moves the CANopen tables between\n"
           "workbooks, documents and CSV files, and inspects XML files, without windows. Messages go\n"
           "to standard error; the exit status is 0 on success.\n\n"
           "Usage: zuzududada-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const CliCommand* c : kCommands) out << "  " << c->Name << ' ' << c->Usage << "\n      " << c->Summary << '\n';
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
    for (const CliCommand* c : kCommands) {
        if (!std::strcmp(argv[1], c->Name)) return c->Run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::cerr << "zuzududada-cli: unknown command '" << argv[1] << "'; see zuzududada-cli --help\n";
    return 2;
}
