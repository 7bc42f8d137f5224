#pragma once
#include "firmware/ConfigurationDecoding.h"

#include <string>

inline namespace zz {

// decode --json: the parameters (the listed ones with their value and text), then the receive
// and send frames, a frame and its eight DeviceNet bytes (null for none) a line.
std::string DecodedConfigurationJson(const DecodedConfiguration& configuration);

} // namespace zz
