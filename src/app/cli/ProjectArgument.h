#pragma once
#include <optional>
#include <string>

inline namespace zz {

// The one rule for a project command's PROJECT_DIR: an existing directory, or else the name of
// a project in the application directory's PROJECTS (--app-dir, or the command line's default).
// Returns the directory as found; when neither exists, says so in one message on standard
// error, prefixed with the command's name, and returns nothing.
std::optional<std::string> ProjectDirectoryArgument(const std::string& command,
                                                    const std::optional<std::string>& appDir,
                                                    const std::string& argument);

} // namespace zz
