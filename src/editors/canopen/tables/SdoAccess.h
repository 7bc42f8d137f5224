#pragma once
#include "common/ProjectContext.h"
#include "xmlstore/ProjectDocument.h"
#include "xmlstore/documents/SdoXml.h"

#include <string>
#include <vector>

inline namespace zz {

// The SDO access document (sdo.xml of the project, read only): every child of the root is one
// entry, in document order, whatever its name.
inline constexpr const char* kSdoTableName = kSdoTable;

struct SdoAccessEntry {
    bool RequestOnCanB = false; // conf bit 0: the entry belongs to the second page
    bool ReadWrite = false;     // conf bit 4, shown as "1" in column RW
    std::string IndexA, SubindexA, DevIDB, IndexB, SubindexB, NbyteB, Mnemonico;
};

// conf bit 0 and bit 4.
inline constexpr int kConfRequestOnCanB = 0x01;
inline constexpr int kConfReadWrite = 0x10;

// Appends the entries of the document. conf must be an integer and every attribute but
// mnemonico is required; the first bad entry throws, keeping the entries before it.
void ReadSdoAccessEntries(const ProjectDocument& document, XmlNode root, std::vector<SdoAccessEntry>& entries);

// Rebuilds the document from the entries in their order: root "sdo", one "row" per entry with
// conf (bit 0 for the second page, bit 4 for read/write: "0", "1", "16" or "17"), IndexA,
// SubindexA, devIDB, IndexB, SubindexB, nbyteB and mnemonico.
void WriteSdoAccess(const std::vector<SdoAccessEntry>& entries, ProjectDocument& document);

} // namespace zz
