#pragma once
#include "app/cli/CommandArguments.h"

#include <string>
#include <vector>

inline namespace zz {

// How a command says the failure that ends it.
enum class FailureVoice {
    MessageSink, // the message sink's application error, as the firmware commands say theirs
    Prefixed,    // "zuzududada-cli COMMAND: TEXT", as the table and check commands say theirs
};

// A sub-command of the command line front end zuzududada-cli. Each lives in a file of its own
// in this folder, which tells in detail what it does.
struct CliCommand {
    const char* Name;    // the word after zuzududada-cli
    const char* Usage;   // one line: the arguments it takes
    const char* Summary; // one line: what it does
    const char* Help;    // what COMMAND --help prints below the usage line
    CommandOptions Options;
    FailureVoice Voice;
    // The command's work on its split arguments; returns the exit status: 0 on success, 1 on
    // failure, 2 for bad arguments. Messages go to standard error.
    int (*Body)(const CommandArguments& arguments);

    // Splits the arguments, answers --help and a wrong option, and runs the body behind the
    // command line's one error boundary: an exception escaping it is said in the command's
    // voice and ends the command with 1.
    int Run(const std::vector<std::string>& arguments) const;
    // Prints "zuzududada-cli NAME: PROBLEM", the usage and where help is; returns 2.
    int UsageError(const std::string& problem) const;
};

extern const CliCommand kBuildCommand;   // the firmware of a project, as "Up date Device" builds it
extern const CliCommand kCheckCommand;   // the project check
extern const CliCommand kMapCommand;     // the DeviceNet byte map
extern const CliCommand kEdsCommand;     // the EDS file for the DeviceNet scanner
extern const CliCommand kVerifyCommand;  // a firmware against the project
extern const CliCommand kDecodeCommand;  // the configuration held in a firmware
extern const CliCommand kImportCommand;  // a CANopen table from a workbook
extern const CliCommand kExportCommand;  // a CANopen table's CSV export
extern const CliCommand kSheetsCommand;  // a workbook's sheets as the import reads them
extern const CliCommand kXmlTreeCommand; // an XML file's tree as the XML window shows it
extern const CliCommand kDbcCommand;     // the frame tables as a DBC file and back
extern const CliCommand kReplayCommand;  // a CAN log through the configuration

} // namespace zz
