#pragma once
#include "xmlstore/documents/StoredText.h"

#include <string>
#include <vector>

inline namespace zz {

// sdopdo.xml, the stored PDO table of a CANopen project: the root "sdopdo" and one "row" per
// stored SDO. The root's name is also the table's sheet name.
inline constexpr const char* kSdoPdoTable = "sdopdo";

struct SdoPdoRowTexts {
    StoredText Index;
    StoredText Subindex;
    StoredText Nrpdo;   // the PDO's number on its side, plus 128 on side B
    StoredText Poscomp; // high byte position x 16 + low byte position
};

struct SdoPdoTexts {
    // Every node under the root, in order; one that is no row has every text absent.
    std::vector<SdoPdoRowTexts> Rows;
};

// The texts of the rows under `root` of a document already loaded (as a guarded read hands
// them over).
SdoPdoTexts SdoPdoTextsOf(const ProjectDocument& document, XmlNode root);

// Rebuilds the document with one "row" per row, its present attributes in the order above.
// Saving it is left to the caller.
void BuildSdoPdoXml(ProjectDocument& document, const SdoPdoTexts& texts);

} // namespace zz
