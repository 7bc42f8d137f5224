#pragma once
#include "xmlstore/documents/StoredText.h"

#include <vector>

inline namespace zz {

// sdo.xml, the SDO access table of a CANopen project: the root "sdo" and one "row" per entry.
// The root's name is also the table's sheet name.
inline constexpr const char* kSdoTable = "sdo";

struct SdoRowTexts {
    StoredText Conf; // bit 0: request on CAN B; bit 4: read/write
    StoredText IndexOnA;
    StoredText SubindexOnA;
    StoredText DevIdOnB;
    StoredText IndexOnB;
    StoredText SubindexOnB;
    StoredText NbyteOnB;
    StoredText Mnemonico; // older files may lack it

    bool operator==(const SdoRowTexts&) const = default;
};

struct SdoTexts {
    // Every node under the root, in order; one that is no row has every text absent.
    std::vector<SdoRowTexts> Rows;
};

// The texts of the rows under `root` of a document already loaded.
SdoTexts SdoTextsOf(const ProjectDocument& document, XmlNode root);

// Rebuilds the document with one "row" per row, its present attributes in the order above.
// Saving it is left to the caller.
void BuildSdoXml(ProjectDocument& document, const SdoTexts& texts);

} // namespace zz
