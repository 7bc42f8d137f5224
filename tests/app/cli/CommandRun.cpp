#include "CommandRun.h"

#include "common/MessageSink.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <sys/wait.h>

inline namespace zz {

CommandRun RunCommand(const CliCommand& command, const std::vector<std::string>& arguments)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    std::ostringstream out, err;
    std::streambuf* savedOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* savedErr = std::cerr.rdbuf(err.rdbuf());
    const int status = command.Run(arguments);
    std::cout.rdbuf(savedOut);
    std::cerr.rdbuf(savedErr);
    CommandRun run{status, out.str(), err.str()};
    for (const std::string& text : sink.Texts()) run.Err += text + "\n";
    return run;
}

CommandRun RunProgram(const std::string& arguments)
{
    TempDir streams;
    const std::string command =
        std::string(ZZ_CLI_PATH) + " " + arguments + " >'" + streams.File("out") + "' 2>'" + streams.File("err") + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(streams.File("out")), ReadAll(streams.File("err"))};
}

} // namespace zz
