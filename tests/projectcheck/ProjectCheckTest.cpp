#include "projectcheck/ProjectCheck.h"
#include "common/MessageSink.h"
#include "gateway/GatewayProject.h"
#include "projectcheck/Report.h"
#include "projectcheck/ReportFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace {

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;

std::string Pargen(const std::string& canType, const std::string& netDevId, const std::string& netIn,
                   const std::string& netOut)
{
    return "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>" + canType +
           "</CAN_Type><How_Send>0</How_Send><Delay_Send>100</Delay_Send><TimeOut_Data>5</TimeOut_Data><Net_Dev_Id>" +
           netDevId + "</Net_Dev_Id><Net_Baud>2</Net_Baud><Net_In>" + netIn + "</Net_In><Net_Out>" + netOut +
           "</Net_Out></Par_Gen>";
}

std::string Frames(const std::string& rows)
{
    return "<Receive_Frames>" + rows + "</Receive_Frames>";
}

std::string Frame(const std::string& cobId, const std::string& dim, const std::string& mnemonic = "m")
{
    return "<row COBID=\"" + cobId + "\" Dim=\"" + dim + "\" Delete=\"N\" Mnemonic=\"" + mnemonic + "\"/>";
}

std::string Info(const std::string& rows)
{
    return "<Info>" + rows + "</Info>";
}

// A mapping row: the given bytes first, none for the rest.
std::string Mapping(std::vector<std::string> bytes)
{
    bytes.resize(8, "255");
    std::string row = "<row";
    for (size_t k = 0; k < 8; ++k) row += " B" + std::to_string(k + 1) + "=\"" + bytes[k] + "\"";
    return row + "/>";
}

// A small clean project: 16-byte areas, two receive frames, one send frame.
std::map<std::string, std::string> BaseProject()
{
    return {
        {"pargen.xml", Pargen("0", "10", "16", "16")},
        {"Receive_Frame.xml", Frames(Frame("0x181", "2") + Frame("0x281", "2"))},
        {"Receive_Info.xml", Info(Mapping({"0", "1"}) + Mapping({"2", "3"}))},
        {"Send_Frame.xml", Frames(Frame("0x201", "2"))},
        {"Send_Info.xml", Info(Mapping({"0", "0"}))},
    };
}

struct Expected {
    std::string Rule;
    Severity Level;
    std::string Document;
    std::optional<int> Row;
    std::string Field;
};

struct Case {
    const char* name;
    std::map<std::string, std::string> changes; // an empty text removes the document
    Expected expected;
};

std::string Repeat(int n, const std::function<std::string(int)>& row)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += row(i);
    return out;
}

const std::string kEmcyRow = "<row id_dev=\"5\" mask_eq_ec=\"0\" mask_eq_er=\"0\" mask_eq_m1=\"0\" mask_eq_m2=\"0\" "
                             "mask_eq_m3=\"0\" enmask_eq_ec=\"0\" enmask_eq_er=\"0\" enmask_eq_m1=\"0\" "
                             "enmask_eq_m2=\"0\" enmask_eq_m3=\"0\" bypass_set=\"1\"/>";

const Case kCases[] = {
    {"AddressOutOfRange",
     {{"pargen.xml", Pargen("0", "64", "16", "16")}},
     {"parameter-range", Severity::Error, "pargen.xml", std::nullopt, "Net_Dev_Id"}},
    {"TwentyNineBitIdInElevenBitProject",
     {{"Receive_Frame.xml", Frames(Frame("0x181", "2") + Frame("0x18FF00", "2"))}},
     {"29-bit-id-in-11-bit-project", Severity::Error, "Receive_Frame.xml", 2, "COBID"}},
    {"CobIdNoNumber",
     {{"Send_Frame.xml", Frames(Frame("12a", "2"))}},
     {"cob-id-range", Severity::Error, "Send_Frame.xml", 1, "COBID"}},
    {"DimensionOutOfRange",
     {{"Send_Frame.xml", Frames(Frame("0x201", "9"))}},
     {"dim-range", Severity::Error, "Send_Frame.xml", 1, "Dim"}},
    {"MoreThan127Frames",
     {{"Send_Frame.xml", Frames(Repeat(128, [](int i) { return Frame(std::to_string(0x200 + i), "1"); }))},
      {"Send_Info.xml", Info(Repeat(128, [](int) { return Mapping({"0"}); }))}},
     {"table-too-long", Severity::Error, "Send_Frame.xml", 128, ""}},
    {"RowCountBeyondOneByte",
     {{"Send_Frame.xml", Frames(Repeat(300, [](int i) { return Frame(std::to_string(0x200 + i), "1"); }))},
      {"Send_Info.xml", Info(Repeat(300, [](int) { return Mapping({"0"}); }))}},
     {"row-count-wraps", Severity::Error, "Send_Info.xml", 256, ""}},
    {"EmptyCobIdEndsTheTable",
     {{"Receive_Frame.xml", Frames(Frame("0x181", "2") + Frame("", "2"))}},
     {"table-gap", Severity::Error, "Receive_Frame.xml", 2, "COBID"}},
    {"DuplicateCobId",
     {{"Receive_Frame.xml", Frames(Frame("0x181", "2") + Frame("385", "2"))}},
     {"duplicate-cob-id", Severity::Warning, "Receive_Frame.xml", 2, "COBID"}},
    {"MappingValueNotADeviceNetByte",
     {{"Receive_Info.xml", Info(Mapping({"0", "200"}) + Mapping({"2", "3"}))}},
     {"mapping-value-range", Severity::Error, "Receive_Info.xml", 1, "B2"}},
    {"MappingValueTruncated",
     {{"Send_Info.xml", Info(Mapping({"300", "0"}))}},
     {"value-truncated", Severity::Error, "Send_Info.xml", 1, "B1"}},
    {"ReceiveOverlap",
     {{"Receive_Info.xml", Info(Mapping({"0", "1"}) + Mapping({"1", "3"}))}},
     {"byte-overlap", Severity::Error, "Receive_Info.xml", 2, "B1"}},
    {"ReceiveBeyondNetIn",
     {{"Receive_Info.xml", Info(Mapping({"0", "1"}) + Mapping({"2", "16"}))}},
     {"mapping-beyond-net-in", Severity::Error, "Receive_Info.xml", 2, "B2"}},
    {"SendBeyondNetOut",
     {{"pargen.xml", Pargen("0", "10", "16", "4")}, {"Send_Info.xml", Info(Mapping({"3", "4"}))}},
     {"mapping-beyond-net-out", Severity::Error, "Send_Info.xml", 1, "B2"}},
    {"FramesWithoutMappingRows",
     {{"Receive_Frame.xml", Frames(Frame("0x181", "2") + Frame("0x281", "2") + Frame("0x381", "1"))}},
     {"frames-without-mapping", Severity::Error, "Receive_Info.xml", 3, ""}},
    {"MappingRowsWithoutFrame",
     {{"Send_Info.xml", Info(Mapping({"0"}) + Mapping({"1"}))}},
     {"mapping-rows-without-frame", Severity::Warning, "Send_Info.xml", 2, ""}},
    {"MappingMissing",
     {{"Send_Info.xml", ""}},
     {"mapping-missing", Severity::Error, "Send_Info.xml", std::nullopt, ""}},
    {"MappedBeyondDim",
     {{"Receive_Info.xml", Info(Mapping({"0", "1", "9"}) + Mapping({"2", "3"}))}},
     {"mapping-beyond-dim", Severity::Error, "Receive_Info.xml", 1, "B3"}},
    {"MappingAttributeMissing",
     {{"Send_Info.xml", Info("<row B1=\"0\" B2=\"1\"/>")}},
     {"mapping-attribute-missing", Severity::Error, "Send_Info.xml", 1, "B3"}},
    {"DocumentNotWellFormed",
     {{"Receive_Frame.xml", "<Receive_Frames><row"}},
     {"document-not-loadable", Severity::Error, "Receive_Frame.xml", std::nullopt, ""}},
    {"LoaderStopsOnCanType",
     {{"pargen.xml", Pargen("abc", "10", "16", "16")}},
     {"loader-stops", Severity::Error, "pargen.xml", std::nullopt, ""}},
    {"CanTypeStoredOtherwise",
     {{"pargen.xml", Pargen("256", "10", "16", "16")}},
     {"value-truncated", Severity::Error, "pargen.xml", std::nullopt, "CAN_Type"}},
    {"PargenMissing", {{"pargen.xml", ""}}, {"document-missing", Severity::Error, "pargen.xml", std::nullopt, ""}},
    {"EmptyProject",
     {{"pargen.xml", ""},
      {"Receive_Frame.xml", ""},
      {"Receive_Info.xml", ""},
      {"Send_Frame.xml", ""},
      {"Send_Info.xml", ""}},
     {"empty-project", Severity::Error, "", std::nullopt, ""}},
    {"StoredPdoWithoutItsPdo",
     {{"rpdodef.xml",
       "<rpdodef><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"0\" posind=\"0\" n_tpdo=\"1\"/></rpdodef>"},
      {"sdopdo.xml", "<sdopdo><row index=\"8192\" subindex=\"1\" nrpdo=\"1\" poscomp=\"18\"/>"
                     "<row index=\"8192\" subindex=\"2\" nrpdo=\"2\" poscomp=\"18\"/></sdopdo>"}},
     {"stored-pdo-without-pdo", Severity::Error, "sdopdo.xml", 1, "nrpdo"}},
    {"PdoCobidNoNumber",
     {{"rpdodef.xml",
       "<rpdodef><row cobid=\"abc\" id_dev_orig=\"1\" en_bypass=\"2\" posind=\"0\" n_tpdo=\"1\"/></rpdodef>"}},
     {"key-not-a-number", Severity::Error, "rpdodef.xml", 0, "cobid"}},
    {"EmcyDefinitionsBroken",
     {{"emcydef.xml", "<emcydef><row"}},
     {"document-not-loadable", Severity::Error, "emcydef.xml", std::nullopt, ""}},
    {"EmcyIdTwice",
     {{"emcydef.xml", "<emcydef>" + kEmcyRow + kEmcyRow + "</emcydef>"}},
     {"duplicate-key", Severity::Error, "emcydef.xml", 1, "id_dev"}},
};

class ProjectCheckRules : public testing::TestWithParam<Case> {};

// Each small project gives its finding, and only findings of that one problem are errors
// beyond it (a broken document may bring its consequences along, never a crash).
TEST_P(ProjectCheckRules, GiveTheirFinding)
{
    const Case& c = GetParam();
    TempDir project;
    std::map<std::string, std::string> files = BaseProject();
    for (const auto& [name, text] : c.changes) files[name] = text;
    for (const auto& [name, text] : files)
        if (!text.empty()) project.Write(name, text);

    RecordingSink said;
    ScopedMessageSink scope(said);
    const std::vector<Finding> findings = CheckProject(LoadGatewayProject(ProjectLayout::Of(project.Path())));
    EXPECT_TRUE(said.Empty()) << c.name << ": the check said " << said.Last();
    const auto found =
        std::find_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.Rule == c.expected.Rule; });
    ASSERT_NE(found, findings.end()) << c.name << ": no " << c.expected.Rule;
    EXPECT_EQ(found->Level, c.expected.Level);
    EXPECT_EQ(found->Document, c.expected.Document);
    EXPECT_EQ(found->Row, c.expected.Row);
    EXPECT_EQ(found->Field, c.expected.Field);
    EXPECT_FALSE(found->Message.empty());
}

INSTANTIATE_TEST_SUITE_P(SmallProjects, ProjectCheckRules, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ProjectCheck, DemoAndBaseProjectsAreClean)
{
    EXPECT_TRUE(CheckProject(LoadGatewayProject(ProjectLayout::Of(kDemo))).empty());
    TempDir project;
    for (const auto& [name, text] : BaseProject()) project.Write(name, text);
    const std::vector<Finding> findings = CheckProject(LoadGatewayProject(ProjectLayout::Of(project.Path())));
    EXPECT_TRUE(findings.empty()) << findings.front().Message;
}

// Every overlap is reported, not only the first the editor would show.
TEST(ProjectCheck, ReportsEveryOverlap)
{
    TempDir project;
    for (const auto& [name, text] : BaseProject()) project.Write(name, text);
    project.Write("Receive_Info.xml", Info(Mapping({"0", "1"}) + Mapping({"0", "1"})));
    int overlaps = 0;
    for (const Finding& f : CheckProject(LoadGatewayProject(ProjectLayout::Of(project.Path()))))
        overlaps += f.Rule == "byte-overlap";
    EXPECT_EQ(overlaps, 2);
}

// A rule broken many times in one document lists its first findings and one summary in their
// place that counts the rest, so that the counts and the exit status still see them all.
TEST(ProjectCheck, SummarisesARuleBrokenManyTimes)
{
    TempDir project;
    for (const auto& [name, text] : BaseProject()) project.Write(name, text);
    const int rows = 40; // 40 frames of 8 bytes, all into bytes 0 to 7: 312 overlaps
    project.Write("Receive_Frame.xml",
                  Frames(Repeat(rows, [](int i) { return Frame(std::to_string(0x100 + i), "8"); })));
    project.Write("Receive_Info.xml", Info(Repeat(rows, [](int) {
                      return Mapping({"0", "1", "2", "3", "4", "5", "6", "7"});
                  })));
    const std::vector<Finding> findings = CheckProject(LoadGatewayProject(ProjectLayout::Of(project.Path())));
    std::vector<const Finding*> overlaps;
    for (const Finding& f : findings)
        if (f.Rule == "byte-overlap") overlaps.push_back(&f);
    ASSERT_EQ(overlaps.size(), kListedPerRule + 1);
    const Finding& summary = *overlaps.back();
    EXPECT_EQ(summary.Unlisted, 312 - kListedPerRule);
    EXPECT_EQ(summary.Row, 14); // the 101st overlap is byte 5 of row 14
    EXPECT_NE(summary.Message.find("212 more findings of the rule \"byte-overlap\" in rows 14 to 40"),
              std::string::npos)
        << summary.Message;
    EXPECT_EQ(CountFindings(findings).Errors, 312);
    EXPECT_NE(FindingsJson(findings).find("\"unlisted\": 212"), std::string::npos);
    EXPECT_NE(FindingsText(findings).find("312 errors, 0 warnings"), std::string::npos);
}

TEST(ProjectCheck, VerdictCountsErrorsAndWarnings)
{
    EXPECT_EQ(CheckVerdict({}), "Project check: no problems found");
    const Finding error{Severity::Error, "r", "d", 1, "f", "m"};
    const Finding warning{Severity::Warning, "r", "d", 1, "f", "m"};
    EXPECT_EQ(CheckVerdict({error, error}), "Project check: 2 errors, see Project > Check project");
    EXPECT_EQ(CheckVerdict({error, warning}), "Project check: 1 error, 1 warning, see Project > Check project");
    EXPECT_EQ(ProjectCheckVerdict(LoadGatewayProject(ProjectLayout::Of(kDemo))), "Project check: no problems found");
    EXPECT_EQ(ProjectCheckVerdict(LoadGatewayProject(ProjectLayout::Of(""))), "Project check: no project directory");
}

} // namespace
