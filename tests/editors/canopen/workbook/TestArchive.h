#pragma once
// ZIP archives of chosen members for the workbook tests, packed by libgsf's ZIP writer.
#include <gsf/gsf.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

inline namespace zz {

using Members = std::vector<std::pair<std::string, std::string>>; // path, content

// The members in a ZIP archive, deflated or stored as they are.
inline std::string Archive(const Members& members, bool stored = false)
{
    gsf_init();
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* zip = gsf_outfile_zip_new(sink, nullptr);
    std::map<std::string, GsfOutfile*> directories{{"", zip}};
    for (const auto& [path, content] : members) {
        GsfOutfile* parent = zip;
        std::string directory;
        size_t start = 0;
        for (size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1) {
            const std::string name = path.substr(start, slash - start);
            directory += "/" + name;
            if (!directories.count(directory))
                directories[directory] = GSF_OUTFILE(gsf_outfile_new_child(parent, name.c_str(), TRUE));
            parent = directories[directory];
        }
        GsfOutput* member = gsf_outfile_new_child_full(parent, path.substr(start).c_str(), FALSE, "compression-level",
                                                       stored ? GSF_ZIP_STORED : GSF_ZIP_DEFLATED, nullptr);
        gsf_output_write(member, content.size(), reinterpret_cast<const guint8*>(content.data()));
        gsf_output_close(member);
        g_object_unref(member);
    }
    for (auto it = directories.rbegin(); it != directories.rend(); ++it) {
        gsf_output_close(GSF_OUTPUT(it->second));
        g_object_unref(it->second);
    }
    const std::string bytes(reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink))),
                            static_cast<size_t>(gsf_output_size(sink)));
    g_object_unref(sink);
    return bytes;
}

} // namespace zz
