#pragma once
#include <string>
#include <vector>

inline namespace zz {

// A sub-command of the command line front end zuzududada-cli. Each lives in a file of its own
// in this folder, which tells in detail what it does.
struct CliCommand {
    const char* name;    // the word after zuzududada-cli
    const char* usage;   // one line: the arguments it takes
    const char* summary; // one line: what it does
    // Runs with the arguments after the command's name and returns the exit status: 0 on
    // success, 1 on failure, 2 for bad arguments. Messages go to standard error.
    int (*run)(const std::vector<std::string>& arguments);
};

extern const CliCommand kBuildCommand;   // the firmware of a project, as "Up date Device" builds it
extern const CliCommand kCheckCommand;   // the project check
extern const CliCommand kMapCommand;     // the DeviceNet byte map
extern const CliCommand kVerifyCommand;  // a firmware against the project
extern const CliCommand kDecodeCommand;  // the configuration held in a firmware
extern const CliCommand kImportCommand;  // a CANopen table from a workbook
extern const CliCommand kExportCommand;  // a CANopen table's CSV export
extern const CliCommand kSheetsCommand;  // a workbook's sheets as the import reads them
extern const CliCommand kXmlTreeCommand; // an XML file's tree as the XML window shows it

} // namespace zz
