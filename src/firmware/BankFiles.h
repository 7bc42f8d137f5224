#pragma once
#include "firmware/BankImage.h"

#include <string>
#include <vector>

struct ProjectContext;

// ProjectDir + "/bin".
std::string BankDirectoryOf(const ProjectContext& project);

// Writes bank1.bin to bank5.bin into the project's bin directory, each exactly the 16,384
// bytes of its image. A file that cannot be written is passed over without a message, and the
// bin directory is never created here: the project owns it.
void WriteBankFiles(const ProjectContext& project, const BankImage& image);

// The 1,027 lines of bankg.c: image 1 as a constant array placed in SEGMENT0.
std::vector<std::string> BankSourceLines(const BankImage& image);

// Writes bankg.c into the project's bin directory (117,824 bytes, CR LF lines). Throws Failure
// naming the full path and the reason when the file cannot be written.
void WriteBankSource(const ProjectContext& project, const BankImage& image);
