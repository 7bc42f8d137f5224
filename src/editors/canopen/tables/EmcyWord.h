#pragma once
#include "editors/canopen/tables/EmcyDef.h"
#include "xmlstore/documents/EmcyWordXml.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// The emergency words: 16-bit words the gateway derives from the emergencies of one producer
// on one CAN side and offers as an SDO object on the other side.

// The definition of one bit: two mask bytes and the two emergency byte numbers, packed.
struct ClEbm {
    std::string b0;
    std::string b1;
    std::string poscomp; // first byte number x 16 + second, 16 bits, decimal; computed, never typed
    bool operator==(const ClEbm&) const = default;
};

// One word. The texts hold what was typed or read, unconverted.
struct TClWEmcy {
    std::string index_addrm; // SDO index on the other side
    std::string subindex;    // SDO subindex on the other side
    std::string devid;       // node ID of the producer
    std::array<ClEbm, 16> bits;
    bool operator==(const TClWEmcy&) const = default;
};

inline constexpr size_t kEmcyWordColumnCount = 52;

// The 52 column names of the sheet, which are the document's attribute names in document order
// (EmcyWordAttributes).
const std::vector<std::string>& EmcyWordColumns();

// The 52 values of a word in document order, extdata "0" for CAN A and "1" for CAN B.
std::vector<std::string> EmcyWordValues(const TClWEmcy& word, CanSide side);

// Both word lists of the window.
struct EmcyWordTable {
    std::vector<TClWEmcy> CanA;
    std::vector<TClWEmcy> CanB;
    std::vector<TClWEmcy>& Side(CanSide side) { return side == CanSide::A ? CanA : CanB; }
    const std::vector<TClWEmcy>& Side(CanSide side) const { return side == CanSide::A ? CanA : CanB; }
};

// The side extdata names: 0 is CAN A, 1 is CAN B, anything else none (the word is dropped).
// Throws the ParseInt failure of a text that is no integer.
std::optional<CanSide> SideOfExtdata(const std::string& extdata);

// poscomp of two byte numbers: (first x 16 + second) truncated to 16 bits, as decimal text.
std::string PackPoscomp(int32_t first, int32_t second);
// The two byte numbers a poscomp shows: its low 16 bits div 16 and mod 16. Throws the
// ParseInt failure of a text that is no integer (an empty one included).
std::pair<int32_t, int32_t> UnpackPoscomp(const std::string& poscomp);

// Stores the two mask texts, then the byte numbers. A byte number that is no integer throws
// its ParseInt failure with the masks already stored and poscomp unchanged.
void ModifyBit(ClEbm& bit, const std::string& b0, const std::string& b1, const std::string& first,
               const std::string& second);

// Checks a word's index, subindex and ID: all three must be given and no other word of the
// page may have the same three texts (exact comparison). When modifying, the word at
// `ownPosition` is not compared. A refusal carries "Index Not Valid".
KeyCheck CheckWord(const std::vector<TClWEmcy>& page, const std::string& index, const std::string& subindex,
                   const std::string& id, bool adding, size_t ownPosition);

// The save order of a list: ascending by the ParseInt values of devid, then index_addrm, then
// subindex; words equal in all three with the later word first. devid must be an integer in
// every word; index_addrm only where another word has the same devid, subindex only where
// another word also has the same index_addrm. Throws the ParseInt failure of the first such
// text, in list order, that is no integer. Words beyond the search's start (999999 in each
// key, compared in turn) come after all others, in list order.
std::vector<size_t> EmcyWordSaveOrder(const std::vector<TClWEmcy>& list);

// The label a new word gets in a tree whose last word carries `lastLabel`: one more, or 0 for
// a tree without words.
int NextWordLabel(std::optional<int> lastLabel);

} // namespace zz
