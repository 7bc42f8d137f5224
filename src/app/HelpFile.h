#pragma once
#include "common/ProjectContext.h"

#include <optional>
#include <string>

inline namespace zz {

// AppDir + "/help" + the product variant + ".dat".
std::string HelpFilePath(const ProjectContext& context);

// What the help window shows: plain text, or a rich-text file turned into HTML.
struct HelpText {
    std::string Text;
    bool IsHtml = false;
};

// The help file's text to show, or nothing when it cannot be read.
std::optional<HelpText> ReadHelpText(const std::string& path);

} // namespace zz
