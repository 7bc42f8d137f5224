#pragma once
#include "app/Version.h"

inline namespace zz {

// What the about window and the main window's link show.
inline constexpr const char* kSoftwareCode = "GX48802";
inline constexpr const char* kDocumentCode = "DC48802";
inline constexpr const char* kMakerWebAddress = "https://www.norvale.example/";
inline constexpr const char* kMakerSupportMail = "support@norvale.example";

} // namespace zz
