#pragma once
#include <string>
#include <string_view>

// File-system helpers shared by every subsystem. Paths are UTF-8 and joined with "/".

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// a + "/" + b.
std::string JoinPath(std::string_view a, std::string_view b);

// The last component of a path ("dir/name.xml" gives "name.xml").
std::string FileNameOf(std::string_view path);

// The whole file; throws Failure naming the path and the system's reason.
std::string ReadFileBytes(const std::string& path);

// Replaces the file with the bytes, or leaves the previous file untouched: the bytes go to a
// temporary file beside the target, which is then renamed over it. A target marked read-only
// is refused, as it would be on the desktop the projects come from. Throws Failure naming the
// path and the reason.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
