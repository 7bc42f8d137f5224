#include "app/cli/Commands.h"
#include "app/cli/ProjectArgument.h"

#include "common/ProjectContext.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "firmware/BankFiles.h"
#include "firmware/BuildLock.h"
#include "firmware/CheckedComposition.h"
#include "firmware/ConfigurationImage.h"
#include "firmware/DeviceUpdate.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>

inline namespace zz {

// zuzududada-cli build [--app-dir DIR] [--flash COMn] PROJECT_DIR
// Does what "Up date Device" followed by "Execute update firmware" does, without windows: the
// configuration image, the bank files, bankg.c and the new firmware New_sx48802.sx in the
// project directory; with --flash it then starts the flashing program on that port. Messages
// go to standard error, at least one line for every failure; the result is 0 only when the new
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
    explicit ReportingObserver(const CompositionContext& context) : context_(context) {}
    void BankColour(int bank, int colour) override
    {
        if (colour == kBankMissingColour && context_.Selected[static_cast<size_t>(bank - 1)])
            std::cerr << "Bank " << bank << " was not found in the base firmware: the new firmware does not hold it\n";
    }

private:
    const CompositionContext& context_;
};

// Passes every message on and remembers whether one was said, so that no failing build ends
// without a line on standard error.
class CountingSink : public MessageSink {
public:
    explicit CountingSink(MessageSink& next) : next_(next) {}
    void Notice(std::string_view text) override { Keep(text), next_.Notice(text); }
    void Error(std::string_view text) override { Keep(text), next_.Error(text); }
    bool Ask(std::string_view caption, std::string_view text) override { return Keep(text), next_.Ask(caption, text); }
    void ApplicationError(std::string_view text) override { Keep(text), next_.ApplicationError(text); }
    bool Said() const { return !said_.empty(); }
    // True when a message said so far holds the text.
    bool SaidAlready(const std::string& text) const
    {
        return std::any_of(said_.begin(), said_.end(), [&](const std::string& s) { return s.find(text) != std::string::npos; });
    }

private:
    void Keep(std::string_view text) { said_.emplace_back(text); }
    MessageSink& next_;
    std::vector<std::string> said_;
};

int RunChain(const ProjectContext& project, const std::optional<int>& port, const CountingSink& said);

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

    CountingSink counting(Messages());
    ScopedMessageSink scope(counting);
    int status = 1;
    try {
        status = RunChain(project, port, counting);
    } catch (const std::exception& failure) {
        Messages().ApplicationError(failure.what());
    }
    if (status != 0 && !counting.Said()) Messages().Notice("The build stopped before the new firmware was made");
    return status;
}

// The chain of the device update, under the project's lock from the bank files to the start
// of the flashing program. Failures are thrown or said; the result is the exit status.
int RunChain(const ProjectContext& project, const std::optional<int>& port, const CountingSink& said)
{
    BuildLock lock(project.ProjectDir);
    BankImage image;
    const std::shared_ptr<BankBuild> build = BuildBanks(project, image);

    CompositionContext context;
    if (!PrepareComposition(project, context)) return 1;
    context.Selected = kDeviceUpdateBanks;
    ReportingObserver observer(context);
    const CompositionOutcome outcome = ComposeCheckedFirmware(context, observer, build.get());
    if (!outcome.written) {
        if (!outcome.problem.empty() && !said.SaidAlready(outcome.problem)) Messages().Notice(outcome.problem);
        return 1;
    }
    if (port && !StartFlashingProgram(project, context.OutputDir + context.NewFirmwareName, *port)) return 1;
    return 0;
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
