#pragma once
#include "common/UserMessage.h"
#include "editors/canopen/tables/CanSide.h"
#include "xmlstore/documents/EmcyDefXml.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline namespace zz {

// The emergency translation table: one entry per EMCY producer on one CAN side, with the masks
// and enable masks of its emergency message and how its emergencies are passed on.

// One entry. The eleven texts hold what was typed or read, unconverted.
struct TClEmcy {
    std::string id_dev;
    std::string mask_eq_ec;
    std::string mask_eq_er;
    std::string mask_eq_m1;
    std::string mask_eq_m2;
    std::string mask_eq_m3;
    std::string enmask_eq_ec;
    std::string enmask_eq_er;
    std::string enmask_eq_m1;
    std::string enmask_eq_m2;
    std::string enmask_eq_m3;
    bool bypass_enable = false;
    int bypass_type = 0; // 0 to 15: where the producer's node ID goes on the other side

    bool operator==(const TClEmcy&) const = default;
};

// The eleven texts in field order, which is also the attribute and column order.
inline constexpr size_t kEmcyTextCount = 11;
inline constexpr std::array<std::string TClEmcy::*, kEmcyTextCount> kEmcyTexts = {
    &TClEmcy::id_dev,       &TClEmcy::mask_eq_ec,   &TClEmcy::mask_eq_er,   &TClEmcy::mask_eq_m1,
    &TClEmcy::mask_eq_m2,   &TClEmcy::mask_eq_m3,   &TClEmcy::enmask_eq_ec, &TClEmcy::enmask_eq_er,
    &TClEmcy::enmask_eq_m1, &TClEmcy::enmask_eq_m2, &TClEmcy::enmask_eq_m3,
};
// The sheet's columns are the document's attributes; the table name (kEmcyDefTable) is the
// root element, sheet name and export file name.
inline constexpr std::array<const char*, kEmcyTextCount + 1> kEmcyColumns = kEmcyDefAttributes;
static_assert(kEmcyTextCount == kEmcyDefTextCount);

// The packed word bypass_set: bit 0 the enable flag, bits 1 to 4 the translation type, bit 5
// set for an entry of the CAN B list; higher bits are ignored on reading and written as 0.
int32_t PackBypassSet(const TClEmcy& entry, CanSide side);
CanSide UnpackBypassSet(int32_t bypassSet, TClEmcy& entry);

// A list line and its entry. The line shows the ID as typed or read; the entry may hold "0"
// where the line shows an empty text.
struct EmcyLine {
    std::string Text;
    TClEmcy Entry;
    bool operator==(const EmcyLine&) const = default;
};
using EmcyList = std::vector<EmcyLine>;

// Both lists of the window.
struct EmcyTable {
    EmcyList CanA;
    EmcyList CanB;
    EmcyList& Side(CanSide side) { return side == CanSide::A ? CanA : CanB; }
    const EmcyList& Side(CanSide side) const { return side == CanSide::A ? CanA : CanB; }
};

// "0" for an empty text: what Load, New and Modify store.
std::string ZeroIfEmpty(const std::string& text);

// The verdict on the key of an entry about to be added or modified: accepted when it carries no
// message; otherwise each refusal's "Index Not Valid", for the window to show in order.
struct [[nodiscard]] KeyCheck {
    UserMessages Messages;
    bool Accepted() const { return Messages.empty(); }
    explicit operator bool() const { return Accepted(); }
};

// Checks the ID of an entry about to be added or modified against the lines of its page, as
// CheckWord does for a word. An empty ID on a list that already shows an empty line is refused
// twice. When modifying, an unchanged ID is accepted without a check.
KeyCheck CheckId(const std::string& newId, const std::string& selectedId, bool adding, const EmcyList& page);

// The start value (decimal) of the EMCY tables' ordering searches.
inline constexpr int32_t kEmcySearchStart = 999999;

// The save order of a list: positions ascending by the ParseInt value of the line text, equal
// values with the later line first (MinimumSearchOrder from kEmcySearchStart). Throws the
// ParseInt failure of the first line, in list order, that is no integer. IDs above 999999
// come after all others, in list order.
std::vector<size_t> EmcySaveOrder(const EmcyList& list);

} // namespace zz
