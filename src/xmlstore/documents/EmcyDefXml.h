#pragma once
#include "xmlstore/documents/StoredText.h"

#include <array>
#include <vector>

inline namespace zz {

// emcydef.xml, the emergency translation table of a CANopen project: the root "emcydef" and
// one "row" per EMCY producer. The root's name is also the table's sheet name, and the
// attribute names are its column names.
inline constexpr const char* kEmcyDefTable = "emcydef";

inline constexpr size_t kEmcyDefTextCount = 11;
// The attributes in document order: the eleven texts, then bypass_set.
inline constexpr std::array<const char*, kEmcyDefTextCount + 1> kEmcyDefAttributes = {
    "id_dev",       "mask_eq_ec",   "mask_eq_er",   "mask_eq_m1",   "mask_eq_m2",   "mask_eq_m3",
    "enmask_eq_ec", "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3", "bypass_set",
};

struct EmcyDefRowTexts {
    std::array<StoredText, kEmcyDefTextCount> Texts; // id_dev to enmask_eq_m3
    StoredText BypassSet;                            // bit 0 enable, bits 1 to 4 translation type, bit 5 the CAN B list

    bool operator==(const EmcyDefRowTexts&) const = default;
};

struct EmcyDefTexts {
    // Every node under the root, in order; one that is no row has every text absent.
    std::vector<EmcyDefRowTexts> Rows;
};

// The texts of the rows under `root` of a document already loaded.
EmcyDefTexts EmcyDefTextsOf(const ProjectDocument& document, XmlNode root);

// Rebuilds the document with one "row" per row, its present attributes in document order.
// Saving it is left to the caller.
void BuildEmcyDefXml(ProjectDocument& document, const EmcyDefTexts& texts);

} // namespace zz
