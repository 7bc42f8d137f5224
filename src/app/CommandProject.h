#pragma once
#include "app/ProjectContext.h"

#include <optional>
#include <string>

// The project context of a command line command: the application directory given with
// --app-dir or else the directory of the running program, MASTER and PROJECTS below it, and the
// project directory as given, made absolute.
ProjectContext CommandProjectContext(const std::optional<std::string>& appDir, const std::string& projectDir);

// An absolute, normalised path with "/" and no trailing separator.
std::string AbsolutePath(const std::string& path);
