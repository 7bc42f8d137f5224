#include "firmware/BankFiles.h"

#include "app/ProjectContext.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/TextFile.h"

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
// projects come from. Throws Failure naming the path and the reason.
void ReplaceFile(const std::string& path, std::string_view bytes)
{
    auto fail = [&](int error) { throw Failure("Cannot write file '" + path + "': " + std::strerror(error)); };
    struct stat info {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) fail(EISDIR);
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) fail(EACCES);
        mode = info.st_mode & 07777;
    }
    std::string temporary = path + ".writing-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) fail(errno);
    bool ok = true;
    for (std::string_view rest = bytes; ok && !rest.empty();) {
        const ssize_t written = ::write(fd, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        ok = written > 0;
        if (ok) rest.remove_prefix(static_cast<size_t>(written));
    }
    int error = ok ? 0 : errno;
    if (ok && ::fchmod(fd, mode) != 0) ok = false, error = errno;
    if (::close(fd) != 0 && ok) ok = false, error = errno;
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) ok = false, error = errno;
    if (!ok) {
        ::unlink(temporary.c_str());
        fail(error ? error : EIO);
    }
}

} // namespace

std::string BankDirectoryOf(const ProjectContext& project)
{
    return project.ProjectDir + "/bin";
}

void WriteBankFiles(const ProjectContext& project, const BankImage& image)
{
    // Without a project there is no bin directory; "/bin" of the machine is not ours.
    if (project.ProjectDir.empty()) return;
    for (int n = 1; n <= BankImage::kBankCount; ++n) {
        const BankImage::Bytes& bytes = image.Bank(n);
        const std::string path = BankDirectoryOf(project) + "/bank" + std::to_string(n) + ".bin";
        try {
            ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        } catch (const Failure&) {
            // Passed over on purpose: a missing bin directory is reported by the C source writer.
        }
    }
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
