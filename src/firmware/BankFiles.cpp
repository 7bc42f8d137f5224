#include "firmware/BankFiles.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/ProjectContext.h"
#include "firmware/StreamFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

inline namespace zz {

namespace {

// Unlike a saved document a bank file is not forced to the disk: the build writes these files
// anew every time, and waiting for the disk six times would make the engineer wait for every
// build. A symbolic link in the target's place is replaced by the file, never written through.
void ReplaceFile(const std::string& path, std::string_view bytes)
{
    WriteFileAtomically(path, bytes, {.SyncToDisk = false, .ThroughLinks = false, .TemporarySuffix = kWritingSuffix});
}

} // namespace

std::string BankDirectoryOf(const ProjectContext& project)
{
    return project.ProjectDir + "/bin";
}

BankFileProblems WriteBankFiles(const ProjectContext& project, const BankImage& image)
{
    BankFileProblems problems;
    // Without a project there is no bin directory; "/bin" of the machine is not ours.
    if (project.ProjectDir.empty()) {
        problems.fill("Project not valid: no project directory for the bank files");
        return problems;
    }
    for (int n = 1; n <= BankImage::kBankCount; ++n) {
        const BankImage::Bytes& bytes = image.Bank(n);
        const std::string path = BankDirectoryOf(project) + "/bank" + std::to_string(n) + ".bin";
        try {
            RefuseWriteOutside(project.ProjectDir, path);
            ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        } catch (const Failure& failure) {
            // Not said here: a missing bin directory is reported by the C source writer, and a
            // bank file that is merged stops the composition with this reason.
            problems[static_cast<size_t>(n - 1)] = failure.what();
        }
    }
    return problems;
}

std::string BankSourceText(const BankImage& image)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    constexpr size_t kPerLine = 16;
    const BankImage::Bytes& bytes = image.Bank(1);
    std::string text;
    text.reserve(117824);
    text += "#pragma CONST_SEG SEGMENT0\r\n";
    for (size_t j = 0; j < BankImage::kBankSize / kPerLine; ++j) {
        text += j == 0 ? "const char Bank1 [] = {" : "                 ";
        for (size_t k = 0; k < kPerLine; ++k) {
            const size_t at = kPerLine * j + k;
            const char entry[] = {' ', '0', 'x', kDigits[bytes[at] >> 4], kDigits[bytes[at] & 0x0F]};
            text.append(entry, sizeof entry);
            text += at + 1 == BankImage::kBankSize ? "};" : ",";
        }
        text += "\r\n";
    }
    text += "\r\n#pragma CONST_SEG DEFAULT\r\n";
    return text;
}

void WriteBankSource(const ProjectContext& project, const BankImage& image)
{
    if (project.ProjectDir.empty()) throw Failure("Project not valid: no project directory for bankg.c");
    const std::string path = BankDirectoryOf(project) + "/bankg.c";
    RefuseWriteOutside(project.ProjectDir, path);
    ReplaceFile(path, BankSourceText(image));
}

} // namespace zz
