#pragma once
#include <string>
#include <vector>

inline namespace zz {

// A sub-command of the command line front end zuzududada-cli.
struct CliCommand {
    const char* name;    // the word after zuzududada-cli
    const char* usage;   // one line: the arguments it takes
    const char* summary; // one line: what it does
    // Runs with the arguments after the command's name; returns the exit status.
    int (*run)(const std::vector<std::string>& arguments);
};

} // namespace zz
