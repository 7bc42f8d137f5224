#pragma once
#include "xmlstore/documents/StoredText.h"

#include <array>
#include <string>
#include <vector>

inline namespace zz {

// emcyword.xml, the emergency words of a CANopen project: the root "emcyword" and one "row"
// of 52 attributes per word. The root's name is also the table's sheet name, and the
// attribute names are its column names.
inline constexpr const char* kEmcyWordTable = "emcyword";

// One bit of a word: bitN_b0, bitN_b1 and bitN_poscomp.
struct EmcyWordBitTexts {
    StoredText B0;
    StoredText B1;
    StoredText Poscomp;

    bool operator==(const EmcyWordBitTexts&) const = default;
};

struct EmcyWordRowTexts {
    StoredText IndexAddrm;
    StoredText Subindex;
    StoredText Extdata; // the side: 0 CAN A, 1 CAN B
    StoredText Devid;
    std::array<EmcyWordBitTexts, 16> Bits;

    bool operator==(const EmcyWordRowTexts&) const = default;
};

struct EmcyWordTexts {
    // Every node under the root, in order; one that is no row has every text absent.
    std::vector<EmcyWordRowTexts> Rows;
};

// The 52 attribute names in document order: index_addrm, subindex, extdata, devid, then
// bit0_b0, bit0_b1, bit0_poscomp ... bit15_poscomp.
const std::vector<std::string>& EmcyWordAttributes();

// The texts of the rows under `root` of a document already loaded.
EmcyWordTexts EmcyWordTextsOf(const ProjectDocument& document, XmlNode root);

// Rebuilds the document with one "row" per row, its present attributes in document order.
// Saving it is left to the caller.
void BuildEmcyWordXml(ProjectDocument& document, const EmcyWordTexts& texts);

} // namespace zz
