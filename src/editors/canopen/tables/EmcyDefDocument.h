#pragma once
#include "editors/canopen/tables/EmcyDef.h"
#include "xmlstore/GuardedRead.h"

#include <string>

inline namespace zz {

// emcydef.xml: root "emcydef", one "row" per entry with the eleven texts and bypass_set, first
// the CAN A list, then the CAN B list, each in save order.

// Reads the document under the guarded discipline into `table` (which the caller has
// emptied): a missing file shows "File XML not found", any failure "Error in reading file XML";
// the entries read before a failure stay. Empty texts are read as "0".
GuardedReadResult LoadEmcyDef(ProjectDocument& document, const std::string& path, EmcyTable& table);

// Builds the document from both lists in save order and writes it. A line that is no integer
// throws its ParseInt failure before anything is written; a failed write leaves the previous
// file as it was.
void SaveEmcyDef(ProjectDocument& document, const std::string& path, const EmcyTable& table);

} // namespace zz
