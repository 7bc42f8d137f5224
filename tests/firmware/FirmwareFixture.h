#pragma once
#include "common/ProjectContext.h"
#include "firmware/FirmwareComposer.h"
#include "support/TempDir.h"

#include <map>
#include <string>
#include <vector>

inline namespace zz {

// An application directory in a temporary directory: MASTER, PROJECTS and one project "P"
// with its bin directory, and a project context pointing at it.
struct FirmwareWorkspace {
    TempDir dir;
    ProjectContext project;

    FirmwareWorkspace();
    // The synthetic base firmware in MASTER; returns its path.
    std::string PutBaseFirmware(const std::string& bytes);
    std::string PutDemoBaseFirmware();
    // bankN.bin in the project's bin directory.
    void PutBankFile(int bank, const std::string& bytes);
    // Banks 1 and 2 of the bin directory merged into MASTER/sx48802.sx, written as the
    // project's New_sx48802.sx.
    CompositionContext Composition() const;
};

// <root> with one <row .../> per entry; attributes in the given order.
using Row = std::vector<std::pair<std::string, std::string>>;
std::string RowsDocument(const std::string& root, const std::vector<Row>& rows);
// <Par_Gen> with the named values.
std::string PargenDocument(const std::vector<std::pair<std::string, std::string>>& values);
// The default parameters, as the communication window writes them.
std::string DefaultPargen();
// A frame row and a mapping row whose CAN bytes go to DeviceNet bytes first .. first + 7.
Row FrameXmlRow(const std::string& cobid, const std::string& dim, const std::string& del = "N");
Row InfoRow(int first);

// Lines of a text, split at CR LF (the last line ends with CR LF, so nothing follows it).
std::vector<std::string> CrLfLines(const std::string& text);

} // namespace zz
