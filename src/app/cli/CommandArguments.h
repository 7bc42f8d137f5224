#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// The options a command takes besides --help.
struct CommandOptions {
    std::vector<std::string> Flags;  // without a value ("--json")
    std::vector<std::string> Values; // followed by their value ("--app-dir DIR")
};

// A command's arguments split into options and operands.
struct CommandArguments {
    std::vector<std::string> Operands;
    std::vector<std::string> Flags;            // as given
    std::map<std::string, std::string> Values; // by option; the last one given counts
    bool Help = false;
    std::string Problem; // the first argument that cannot be understood, said as a usage error

    bool Has(const std::string& flag) const;
    std::optional<std::string> Value(const std::string& option) const;
};

// Splits the arguments: options anywhere, "--" ends them; it stops at the first problem.
CommandArguments SplitArguments(const std::vector<std::string>& arguments, const CommandOptions& options);

// Prints "zuzududada-cli COMMAND: PROBLEM", the usage and where help is; returns 2.
int UsageError(const std::string& command, const std::string& usage, const std::string& problem);
// Prints "zuzududada-cli COMMAND: TEXT" on standard error.
void CommandMessage(const std::string& command, const std::string& text);

} // namespace zz
