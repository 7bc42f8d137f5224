#pragma once
#include "editors/gateway/PargenDocument.h"

#include <string>

inline namespace zz {

// The sizes of the DeviceNet input and output areas a project sets in pargen.xml (Net_In and
// Net_Out). A size the editor would refuse, or a project without pargen.xml, counts as the
// full 128 bytes: the mappings are then measured against the largest area, and the refused
// value is a finding of its own.
struct DeviceNetAreas {
    int input = 128;
    int output = 128;
};
DeviceNetAreas AreasOf(const PargenSettings& settings);

// Reads pargen.xml through its document module; the full areas when it is missing or cannot
// be read.
DeviceNetAreas ReadDeviceNetAreas(const std::string& pargenPath);

} // namespace zz
