#pragma once
#include "app/ProjectContext.h"

#include <optional>
#include <string>

// AppDir + "/help" + the product variant + ".dat".
std::string HelpFilePath(const ProjectContext& context);

// The help file's text to show (rich text reduced to its text and paragraphs), or nothing
// when it cannot be read.
std::optional<std::string> ReadHelpText(const std::string& path);
