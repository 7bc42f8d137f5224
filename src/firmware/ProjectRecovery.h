#pragma once
#include "firmware/BankImage.h"
#include "firmware/ConfigurationDecoding.h"

#include <string>
#include <vector>

inline namespace zz {

// A gateway project written back from the configuration of a firmware, so that a project lost
// on disk can be rebuilt from the firmware in a device.

// Where the five documents of a gateway project go.
struct GatewayDocumentPaths {
    std::string Pargen, ReceiveFrame, ReceiveInfo, SendFrame, SendInfo;
};

// Writes pargen.xml, the two frame tables (COB IDs in hexadecimal, empty mnemonics) and their
// byte mappings through the document modules, so that loading them gives the configuration
// again. Every byte of a mapping row is written as it is, also beyond the frame's length, as
// the loader reads all eight. Throws Failure when a document cannot be written.
void WriteRecoveredProject(const GatewayDocumentPaths& paths, const DecodedConfiguration& configuration);

// What differs between a decoded bank 1 and the one the recovered project builds: one line per
// byte of the counted records and the parameter block (values the documents cannot hold), and
// how many other bytes differ (records beyond the counts, unused space), which are not part of
// the configuration.
struct RecoveryCheck {
    std::vector<std::string> Configuration;
    size_t Elsewhere = 0;
};
RecoveryCheck CompareRecovered(const BankImage::Bytes& decoded, const BankImage::Bytes& rebuilt);

} // namespace zz
