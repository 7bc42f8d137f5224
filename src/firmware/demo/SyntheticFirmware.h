#pragma once
#include <cstdint>
#include <string>

inline namespace zz {

// A synthetic base firmware for machines without a gateway installation: an S0 header, S2
// records of 32 bytes of deterministic pseudo-random data from `first` up to (not including)
// `end`, and an S9 end record, every line ended by CR LF. The real base firmware comes with
// the gateway's installation.
std::string SyntheticFirmware(uint32_t first = 0x380000, uint32_t end = 0x3D0000, uint32_t seed = 48802);

// Writes it to the path; false when the file cannot be written.
bool WriteSyntheticFirmware(const std::string& path, uint32_t first = 0x380000, uint32_t end = 0x3D0000,
                            uint32_t seed = 48802);

} // namespace zz
