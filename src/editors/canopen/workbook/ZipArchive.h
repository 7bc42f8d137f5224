#pragma once
#include "editors/canopen/workbook/GsfSupport.h"
#include "editors/canopen/workbook/ZipDirectory.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

inline namespace zz {

// A ZIP archive held in memory whose members are checked against the CRC-32 and size of its
// central directory as they are read: libgsf checks neither, and a damaged member would come
// through as altered cells.
class ZipArchive {
public:
    // The most bytes a member may unpack to; a damaged or hostile archive may claim any size.
    static constexpr uint64_t kMaxMember = uint64_t(64) << 20;

    // Throws Failure for bytes that are no readable ZIP archive.
    explicit ZipArchive(std::string bytes);

    // Whether the central directory names the member ("xl/workbook.xml").
    bool Has(const std::string& part) const { return directory_.count(part) != 0; }
    // Whether it names any member in that folder ("Index/").
    bool HasUnder(const std::string& folder) const
    {
        const auto next = directory_.lower_bound(folder);
        return next != directory_.end() && next->first.compare(0, folder.size(), folder) == 0;
    }

    // The member's bytes; nothing when the archive has no such member. Throws Failure when it
    // is damaged or larger than kMaxMember.
    std::optional<std::string> Read(const std::string& part) const;

    // Hands the member to `consume` in pieces, in order, without holding it whole; false when
    // the archive has no such member. Throws Failure as Read does, after the last piece for a
    // wrong checksum: what `consume` built from a damaged member is then to be dropped.
    bool Stream(const std::string& part, const std::function<void(std::string_view)>& consume) const;

private:
    std::string bytes_;
    std::map<std::string, ZipMemberCheck> directory_;
    GsfHandle<GsfInput> input_;
    GsfHandle<GsfInfile> archive_;
};

// "The workbook is damaged ('content.xml')".
[[noreturn]] void DamagedPart(const std::string& part);

} // namespace zz
