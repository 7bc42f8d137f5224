#pragma once
#include "xmlstore/ProjectDocument.h"
#include "xmlstore/documents/PargenXml.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline namespace zz {

// The communication parameters of a gateway project (pargen.xml, root "Par_Gen"): one element
// per field, each holding its text. Edit values stay the text the engineer typed.
struct PargenSettings {
    int CanBaud = 5;          // position in kCanBaudRates; outside the list: none selected
    bool Can11Bit = true;     // "CAN_Type" "0"; anything else means 29-bit identifiers
    bool SendOnChange = true; // "How_Send" "0"; anything else means send every Delay_Send ms
    std::string DelaySend = "100";
    std::string TimeOutData = "5";
    std::string NetDevId = "10";
    int NetBaud = 2; // position in kNetBaudRates
    std::string NetIn = "128";
    std::string NetOut = "128";
};

inline constexpr std::array<std::string_view, 9> kCanBaudRates = {"10K",  "20K",  "50K",  "100K", "125K",
                                                                  "250K", "500K", "800K", "1000K"};
inline constexpr std::array<std::string_view, 3> kNetBaudRates = {"125K", "250K", "500K"};

// The values a showing starts from; the identifier length is kept from the previous showing.
PargenSettings PargenDefaults(bool can11Bit);

// Takes the texts into `into`, field by field in the document's order, over the defaults it
// already holds. A missing element (other than "TimeOut_Data", "Net_In" and "Net_Out", which
// keep their defaults) or a baud position that is not a number throws Failure; the fields read
// before it stay in `into`.
void PargenFromTexts(const PargenTexts& texts, PargenSettings& into);

// Reads the file into `into` by the rules of PargenFromTexts. Returns false, leaving `into`
// alone, when the file does not exist.
bool LoadPargen(ProjectDocument& document, const std::string& path, PargenSettings& into);

// The first broken rule in checking order, as the message the engineer sees; none when all pass.
std::optional<std::string> ValidatePargen(const PargenSettings& settings);

// Rebuilds the document with the nine elements in their fixed order and writes it.
void SavePargen(ProjectDocument& document, const std::string& path, const PargenSettings& settings);

// True when the texts ask for 29-bit identifiers: "CAN_Type" is not "0". A missing "CAN_Type"
// throws Failure.
bool Is29Bit(const PargenTexts& texts);

// True when pargen.xml asks for 29-bit identifiers: it exists and Is29Bit holds.
bool ReadIs29Bit(ProjectDocument& document, const std::string& pargenPath);

} // namespace zz
