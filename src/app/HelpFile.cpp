#include "app/HelpFile.h"

#include "app/RtfText.h"
#include "common/Cp1252.h"
#include "common/FileSystem.h"

#include <exception>

inline namespace zz {

std::string HelpFilePath(const ProjectContext& context)
{
    return context.AppDir + "/help" + std::to_string(ProductVariant) + ".dat";
}

std::optional<HelpText> ReadHelpText(const std::string& path)
{
    if (!FileExists(path)) return std::nullopt;
    try {
        std::string bytes = ReadFileBytes(path);
        if (IsRtf(bytes)) return HelpText{RtfToHtml(bytes), true};
        bytes = Utf8OrCp1252ToUtf8(std::move(bytes));
        std::string text;
        text.reserve(bytes.size());
        for (char c : bytes)
            if (c != '\r') text += c;
        return HelpText{text, false};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace zz
