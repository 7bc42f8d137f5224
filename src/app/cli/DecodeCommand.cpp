#include "app/cli/Commands.h"
#include "app/cli/DecodedConfigurationJson.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "firmware/ConfigurationDecoding.h"
#include "firmware/ConfigurationImage.h"
#include "firmware/FirmwareVerification.h"
#include "firmware/ProjectRecovery.h"
#include "firmware/SRecordFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sys/stat.h>

inline namespace zz {

// zuzududada-cli decode FIRMWARE [--json] [--to-project DIR]
// Prints the configuration in bank 1 of a firmware file; --to-project writes the five
// documents of a project that builds the same bank 1.

namespace {

constexpr const char* kDecodeHelp =
    "Reads bank 1 of FIRMWARE (the 16,384 bytes from address 0x388000, every record read as a\n"
    "programmer writes it) and prints the configuration it holds: the communication\n"
    "parameters by name, the baud rates as text, then every receive and send frame with its\n"
    "COB ID in hexadecimal, Dim, Delete and the DeviceNet byte of each CAN byte (none: 255).\n"
    "Options:\n"
    "  --json            the same as a JSON document\n"
    "  --to-project DIR  also writes pargen.xml, Receive_Frame.xml, Receive_Info.xml,\n"
    "                    Send_Frame.xml and Send_Info.xml (empty mnemonics) into DIR, which is\n"
    "                    made with its bin directory when missing and must not hold any of\n"
    "                    them; building that project gives the same configuration in\n"
    "                    bank1.bin. The documents are written beside DIR first and moved\n"
    "                    into it when all are written: a failure leaves nothing. Bytes\n"
    "                    beyond the counted frames (left from an earlier build) are no part\n"
    "                    of the configuration and are not recovered: a note tells how many,\n"
    "                    and the exit status stays 0.\n"
    "Exit status: 0 on success; 1 when the firmware cannot be read, has a damaged line, lacks\n"
    "bank 1, the documents cannot be written, or the recovered project would build another\n"
    "configuration (the reasons on standard error); 2 for wrong arguments.\n";

GatewayDocumentPaths DocumentPathsOf(const ProjectContext& project)
{
    return {project.PargenFile, project.ReceiveFrameFile, project.ReceiveInfoFile, project.SendFrameFile,
            project.SendInfoFile};
}

// The directory the documents are written into first, beside the target, so that a failure
// (a full disk) leaves nothing behind; removed with what is left in it when the object goes.
class StagingDirectory {
public:
    explicit StagingDirectory(const std::string& target)
    {
        std::string pattern = target + ".recovering-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw Failure("Cannot create a directory beside '" + target + "': " + std::strerror(errno));
        path_ = pattern;
        const mode_t mask = ::umask(0);
        ::umask(mask);
        std::filesystem::permissions(path_, static_cast<std::filesystem::perms>(0777 & ~mask));
    }
    ~StagingDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    StagingDirectory(const StagingDirectory&) = delete;
    StagingDirectory& operator=(const StagingDirectory&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Moves the written documents into the target: the whole directory when the target is new,
// else each document beside what the target holds.
void MoveIntoPlace(const StagingDirectory& staging, const ProjectContext& project)
{
    std::error_code error;
    if (!std::filesystem::exists(project.ProjectDir, error)) {
        std::filesystem::rename(staging.Path(), project.ProjectDir, error);
        if (error)
            throw Failure("Cannot move the recovered project to '" + project.ProjectDir + "': " + error.message());
        return;
    }
    std::filesystem::create_directory(project.ProjectDir + "/bin", error);
    if (error) throw Failure("Cannot create the directory '" + project.ProjectDir + "/bin': " + error.message());
    const GatewayDocumentPaths from = DocumentPathsOf(CommandProjectContext(std::nullopt, staging.Path()));
    const GatewayDocumentPaths to = DocumentPathsOf(project);
    for (const auto member :
         {&GatewayDocumentPaths::Pargen, &GatewayDocumentPaths::ReceiveFrame, &GatewayDocumentPaths::ReceiveInfo,
          &GatewayDocumentPaths::SendFrame, &GatewayDocumentPaths::SendInfo}) {
        std::filesystem::rename(from.*member, to.*member, error);
        if (error) throw Failure("Cannot move '" + to.*member + "' into place: " + error.message());
    }
}

// Writes the project's documents and checks that they build the decoded bank again.
int Recover(const std::string& directory, const BankImage::Bytes& bank, const DecodedConfiguration& configuration)
{
    const ProjectContext project = CommandProjectContext(std::nullopt, directory);
    const GatewayDocumentPaths paths = DocumentPathsOf(project);
    for (const std::string* path :
         {&paths.Pargen, &paths.ReceiveFrame, &paths.ReceiveInfo, &paths.SendFrame, &paths.SendInfo})
        if (FileExists(*path) || std::filesystem::is_symlink(*path)) {
            Messages().ApplicationError("'" + *path +
                                        "' exists already: the recovered project needs a directory "
                                        "without the project's documents");
            return 1;
        }
    RefuseWriteOutside(project.ProjectDir, project.ProjectDir + "/bin/bank1.bin");
    std::error_code error;
    const std::string parent = std::filesystem::path(project.ProjectDir).parent_path().string();
    std::filesystem::create_directories(parent, error);
    if (error) {
        Messages().ApplicationError("Cannot create the directory '" + parent + "': " + error.message());
        return 1;
    }
    const StagingDirectory staging(project.ProjectDir);
    const ProjectContext staged = CommandProjectContext(std::nullopt, staging.Path());
    std::filesystem::create_directory(staged.ProjectDir + "/bin", error);
    if (error) {
        Messages().ApplicationError("Cannot create the directory '" + project.ProjectDir + "/bin': " + error.message());
        return 1;
    }
    WriteRecoveredProject(DocumentPathsOf(staged), configuration);

    BankImage rebuilt;
    LoadConfigurationImage(staged, rebuilt);
    const RecoveryCheck check = CompareRecovered(bank, rebuilt.Bank(1));
    MoveIntoPlace(staging, project);
    if (check.Elsewhere > 0)
        std::cerr << "Note: " << GroupedNumber(check.Elsewhere)
                  << " bytes of bank 1 outside the counted frames and the parameters are not part of the "
                     "configuration; the recovered project builds them as zero\n";
    if (!check.Configuration.empty()) {
        std::cerr << "The recovered project in '" << project.ProjectDir
                  << "' does not build the same configuration; its documents cannot hold:\n";
        for (const std::string& line : check.Configuration) std::cerr << "  " << line << '\n';
        return 1;
    }
    std::cerr << "Recovered project written to '" << project.ProjectDir << "'\n";
    return 0;
}

int RunDecode(const CommandArguments& arguments)
{
    if (arguments.Operands.empty()) return kDecodeCommand.UsageError("FIRMWARE is missing");
    if (arguments.Operands.size() > 1) return kDecodeCommand.UsageError("only one FIRMWARE may be given");
    const std::string& firmware = arguments.Operands[0];
    const std::optional<std::string> projectDir = arguments.Value("--to-project");

    const SRecordFile file = SRecordFile::Read(firmware);
    if (file.Problem()) {
        Messages().ApplicationError("'" + firmware + "' is damaged: " + file.Problem()->Describe());
        return 1;
    }
    if (const auto fault = file.FirstFault())
        std::cerr << "Warning: '" << firmware << "': " << fault->Describe() << '\n';
    BankImage::Bytes bank{};
    const size_t missing = BankOneFromImage(file.Image(), bank);
    if (missing == bank.size()) {
        Messages().ApplicationError("'" + firmware + "' holds no data in bank 1 (0x388000 to 0x38BFFF)");
        return 1;
    }
    if (missing > 0) {
        Messages().ApplicationError("Bank 1 of '" + firmware + "' is incomplete: " + GroupedNumber(missing) +
                                    " of its 16,384 bytes have no data");
        return 1;
    }
    const DecodedConfiguration configuration = DecodeConfiguration(bank);
    std::cout << (arguments.Has("--json") ? DecodedConfigurationJson(configuration)
                                          : ConfigurationReport(configuration));
    std::cout.flush();
    if (projectDir) return Recover(*projectDir, bank, configuration);
    return 0;
}

} // namespace

const CliCommand kDecodeCommand{
    .Name = "decode",
    .Usage = "FIRMWARE [--json] [--to-project DIR]",
    .Summary = "Prints the configuration held in a firmware file; --to-project recovers the project's documents "
               "from it.",
    .Help = kDecodeHelp,
    .Options = {.Flags = {"--json"}, .Values = {"--to-project"}},
    .Voice = FailureVoice::MessageSink,
    .Body = RunDecode,
};

} // namespace zz
