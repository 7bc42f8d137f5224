#pragma once
#include "editors/canopen/tables/EmcyWord.h"
#include "xmlstore/GuardedRead.h"

#include <string>

inline namespace zz {

// emcyword.xml: root "emcyword", one "row" of 52 attributes per word, first the CAN A list,
// then the CAN B list, each in save order.

// Reads the document under the guarded discipline into `table` (which the caller has
// emptied): a missing file shows "File XML not found", any failure (a missing attribute, an
// extdata that is no integer) "Error in reading file XML"; the words read before it stay. A
// row whose extdata is neither 0 nor 1 is left out.
GuardedReadResult LoadEmcyWord(ProjectDocument& document, const std::string& path, EmcyWordTable& table);

// Builds the document from both lists in save order and writes it. A key that the order
// needs and that is no integer throws its ParseInt failure before anything is written.
void SaveEmcyWord(ProjectDocument& document, const std::string& path, const EmcyWordTable& table);

} // namespace zz
