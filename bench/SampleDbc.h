#pragma once
#include <string>

inline namespace zz {

// A DBC file of `frames` frames with `signalsPerFrame` signals each, Intel and Motorola, with
// comments, attributes and value tables as real databases hold them.
std::string SampleDbc(int frames, int signalsPerFrame);

} // namespace zz
