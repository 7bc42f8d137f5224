#include "devicenet/EdsFile.h"

#include "common/AsciiText.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "gateway/GatewayProject.h"

#include <cstdio>

inline namespace zz {

namespace {

// The connection bits of the masks.
constexpr unsigned kPoll = 0x0001;
constexpr unsigned kStrobe = 0x0002;
constexpr unsigned kChangeOfState = 0x0004;
constexpr unsigned kCyclic = 0x0008;

constexpr const char* kIndent = "        ";
constexpr const char* kFieldIndent = "                ";

int AreaSize(const PargenSettings& settings, bool input)
{
    const char* field = input ? "Net_In" : "Net_Out";
    const std::string& text = input ? settings.NetIn : settings.NetOut;
    const std::optional<int32_t> size = TryParseInt(text);
    if (!size || *size < 1 || *size > 128)
        throw Failure(DocumentProblem{kPargenName, std::nullopt, field,
                                      std::string(kPargenName) + ": " + field + " (Number Byte " +
                                          (input ? "IN" : "OUT") + ") must be a number from 1 to 128, not '" + text +
                                          "'."});
    return *size;
}

// Texts go between quotes in a file of ASCII: anything else becomes "?".
std::string Ascii(std::string_view text)
{
    std::string out;
    for (const char c : text) out += (c >= 0x20 && c <= 0x7E && c != '"' && c != '\\') ? c : '?';
    return out;
}

std::string Quoted(std::string_view text)
{
    return "\"" + Ascii(text) + "\"";
}

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFu);
    return text;
}

class EdsLines {
public:
    void Comment(const std::string& text) { Line("$ " + Ascii(text)); }
    void Blank() { Line(""); }
    void Section(const char* name)
    {
        if (!text_.empty()) Blank();
        Line(std::string("[") + name + "]");
    }
    void Entry(const char* key, const std::string& value) { Line(kIndent + std::string(key) + " = " + value + ";"); }
    // An entry of several fields, one a line with its comment.
    void Fields(const char* key, const std::vector<std::pair<std::string, std::string>>& fields)
    {
        Line(kIndent + std::string(key) + " =");
        for (size_t i = 0; i < fields.size(); ++i) {
            std::string line = kFieldIndent + fields[i].first + (i + 1 < fields.size() ? "," : ";");
            if (line.size() < 48) line.append(48 - line.size(), ' ');
            Line(line + " $ " + fields[i].second);
        }
    }
    std::string Text() const { return text_; }

private:
    void Line(const std::string& line) { text_ += line + "\r\n"; }
    std::string text_;
};

std::string Formatted(const std::tm& t, const char* format)
{
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, format, &t));
}

// "20 04 24 64 30 03": the data attribute (3) of the assembly class (4) instance.
std::string AssemblyPath(int instance)
{
    std::string path = "20 04 24 ";
    AppendHexByte(path, static_cast<unsigned>(instance));
    return path + " 30 03";
}

std::vector<std::pair<std::string, std::string>> DataFields(int size, unsigned mask, const char* name, int assembly,
                                                            const std::string& help)
{
    return {
        {std::to_string(size), "size in bytes"},
        {std::to_string(size * 8), "bits used"},
        {Hex4(mask), "connections it is used by"},
        {Quoted(name), "name"},
        {"6", "path size"},
        {Quoted(AssemblyPath(assembly)), "path: assembly instance " + std::to_string(assembly) + ", data"},
        {help, "help"},
    };
}

} // namespace

EdsAreaSizes EdsSizesOf(const GatewayProject& project)
{
    PargenSettings settings = PargenDefaults(true);
    if (!ProjectPargen(project, settings))
        throw Failure(
            DocumentProblem{kPargenName, std::nullopt, "Net_In",
                            std::string(kPargenName) +
                                " is missing: the sizes of the DeviceNet areas (Net_In, Net_Out) come from it."});
    return {AreaSize(settings, true), AreaSize(settings, false)};
}

std::string EdsText(const GatewayProject& project, const DeviceIdentity& id, const EdsOrigin& origin)
{
    const EdsAreaSizes sizes = EdsSizesOf(project);
    std::tm made{};
    localtime_r(&origin.Made, &made);

    unsigned offered = kPoll;
    if (id.Strobe) offered |= kStrobe;
    if (id.ChangeOfState) offered |= kChangeOfState;
    if (id.Cyclic) offered |= kCyclic;

    EdsLines eds;
    eds.Comment("Electronic Data Sheet of the CAN-DeviceNet gateway");
    eds.Comment("Project: " + origin.ProjectName);
    eds.Comment("Base firmware: " + origin.FirmwareName);
    eds.Comment("Made by zuzududada from the project's pargen.xml and the identity in MASTER.");

    eds.Section("File");
    eds.Entry("DescText", Quoted(id.ProductName + ", project " + origin.ProjectName));
    eds.Entry("CreateDate", Formatted(made, "%m-%d-%Y"));
    eds.Entry("CreateTime", Formatted(made, "%H:%M:%S"));
    eds.Entry("ModDate", Formatted(made, "%m-%d-%Y"));
    eds.Entry("ModTime", Formatted(made, "%H:%M:%S"));
    eds.Entry("Revision", "1.0");

    eds.Section("Device");
    eds.Entry("VendCode", std::to_string(id.VendorCode));
    eds.Entry("VendName", Quoted(id.VendorName));
    eds.Entry("ProdType", std::to_string(id.ProductType));
    eds.Entry("ProdTypeStr", Quoted(id.ProductTypeText));
    eds.Entry("ProdCode", std::to_string(id.ProductCode));
    eds.Entry("MajRev", std::to_string(id.MajorRevision));
    eds.Entry("MinRev", std::to_string(id.MinorRevision));
    eds.Entry("ProdName", Quoted(id.ProductName));
    eds.Entry("Catalog", Quoted(id.Catalog));

    eds.Section("Device Classification");
    eds.Entry("Class1", "DeviceNet");

    // Each connection's compatible connections, then its default input and output (0: none).
    // Change of state and cyclic share one connection, so each excludes the other; output data
    // comes only by Poll.
    eds.Section("IO_Info");
    eds.Entry("Default", Hex4(kPoll));
    eds.Entry("PollInfo", Hex4(offered) + ", 1, 1");
    if (id.Strobe) eds.Entry("StrobeInfo", Hex4(offered) + ", 1, 0");
    if (id.ChangeOfState) eds.Entry("COSInfo", Hex4(offered & ~kCyclic) + ", 1, 0");
    if (id.Cyclic) eds.Entry("CyclicInfo", Hex4(offered & ~kChangeOfState) + ", 1, 0");
    eds.Fields("Input1",
               DataFields(sizes.Input, offered, "Input data", id.InputAssembly,
                          "\"The CAN data the receive frames feed, \" \"as the byte map of the project shows it\""));
    eds.Fields("Output1", DataFields(sizes.Output, kPoll, "Output data", id.OutputAssembly,
                                     "\"The data for the send frames, \" \"as the byte map of the project shows it\""));
    return eds.Text();
}

void WriteEdsFile(const std::string& path, const GatewayProject& project, const DeviceIdentity& identity,
                  const EdsOrigin& origin)
{
    WriteFileAtomically(path, EdsText(project, identity, origin));
}

} // namespace zz
