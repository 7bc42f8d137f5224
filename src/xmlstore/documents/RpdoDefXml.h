#pragma once
#include "xmlstore/documents/StoredText.h"

#include <vector>

inline namespace zz {

// rpdodef.xml, the PDO translation table of a CANopen project: the root "rpdodef" and one
// "row" per PDO. The root's name is also the table's sheet name.
inline constexpr const char* kRpdoDefTable = "rpdodef";

struct RpdoDefRowTexts {
    StoredText CobId;
    StoredText IdDevOrig;
    StoredText EnBypass; // bit 1: from CAN A to CAN B; bit 0: translation enabled
    StoredText Posind;
    StoredText NTpdo;

    bool operator==(const RpdoDefRowTexts&) const = default;
};

struct RpdoDefTexts {
    // Every node under the root, in order; one that is no row has every text absent.
    std::vector<RpdoDefRowTexts> Rows;
};

// The texts of the rows under `root` of a document already loaded.
RpdoDefTexts RpdoDefTextsOf(const ProjectDocument& document, XmlNode root);

// Rebuilds the document with one "row" per row, its present attributes in the order above.
// Saving it is left to the caller.
void BuildRpdoDefXml(ProjectDocument& document, const RpdoDefTexts& texts);

} // namespace zz
