#pragma once
#include "common/ProjectContext.h"
#include "editors/canopen/tables/CanSide.h"
#include "xmlstore/ProjectDocument.h"
#include "xmlstore/documents/RpdoDefXml.h"

#include <array>
#include <string>
#include <vector>

inline namespace zz {

// The PDO translation document rpdodef.xml: root "rpdodef", one "row" per entry with the
// attributes cobid, id_dev_orig, en_bypass, posind and n_tpdo. en_bypass bit 1 set puts the
// entry on the page "PDO From CanA to CanB", clear on "PDO From CanB to CanA"; bit 0 is the
// translation's enable flag.
inline constexpr const char* kPdoTableName = kRpdoDefTable;
inline constexpr int kEnBypassCanAToCanB = 0x02;
inline constexpr int kEnBypassEnabled = 0x01;

struct PdoEntry {
    std::string cobid, id_dev_orig, posind, n_tpdo;
    bool Enabled = false;
};

struct PdoTranslationTable {
    BySide<std::vector<PdoEntry>> Pages; // side A: "PDO From CanA to CanB"
};

// Appends every child of the root to its page, in document order. The first entry with a
// missing attribute or an en_bypass that is no integer throws, keeping those before it.
void ReadPdoTranslation(const ProjectDocument& document, XmlNode root, PdoTranslationTable& table);

// The order in which a page's entries are saved: ascending cobid value, of equal values the
// entry further down first; a cobid beyond the search start comes last. A cobid that is no
// integer throws the conversion failure.
std::vector<size_t> PdoSaveOrder(const std::vector<PdoEntry>& page);

// Rebuilds the document: the first page's entries in save order (en_bypass "3" enabled, "2"
// not), then the second page's ("1", "0"). Throws before touching the document when a cobid
// is no integer.
void WritePdoTranslation(const PdoTranslationTable& table, ProjectDocument& document);

} // namespace zz
