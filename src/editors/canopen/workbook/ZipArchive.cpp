#include "editors/canopen/workbook/ZipArchive.h"

#include "common/Failure.h"

#include <vector>

inline namespace zz {

void DamagedPart(const std::string& part)
{
    throw Failure("The workbook is damaged ('" + part + "')");
}

ZipArchive::ZipArchive(std::string bytes)
    : bytes_(std::move(bytes))
{
    const QuietGlib quiet;
    directory_ = ReadZipDirectory(bytes_);
    input_ = MemoryInput(bytes_);
    GError* error = nullptr;
    archive_.reset(gsf_infile_zip_new(input_.get(), &error));
    if (!archive_) throw Failure("The file is no workbook: " + TakeErrorText(error, "no ZIP archive"));
    if (error) g_error_free(error);
}

bool ZipArchive::Stream(const std::string& part, const std::function<void(std::string_view)>& consume) const
{
    const QuietGlib quiet;
    std::vector<std::string> names;
    for (size_t start = 0; start <= part.size();) {
        size_t slash = part.find('/', start);
        if (slash == std::string::npos) slash = part.size();
        names.push_back(part.substr(start, slash - start));
        start = slash + 1;
    }
    std::vector<const char*> path;
    for (const std::string& name : names) path.push_back(name.c_str());
    path.push_back(nullptr);
    const auto check = directory_.find(part);
    const GsfHandle<GsfInput> member(gsf_infile_child_by_aname(archive_.get(), path.data()));
    if (!member && check == directory_.end()) return false;
    if (!member || check == directory_.end()) DamagedPart(part);
    const gsf_off_t size = gsf_input_size(member.get());
    if (check->second.size > kMaxMember || size < 0 || static_cast<uint64_t>(size) > kMaxMember)
        throw Failure("'" + part + "' is too large to be read");
    if (static_cast<uint64_t>(size) != check->second.size) DamagedPart(part);
    std::string chunk;
    uint64_t done = 0;
    uint32_t crc = 0;
    while (done < check->second.size) {
        chunk.resize(static_cast<size_t>(std::min<uint64_t>(check->second.size - done, 1 << 16)));
        if (!gsf_input_read(member.get(), chunk.size(), reinterpret_cast<guint8*>(chunk.data())))
            throw Failure("'" + part + "' cannot be read to its end");
        crc = ZipCrc32(chunk, crc);
        done += chunk.size();
        consume(chunk);
    }
    if (crc != check->second.crc32) DamagedPart(part);
    return true;
}

std::optional<std::string> ZipArchive::Read(const std::string& part) const
{
    std::string bytes;
    if (!Stream(part, [&](std::string_view piece) { bytes.append(piece); })) return std::nullopt;
    return bytes;
}

} // namespace zz
