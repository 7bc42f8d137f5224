#pragma once
#include "xmlstore/ProjectDocument.h"

#include <functional>
#include <string>

inline namespace zz {

// The messages of the guarded discipline, shown in a plain message box.
inline constexpr const char* kParserNotInstalled = "Error XML parser not installed";
inline constexpr const char* kFileXmlNotFound = "File XML not found";
inline constexpr const char* kErrorReadingFileXml = "Error in reading file XML";

enum class GuardedReadResult { Read, Missing, Failed };

// One guarded read: a missing file shows notFoundMessage (nothing when it is empty); otherwise
// the file is loaded and `read` walks it. Any failure inside shows readErrorMessage; what
// `read` had taken before the failure stays with the caller.
GuardedReadResult GuardedRead(ProjectDocument& document, const std::string& path, const std::string& notFoundMessage,
                              const std::string& readErrorMessage,
                              const std::function<void(ProjectDocument&, XmlNode root)>& read);

} // namespace zz
