#pragma once
#include "common/ProjectContext.h"

#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// What the table commands share: their arguments split into options and operands, and the
// project context they run in.
struct CommandArguments {
    std::vector<std::string> operands;
    std::vector<std::string> flags; // options without a value, as given ("--partial")
    std::optional<std::string> appDir;
    bool help = false;
    std::string problem; // set when the arguments cannot be understood
};

// Splits the arguments; `knownFlags` are the options without a value that the command takes
// besides --app-dir DIR (when `takesAppDir`) and --help.
CommandArguments SplitArguments(const std::vector<std::string>& arguments, const std::vector<std::string>& knownFlags,
                                bool takesAppDir);
bool HasFlag(const CommandArguments& arguments, const std::string& flag);

// Prints "zuzududada-cli COMMAND: PROBLEM", the usage and where help is; returns 2.
int UsageError(const std::string& command, const std::string& usage, const std::string& problem);
// Prints "zuzududada-cli COMMAND: TEXT" on standard error.
void CommandMessage(const std::string& command, const std::string& text);

} // namespace zz
