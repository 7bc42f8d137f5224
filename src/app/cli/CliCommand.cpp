#include "app/cli/Commands.h"

#include "common/MessageSink.h"

#include <exception>
#include <iostream>

inline namespace zz {

namespace {

void SayFailure(const CliCommand& command, const std::string& text)
{
    if (command.Voice == FailureVoice::MessageSink) Messages().ApplicationError(text);
    else CommandMessage(command.Name, text);
}

} // namespace

int CliCommand::Run(const std::vector<std::string>& arguments) const
{
    try {
        const CommandArguments split = SplitArguments(arguments, Options);
        if (split.Help) {
            std::cout << "Usage: zuzududada-cli " << Name << ' ' << Usage << '\n' << Help;
            return 0;
        }
        if (!split.Problem.empty()) return UsageError(split.Problem);
        return Body(split);
    } catch (const std::exception& failure) {
        SayFailure(*this, failure.what());
    } catch (...) {
        SayFailure(*this, "the command stopped on an unexpected failure");
    }
    return 1;
}

int CliCommand::UsageError(const std::string& problem) const
{
    return zz::UsageError(Name, Usage, problem);
}

} // namespace zz
