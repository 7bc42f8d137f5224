#pragma once
#include <array>
#include <map>
#include <string>
#include <string_view>

inline namespace zz {

// How the gateway introduces itself to the DeviceNet scanner. It belongs to the base firmware,
// not to a project, so it is kept beside the base firmware in MASTER, in kIdentityFileName: a
// text file of "Key = value" lines (the keys of kIdentityFields; blanks around the "=" and at
// the line ends do not count; empty lines and lines starting with "#" are comments).
inline constexpr const char* kIdentityFileName = "DeviceNet_Identity.txt";

// The demo values, which a missing file is created with.
struct DeviceIdentity {
    int VendorCode = 65000;
    std::string VendorName = "Zuzududada Demo";
    int ProductType = 12;
    std::string ProductTypeText = "Communications Adapter";
    int ProductCode = 1;
    int MajorRevision = 1;
    int MinorRevision = 1;
    std::string ProductName = "CAN-DeviceNet Gateway";
    std::string Catalog = "ZZ-CDN-1";
    // The I/O connections offered besides Poll, which is always offered.
    bool Strobe = false;
    bool ChangeOfState = false;
    bool Cyclic = false;
    int InputAssembly = 100;  // the assembly instance of the input data (produced to the scanner)
    int OutputAssembly = 150; // the assembly instance of the output data (consumed from it)

    bool operator==(const DeviceIdentity&) const = default;
};

// A field of the identity: its key in the file and its label in the window.
struct IdentityField {
    const char* Key;
    const char* Label;
};
inline constexpr std::array<IdentityField, 14> kIdentityFields = {{
    {"VendorCode", "Vendor code"},
    {"VendorName", "Vendor name"},
    {"ProductType", "Product type"},
    {"ProductTypeText", "Product type text"},
    {"ProductCode", "Product code"},
    {"MajorRevision", "Major revision"},
    {"MinorRevision", "Minor revision"},
    {"ProductName", "Product name"},
    {"Catalog", "Catalogue number"},
    {"Strobe", "Strobe"},
    {"ChangeOfState", "Change of state"},
    {"Cyclic", "Cyclic"},
    {"InputAssembly", "Input assembly"},
    {"OutputAssembly", "Output assembly"},
}};

// The field texts by key: numbers in decimal, the connections "yes" or "no".
using IdentityTexts = std::map<std::string, std::string>;

IdentityTexts TextsOf(const DeviceIdentity& identity);

// The identity of the texts, each field checked in the order of kIdentityFields: numbers
// (decimal or hexadecimal) in their ranges, texts of 1 to 32 printable ASCII characters without
// '"' or '\', the connections "yes" or "no", two different assemblies. The first field that
// breaks its rule, or is missing, throws Failure with the field's key as Field and a message
// naming its label.
DeviceIdentity IdentityFromTexts(const IdentityTexts& texts);

// The file: a comment head that tells the format, then one line per field, CR LF line ends.
std::string IdentityFileText(const DeviceIdentity& identity);

// Reads the file's text by the rules of IdentityFromTexts; a line that is no "Key = value", an
// unknown or repeated key throws Failure with the line as Row. `path` names the file in messages.
DeviceIdentity ParseIdentityFile(std::string_view text, const std::string& path);

std::string IdentityFilePath(const std::string& masterDir);

// The identity kept in MASTER; the file (and MASTER, one level) is created with the demo values
// when it is missing.
// Throws Failure when the file cannot be read, is refused, or cannot be created.
DeviceIdentity LoadDeviceIdentity(const std::string& masterDir);

// Checks the identity as IdentityFromTexts does and replaces the file atomically: after any
// failure the previous file is as it was.
void SaveDeviceIdentity(const std::string& masterDir, const DeviceIdentity& identity);

} // namespace zz
