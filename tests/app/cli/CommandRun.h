#pragma once
#include "app/cli/Commands.h"

#include <string>
#include <vector>

inline namespace zz {

// What a command said: its exit status, standard output, and standard error followed by
// what went through the message sink (a line each).
struct CommandRun {
    int Status = -1;
    std::string Out, Err;
};

// Runs the command in this process, as zuzududada-cli runs it.
CommandRun RunCommand(const CliCommand& command, const std::vector<std::string>& arguments);
// Runs the program itself with the arguments (given to the shell as they are).
CommandRun RunProgram(const std::string& arguments);

} // namespace zz
