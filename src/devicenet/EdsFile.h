#pragma once
#include "devicenet/DeviceIdentity.h"

#include <ctime>
#include <string>

inline namespace zz {

struct GatewayProject;

// The Electronic Data Sheet the scanner's configuration software imports to know the gateway:
// its identity and its Poll connection (and the Strobe, change of state and cyclic ones the
// identity offers) with the sizes of the DeviceNet input and output areas. ASCII, CR LF line
// ends, entries ended by ";", texts quoted, "$" comments.

// What the comment head and the dates tell.
struct EdsOrigin {
    std::string ProjectName;  // "Line4"
    std::string FirmwareName; // the base firmware's file name
    std::time_t Made = 0;     // the dates and times of [File], in local time
};

// The sizes of the input and output areas, Net_In and Net_Out of pargen.xml. A missing
// pargen.xml, or a size that is not a number from 1 to 128, throws Failure naming the field.
struct EdsAreaSizes {
    int Input = 0;
    int Output = 0;
};
EdsAreaSizes EdsSizesOf(const GatewayProject& project);

// The file's text; throws Failure as EdsSizesOf does.
std::string EdsText(const GatewayProject& project, const DeviceIdentity& identity, const EdsOrigin& origin);

// Writes the file, replacing it atomically: a refused project or a failed write leaves the
// previous file as it was.
void WriteEdsFile(const std::string& path, const GatewayProject& project, const DeviceIdentity& identity,
                  const EdsOrigin& origin);

} // namespace zz
