#pragma once
#include "firmware/BankImage.h"

#include <array>
#include <string>

inline namespace zz {

struct ProjectContext;

// ProjectDir + "/bin".
std::string BankDirectoryOf(const ProjectContext& project);

// Temporary files of the bin directory are the target's name with this suffix (mkstemp's X).
inline constexpr const char* kWritingSuffix = ".writing-XXXXXX";

// For bank files 1 to 5, why the file could not be written; empty when it was.
using BankFileProblems = std::array<std::string, BankImage::kBankCount>;

// Writes bank1.bin to bank5.bin into the project's bin directory, each exactly the 16,384
// bytes of its image. A file that cannot be written is passed over without a message (the
// composer says it when it would merge that bank), and the bin directory is never created
// here: the project owns it.
BankFileProblems WriteBankFiles(const ProjectContext& project, const BankImage& image);

// bankg.c: image 1 as a constant array placed in SEGMENT0, 1,027 lines each ended by CR LF.
// Only ASCII, so that it is the same in code page 1252, the system's text files' code page.
std::string BankSourceText(const BankImage& image);

// Writes bankg.c into the project's bin directory (117,824 bytes, CR LF lines). Throws Failure
// naming the full path and the reason when the file cannot be written.
void WriteBankSource(const ProjectContext& project, const BankImage& image);

} // namespace zz
