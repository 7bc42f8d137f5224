#pragma once
#include "canbus/DbcDatabase.h"

#include <string>
#include <string_view>

inline namespace zz {

// Reads a DBC file's bytes (UTF-8, else code page 1252; CR LF or LF line ends): the nodes, the
// frames with their signals, the comments and attribute values of nodes, frames and signals.
// Every other statement is skipped to its ";". A file that does not follow the format throws
// Failure naming `origin` and the line, never more than that.
DbcDatabase ReadDbc(std::string_view bytes, const std::string& origin);

// The same from a file; a file that cannot be read throws Failure.
DbcDatabase ReadDbcFile(const std::string& path);

} // namespace zz
