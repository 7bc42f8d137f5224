#pragma once
#include "canbus/DbcDatabase.h"

#include <string>

inline namespace zz {

// Writes the database in the one profile the strictest common readers accept: VERSION "", the
// full NS_ list, BS_:, the nodes, every frame with its signals (factor 1, offset 0, integer
// limits), then the frame and signal comments, the attribute definitions, their defaults and
// the values grouped global, node, frame, signal; CR LF line ends, no blank before ";". Names
// of more than 32 characters or outside [A-Za-z0-9_], and texts outside printable ASCII, throw
// Failure: the caller makes them fit.
std::string WriteDbc(const DbcDatabase& database);

// True when the name is a DBC identifier of this profile: a letter or '_' first, then letters,
// digits and '_', at most 32 characters.
bool IsDbcName(const std::string& name);

} // namespace zz
