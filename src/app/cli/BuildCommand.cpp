#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"

#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/UserMessage.h"
#include "firmware/DeviceUpdateChain.h"
#include "gateway/GatewayProject.h"
#include "projectcheck/ProjectCheck.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <iostream>
#include <optional>

inline namespace zz {

// zuzududada-cli build [--app-dir DIR] [--flash COMn] PROJECT_DIR
// Does what "Up date Device" followed by "Execute update firmware" does, without windows: the
// configuration image, the bank files, bankg.c and the new firmware New_sx48802.sx in the
// project directory; with --flash it then starts the flashing program on that port. Messages
// go to standard error, the project check's verdict first and at least one line for every
// failure; a project with errors is built all the same; the result is 0 only when the new
// firmware was written and verified (and, with --flash, the flashing program was started), 1
// when the chain stopped, 2 for bad arguments. The whole chain holds the project's build lock.

namespace {

constexpr const char* kBuildUsage = "[--app-dir DIR] [--flash COMn] PROJECT_DIR";

constexpr const char* kBuildHelp =
    "Does what \"Up date Device\" and then \"Execute update firmware\" do in the application:\n"
    "  1. reads the project's documents (pargen.xml, Receive_Frame.xml, Receive_Info.xml,\n"
    "     Send_Frame.xml, Send_Info.xml) into the configuration tables,\n"
    "  2. writes PROJECT_DIR/bin/bank1.bin to bank5.bin and PROJECT_DIR/bin/bankg.c,\n"
    "  3. merges banks 1 and 2 into the base firmware DIR/MASTER/sx48802.sx and writes the\n"
    "     result as PROJECT_DIR/New_sx48802.sx (the base firmware itself is not changed).\n"
    "Options:\n"
    "  --app-dir DIR   the application directory holding MASTER, PROJECTS and ZoruvOdeza.exe;\n"
    "                  PROJECT_DIR may then name a project in DIR/PROJECTS (default: the\n"
    "                  directory of this program; for an installed program\n"
    "                  ~/.local/share/zuzududada)\n"
    "  --flash COMn    then start DIR/ZoruvOdeza.exe to write the new firmware into the gateway\n"
    "                  through serial port COM1 to COM8\n"
    "The base firmware is checked before the merge, and the new firmware is read back and\n"
    "verified (banks 1 and 2 of this build, the base firmware everywhere else) before it takes\n"
    "its name; only a verified file is handed to the flashing program. One build of a project\n"
    "runs at a time: a second one stops with a message.\n"
    "Messages go to standard error. Exit status: 0 when the new firmware was written and\n"
    "verified (and the flashing program started), 1 when the build stopped, 2 for wrong\n"
    "arguments.\n";

std::optional<int> PortPosition(const std::string& text)
{
    for (int position = 0; position < kPortCount; ++position) {
        const std::string name = PortName(position);
        if (text.size() == name.size() && std::equal(text.begin(), text.end(), name.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            }))
            return position;
    }
    return std::nullopt;
}

// The command line's stand-in for the bank check boxes: a bank that turns red is named.
class ReportingObserver : public CompositionObserver {
public:
    void BankColour(int bank, int colour) override
    {
        if (colour == kBankMissingColour && kDeviceUpdateBanks[static_cast<size_t>(bank - 1)])
            std::cerr << "Bank " << bank << " was not found in the base firmware: the new firmware does not hold it\n";
    }
};

int RunChain(const ProjectContext& project, const std::optional<int>& port, bool& said);

int RunBuild(const CommandArguments& arguments)
{
    std::optional<int> port;
    if (const auto flash = arguments.Value("--flash")) {
        port = PortPosition(*flash);
        if (!port) return kBuildCommand.UsageError("'" + *flash + "' is not a port from COM1 to COM8");
    }
    if (arguments.Operands.empty()) return kBuildCommand.UsageError("PROJECT_DIR is missing");
    if (arguments.Operands.size() > 1) return kBuildCommand.UsageError("only one PROJECT_DIR may be given");
    const auto appDir = arguments.Value("--app-dir");
    const std::optional<std::string> projectDir = ProjectDirectoryArgument("build", appDir, arguments.Operands[0]);
    if (!projectDir) return 1;
    const ProjectContext project = CommandProjectContext(appDir, *projectDir);

    bool said = false;
    int status = 1;
    try {
        status = RunChain(project, port, said);
    } catch (const std::exception& failure) {
        Messages().ApplicationError(failure.what());
        said = true;
    }
    if (status != 0 && !said) Messages().Notice("The build stopped before the new firmware was made");
    return status;
}

// The device update chain without windows; what it has to tell goes to standard error, with
// the project check's verdict first. The result is the exit status.
int RunChain(const ProjectContext& project, const std::optional<int>& port, bool& said)
{
    const auto say = [&](const UserMessages& messages) {
        Say(messages);
        said = said || !messages.empty();
    };
    // The configuration is read once: the check's verdict and the bank images come from it.
    GatewayProject configuration = LoadGatewayProject(project);
    std::string verdict = ProjectCheckVerdict(configuration);
    DeviceUpdateChain chain(project, std::move(configuration), std::move(verdict));
    // As in the window: the verdict is told, and a project with errors is built all the same.
    std::cerr << chain.CheckVerdict() << '\n';
    ReportingObserver observer;
    const DeviceUpdateChain::Outcome outcome = chain.Run(port, observer);
    say(outcome.Messages);
    // The window tells why on its status line; here it is a line of its own unless a message said it.
    if (const auto& composition = outcome.Composition;
        composition && !composition->Written && !composition->Problem.empty() && !composition->ProblemSaid)
        say({NoticeMessage(composition->Problem)});
    return outcome.Succeeded ? 0 : 1;
}

} // namespace

const CliCommand kBuildCommand{
    .Name = "build",
    .Usage = kBuildUsage,
    .Summary = "Builds the project's firmware New_sx48802.sx (and its bin/bank*.bin, bin/bankg.c); --flash writes "
               "it to the gateway.",
    .Help = kBuildHelp,
    .Options = {.Flags = {}, .Values = {"--app-dir", "--flash"}},
    .Voice = FailureVoice::MessageSink,
    .Body = RunBuild,
};

} // namespace zz
