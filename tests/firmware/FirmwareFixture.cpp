#include "FirmwareFixture.h"

#include "firmware/demo/SyntheticFirmware.h"

inline namespace zz {

FirmwareWorkspace::FirmwareWorkspace()
{
    project.AppDir = dir.Path();
    project.MasterDir = dir.MakeDir("MASTER");
    project.ProjectsDir = dir.MakeDir("PROJECTS");
    project.ProjectDir = dir.MakeDir("PROJECTS/P");
    project.ProjectName = "/P";
    dir.MakeDir("PROJECTS/P/bin");
    project.UpdateProjectFiles();
}

std::string FirmwareWorkspace::PutBaseFirmware(const std::string& bytes)
{
    return dir.Write("MASTER/sx48802.sx", bytes);
}

std::string FirmwareWorkspace::PutDemoBaseFirmware()
{
    return PutBaseFirmware(SyntheticFirmware());
}

void FirmwareWorkspace::PutBankFile(int bank, const std::string& bytes)
{
    dir.Write("PROJECTS/P/bin/bank" + std::to_string(bank) + ".bin", bytes);
}

CompositionContext FirmwareWorkspace::Composition() const
{
    CompositionContext context;
    context.BaseFirmwareDir = project.MasterDir;
    context.BaseFirmwareName = "sx48802.sx";
    context.BankDir = project.ProjectDir + "/bin/";
    context.OutputDir = project.ProjectDir + "/";
    context.NewFirmwareName = "New_sx48802.sx";
    context.Selected = {true, true, false, false, false};
    return context;
}

std::string RowsDocument(const std::string& root, const std::vector<Row>& rows)
{
    std::string out = "<" + root + ">\r\n";
    for (const Row& row : rows) {
        out += "  <row";
        for (const auto& [name, value] : row) out += " " + name + "=\"" + value + "\"";
        out += "/>\r\n";
    }
    return out + "</" + root + ">\r\n";
}

std::string PargenDocument(const std::vector<std::pair<std::string, std::string>>& values)
{
    std::string out = "<Par_Gen>\r\n";
    for (const auto& [name, value] : values) out += "  <" + name + ">" + value + "</" + name + ">\r\n";
    return out + "</Par_Gen>\r\n";
}

std::string DefaultPargen()
{
    return PargenDocument({{"Can_Baud", "5"},
                           {"CAN_Type", "0"},
                           {"How_Send", "0"},
                           {"Delay_Send", "100"},
                           {"TimeOut_Data", "5"},
                           {"Net_Dev_Id", "10"},
                           {"Net_Baud", "2"},
                           {"Net_In", "128"},
                           {"Net_Out", "128"}});
}

Row FrameXmlRow(const std::string& cobid, const std::string& dim, const std::string& del)
{
    return {{"COBID", cobid}, {"Dim", dim}, {"Delete", del}, {"Mnemonic", ""}};
}

Row InfoRow(int first)
{
    Row row{{"Dim", "8"}};
    for (int k = 0; k < 8; ++k) row.push_back({"B" + std::to_string(k + 1), std::to_string(first + k)});
    return row;
}

std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace zz
