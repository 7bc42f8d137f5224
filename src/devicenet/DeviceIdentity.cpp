#include "devicenet/DeviceIdentity.h"

#include "common/AsciiText.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "common/TextFile.h"

#include <sys/stat.h>

inline namespace zz {

namespace {

constexpr size_t kMaxText = 32;

const char* LabelOf(const std::string& key)
{
    for (const IdentityField& field : kIdentityFields)
        if (key == field.Key) return field.Label;
    return "";
}

[[noreturn]] void Refuse(const std::string& key, const std::string& text)
{
    throw Failure(DocumentProblem{kIdentityFileName, std::nullopt, key, text});
}

const std::string& TextOf(const IdentityTexts& texts, const std::string& key)
{
    const auto found = texts.find(key);
    if (found == texts.end()) Refuse(key, std::string(LabelOf(key)) + " (" + key + ") is missing.");
    return found->second;
}

int Number(const IdentityTexts& texts, const std::string& key, int low, int high)
{
    const std::string& text = TextOf(texts, key);
    const std::optional<int32_t> value = TryParseInt(text);
    if (!value || *value < low || *value > high)
        Refuse(key, std::string(LabelOf(key)) + " must be a number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", not '" + text + "'.");
    return *value;
}

std::string Text(const IdentityTexts& texts, const std::string& key)
{
    const std::string text(Trim(TextOf(texts, key)));
    const std::string label = LabelOf(key);
    if (text.empty()) Refuse(key, label + " must not be empty.");
    if (text.size() > kMaxText)
        Refuse(key, label + " must have at most " + std::to_string(kMaxText) + " characters, not " +
                        std::to_string(text.size()) + ".");
    for (const char c : text)
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\')
            Refuse(key, label + " may hold only printable ASCII characters other than '\"' and '\\'.");
    return text;
}

bool YesNo(const IdentityTexts& texts, const std::string& key)
{
    const std::string text = AsciiLower(Trim(TextOf(texts, key)));
    if (text == "yes") return true;
    if (text == "no") return false;
    Refuse(key, std::string(LabelOf(key)) + " must be yes or no, not '" + TextOf(texts, key) + "'.");
}

} // namespace

IdentityTexts TextsOf(const DeviceIdentity& id)
{
    const auto yesNo = [](bool on) { return std::string(on ? "yes" : "no"); };
    return {
        {"VendorCode", std::to_string(id.VendorCode)},
        {"VendorName", id.VendorName},
        {"ProductType", std::to_string(id.ProductType)},
        {"ProductTypeText", id.ProductTypeText},
        {"ProductCode", std::to_string(id.ProductCode)},
        {"MajorRevision", std::to_string(id.MajorRevision)},
        {"MinorRevision", std::to_string(id.MinorRevision)},
        {"ProductName", id.ProductName},
        {"Catalog", id.Catalog},
        {"Strobe", yesNo(id.Strobe)},
        {"ChangeOfState", yesNo(id.ChangeOfState)},
        {"Cyclic", yesNo(id.Cyclic)},
        {"InputAssembly", std::to_string(id.InputAssembly)},
        {"OutputAssembly", std::to_string(id.OutputAssembly)},
    };
}

DeviceIdentity IdentityFromTexts(const IdentityTexts& texts)
{
    // In the order of kIdentityFields, so that the first error is the first field shown.
    DeviceIdentity id;
    id.VendorCode = Number(texts, "VendorCode", 1, 65535);
    id.VendorName = Text(texts, "VendorName");
    id.ProductType = Number(texts, "ProductType", 0, 65535);
    id.ProductTypeText = Text(texts, "ProductTypeText");
    id.ProductCode = Number(texts, "ProductCode", 1, 65535);
    // The scanner's electronic key keeps 7 bits of the major revision.
    id.MajorRevision = Number(texts, "MajorRevision", 1, 127);
    id.MinorRevision = Number(texts, "MinorRevision", 1, 255);
    id.ProductName = Text(texts, "ProductName");
    id.Catalog = Text(texts, "Catalog");
    id.Strobe = YesNo(texts, "Strobe");
    id.ChangeOfState = YesNo(texts, "ChangeOfState");
    id.Cyclic = YesNo(texts, "Cyclic");
    // The connection path names the instance in one byte.
    id.InputAssembly = Number(texts, "InputAssembly", 1, 255);
    id.OutputAssembly = Number(texts, "OutputAssembly", 1, 255);
    if (id.OutputAssembly == id.InputAssembly)
        Refuse("OutputAssembly",
               "Output assembly must differ from the input assembly (" + std::to_string(id.InputAssembly) + ").");
    return id;
}

std::string IdentityFileText(const DeviceIdentity& identity)
{
    std::vector<std::string> lines = {
        "# DeviceNet identity of the gateway, written into every EDS file made for a project.",
        "# One \"Key = value\" per line; empty lines and lines starting with # are ignored.",
        "# VendorCode 1-65535, ProductType 0-65535 (12 communications adapter), ProductCode 1-65535,",
        "# MajorRevision 1-127, MinorRevision 1-255, InputAssembly and OutputAssembly 1-255 and",
        "# different; VendorName, ProductTypeText, ProductName and Catalog 1-32 printable ASCII",
        "# characters without \" or \\; Strobe, ChangeOfState and Cyclic yes or no (Poll is always",
        "# offered). Numbers may be hexadecimal (0x...).",
    };
    const IdentityTexts texts = TextsOf(identity);
    for (const IdentityField& field : kIdentityFields)
        lines.push_back(std::string(field.Key) + " = " + texts.at(field.Key));
    return EncodeTextLines(lines);
}

DeviceIdentity ParseIdentityFile(std::string_view text, const std::string& path)
{
    IdentityTexts texts;
    std::map<std::string, int> rowOf;
    const std::vector<std::string> lines = SplitTextLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int row = static_cast<int>(i + 1);
        const std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == '#') continue;
        const auto refuse = [&](const std::string& key, const std::string& why) {
            throw Failure(DocumentProblem{kIdentityFileName, row, key,
                                          "'" + path + "' line " + std::to_string(row) + ": " + why});
        };
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) refuse("", "\"Key = value\" expected.");
        const std::string key(Trim(line.substr(0, equals)));
        if (!*LabelOf(key)) refuse(key, "'" + key + "' is no key of the identity.");
        if (!rowOf.emplace(key, row).second) refuse(key, key + " is given twice.");
        texts[key] = std::string(Trim(line.substr(equals + 1)));
    }
    try {
        return IdentityFromTexts(texts);
    } catch (const Failure& failure) {
        DocumentProblem problem = failure.Problem();
        const auto found = rowOf.find(problem.Field);
        if (found != rowOf.end()) problem.Row = found->second;
        problem.Text = "'" + path + "'" + (problem.Row ? " line " + std::to_string(*problem.Row) : std::string()) +
                       ": " + problem.Text;
        throw Failure(problem);
    }
}

std::string IdentityFilePath(const std::string& masterDir)
{
    return JoinPath(masterDir, kIdentityFileName);
}

DeviceIdentity LoadDeviceIdentity(const std::string& masterDir)
{
    const std::string path = IdentityFilePath(masterDir);
    if (!FileExists(path)) {
        // MASTER is made at start-up; a command may come first.
        if (!DirectoryExists(masterDir)) mkdir(masterDir.c_str(), 0777);
        const DeviceIdentity demo;
        WriteFileAtomically(path, IdentityFileText(demo));
        return demo;
    }
    return ParseIdentityFile(ReadFileBytes(path), path);
}

void SaveDeviceIdentity(const std::string& masterDir, const DeviceIdentity& identity)
{
    // Only what a reader takes back is written.
    const DeviceIdentity checked = IdentityFromTexts(TextsOf(identity));
    WriteFileAtomically(IdentityFilePath(masterDir), IdentityFileText(checked));
}

} // namespace zz
