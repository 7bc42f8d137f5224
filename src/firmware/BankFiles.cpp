#include "firmware/BankFiles.h"

#include "common/ProjectContext.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/TextFile.h"
#include "firmware/StreamFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Replaces the file with the bytes through a temporary file beside it, so that a failed write
// leaves the previous file whole. Unlike a saved document it is not forced to the disk: the
// build writes these files anew every time, and waiting for the disk six times would make the
// engineer wait for every build. A target marked read-only is refused, as on the desktop the
// projects come from; a symbolic link in the target's place is replaced by the file, never
// written through. Throws Failure naming the path and the reason.
void ReplaceFile(const std::string& path, std::string_view bytes)
{
    auto fail = [&](int error) { throw Failure("Cannot write file '" + path + "': " + std::strerror(error)); };
    struct stat info {};
    mode_t mode = 0644;
    if (::lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        if (S_ISDIR(info.st_mode)) fail(EISDIR);
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) fail(EACCES);
        mode = info.st_mode & 07777;
    }
    std::string temporary = path + kWritingSuffix;
    FileHandle out(::mkstemp(temporary.data()));
    if (out.Get() < 0) fail(errno);
    int error = 0;
    try {
        WriteAll(out.Get(), bytes);
        if (::fchmod(out.Get(), mode) != 0) throw WriteError{errno};
        out.Close();
        if (std::rename(temporary.c_str(), path.c_str()) != 0) throw WriteError{errno};
    } catch (const WriteError& failed) {
        error = failed.error ? failed.error : EIO;
    }
    if (error) {
        ::unlink(temporary.c_str());
        fail(error);
    }
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
            ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        } catch (const Failure& failure) {
            // Not said here: a missing bin directory is reported by the C source writer, and a
            // bank file that is merged stops the composition with this reason.
            problems[static_cast<size_t>(n - 1)] = failure.what();
        }
    }
    return problems;
}

std::vector<std::string> BankSourceLines(const BankImage& image)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    constexpr size_t kPerLine = 16;
    const BankImage::Bytes& bytes = image.Bank(1);
    std::vector<std::string> lines;
    lines.reserve(BankImage::kBankSize / kPerLine + 3);
    lines.emplace_back("#pragma CONST_SEG SEGMENT0");
    for (size_t j = 0; j < BankImage::kBankSize / kPerLine; ++j) {
        std::string line = j == 0 ? "const char Bank1 [] = {" : std::string(17, ' ');
        for (size_t k = 0; k < kPerLine; ++k) {
            const size_t at = kPerLine * j + k;
            line += " 0x";
            line += kDigits[bytes[at] >> 4];
            line += kDigits[bytes[at] & 0x0F];
            line += at + 1 == BankImage::kBankSize ? "};" : ",";
        }
        lines.push_back(std::move(line));
    }
    lines.emplace_back();
    lines.emplace_back("#pragma CONST_SEG DEFAULT");
    return lines;
}

void WriteBankSource(const ProjectContext& project, const BankImage& image)
{
    if (project.ProjectDir.empty()) throw Failure("Project not valid: no project directory for bankg.c");
    ReplaceFile(BankDirectoryOf(project) + "/bankg.c", EncodeTextLines(BankSourceLines(image)));
}
