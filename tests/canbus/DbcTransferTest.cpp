#include "canbus/DbcExport.h"
#include "canbus/DbcImport.h"
#include "canbus/DbcReader.h"

#include "common/Failure.h"
#include "firmware/BankImage.h"
#include "firmware/ConfigurationImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

const char* kDocuments[] = {"Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"};

std::string Pargen(int canType, int netIn)
{
    return "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>" + std::to_string(canType) +
           "</CAN_Type><How_Send>0</How_Send><Delay_Send>100</Delay_Send><Net_Dev_Id>10</Net_Dev_Id>"
           "<Net_Baud>2</Net_Baud><Net_In>" +
           std::to_string(netIn) + "</Net_In><Net_Out>128</Net_Out></Par_Gen>";
}

GatewayProject Project(const TempDir& dir)
{
    return LoadGatewayProject(ProjectLayout::Of(dir.Path()));
}

BankImage::Bytes Bank1(const GatewayProject& project)
{
    BankImage image;
    LoadConfigurationImage(project, image);
    return image.Bank(1);
}

// Exports `from`, imports the file into `to` holding only `from`'s pargen.xml and compares.
void ExpectRoundTrip(const TempDir& from)
{
    const GatewayProject original = Project(from);
    const std::string text = ExportDbc(original).Text;
    TempDir to;
    to.Write("pargen.xml", ReadAll(from.File("pargen.xml")));
    const GatewayProject empty = Project(to);
    const DbcImportPlan plan = PlanDbcImport(ReadDbc(text, "own.dbc"), empty, {});
    EXPECT_TRUE(plan.OwnExport);
    EXPECT_TRUE(plan.Skipped.empty());
    WriteDbcImport(empty, plan);
    for (const char* name : kDocuments) EXPECT_EQ(ReadAll(to.File(name)), ReadAll(from.File(name))) << name;
    EXPECT_EQ(Bank1(Project(to)), Bank1(original));
}

TEST(DbcTransfer, OurExportRestoresTheDemoProjectExactly)
{
    TempDir demo;
    for (const auto& entry : std::filesystem::directory_iterator(ZZ_DEMO_PROJECT_DIR))
        if (entry.is_regular_file()) demo.Write(entry.path().filename().string(), ReadAll(entry.path().string()));
    ExpectRoundTrip(demo);
}

TEST(DbcTransfer, OurExportRestoresA29BitProjectWithItsTextsAsTyped)
{
    TempDir project;
    project.Write("pargen.xml", Pargen(1, 128));
    project.Write("Receive_Frame.xml",
                  "<Receive_Frames>\n  <row COBID=\"$12\" Dim=\"3\" Delete=\"y\" Mnemonic=\"Temp&#233;rature "
                  "&quot;A&quot; 100%\"/>\n"
                  "  <row COBID=\"7\" Dim=\"8\" Delete=\"\" Mnemonic=\"\"/>\n"
                  "  <row COBID=\"0x1FFFFFFF\" Dim=\"1\" Delete=\"N\" Mnemonic=\"7up\"/>\n</Receive_Frames>\n");
    // The frames after the first have no mapping row.
    project.Write("Receive_Info.xml", "<Receive_Frames_Info>\n  <row B1=\"5\" B2=\"255\" B3=\"6\" B4=\"255\" "
                                      "B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\n"
                                      "</Receive_Frames_Info>\n");
    const GatewayProject original = Project(project);
    const DbcExport exported = ExportDbc(original);
    EXPECT_EQ(exported.ReceiveFrames, 3);
    EXPECT_EQ(exported.Signals, 2);
    const DbcDatabase db = ReadDbc(exported.Text, "own.dbc");
    ASSERT_EQ(db.Messages.size(), 3u);
    EXPECT_TRUE(db.Messages[0].Extended);
    EXPECT_EQ(db.Messages[0].Id, 0x12u);
    EXPECT_EQ(db.Messages[0].Name, "Temp_rature_A_100");
    EXPECT_EQ(db.Messages[1].Name, "Frame_7");
    EXPECT_EQ(db.Messages[2].Name, "F_7up");
    // Mapping rows missing after the first: the import would give the later frames rows of none.
    TempDir to;
    to.Write("pargen.xml", Pargen(1, 128));
    WriteDbcImport(Project(to), PlanDbcImport(db, Project(to), {}));
    const GatewayProject imported = Project(to);
    for (const GatewaySide side : kGatewaySides) {
        ASSERT_EQ(imported.Frames(side).Exists, original.Frames(side).Exists);
        if (!original.Frames(side).Exists) continue;
        const auto rows = FrameRowsOf(imported.Frames(side).Read(), side);
        const auto expected = FrameRowsOf(original.Frames(side).Read(), side);
        ASSERT_EQ(rows.size(), expected.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].CobId, expected[i].CobId);
            EXPECT_EQ(rows[i].Dim, expected[i].Dim);
            EXPECT_EQ(rows[i].Delete, expected[i].Delete);
            EXPECT_EQ(rows[i].Mnemonic, expected[i].Mnemonic);
        }
    }
    EXPECT_EQ(imported.ReceiveInfo.Read().Rows.size(), 1u);
    EXPECT_EQ(Bank1(imported), Bank1(original));

    // Into an 11-bit project every frame is skipped, with the reason.
    TempDir narrow;
    narrow.Write("pargen.xml", Pargen(0, 128));
    const DbcImportPlan plan = PlanDbcImport(db, Project(narrow), {});
    EXPECT_FALSE(plan.Of(GatewaySide::Receive).Write);
    ASSERT_EQ(plan.Skipped.size(), 3u);
    EXPECT_EQ(plan.Skipped[0], "0x00000012 Temp_rature_A_100: 29-bit identifier in a project of 11-bit identifiers");
}

// A foreign bus: the gateway GW sends one frame and receives two, one of them multiplexed and
// Motorola; a third node's frame is not for it.
const char* kForeign = "VERSION \"\"\nNS_ :\n\tCM_\nBS_:\nBU_: GW Engine Dash\n"
                       "BO_ 256 EngineData: 8 Engine\n"
                       " SG_ Mux M : 0|8@1+ (1,0) [0|3] \"\" GW\n"
                       " SG_ Speed m0 : 23|16@0+ (1,0) [0|0] \"\" GW\n"
                       " SG_ Temp m1 : 47|8@0- (1,0) [0|0] \"\" GW\n"
                       "BO_ 257 Idle: 2 Engine\n SG_ X : 0|8@1+ (1,0) [0|0] \"\" GW\n"
                       "BO_ 512 Command: 4 GW\n SG_ Cmd : 8|16@1+ (1,0) [0|0] \"\" Engine\n"
                       "BO_ 768 DashOnly: 1 Dash\n SG_ Y : 0|8@1+ (1,0) [0|0] \"\" Engine\n"
                       "BO_ 2147483904 Extended: 8 Engine\n"
                       "BO_ 4096 TooWide: 8 Engine\n SG_ W : 0|8@1+ (1,0) [0|0] \"\" GW\n";

TEST(DbcTransfer, AForeignFileGoesToTheTablesByNodeAndMapsCoveredBytesWhileTheAreaLasts)
{
    TempDir dir;
    dir.Write("pargen.xml", Pargen(0, 4));
    const DbcDatabase db = ReadDbc(kForeign, "bus.dbc");
    DbcImportOptions options;
    options.Node = "GW";
    options.Map = true;
    const DbcImportPlan plan = PlanDbcImport(db, Project(dir), options);
    const DbcImportSide& receive = plan.Of(GatewaySide::Receive);
    ASSERT_EQ(receive.Frames.size(), 2u);
    EXPECT_EQ(receive.Frames[0].CobId, "0x100");
    EXPECT_EQ(receive.Frames[0].Mnemonic, "EngineData");
    EXPECT_EQ(receive.Frames[0].Delete, "N");
    // Bytes 1, 3, 4 (Motorola from bit 23) and 6 are covered; the input area has four bytes, so
    // Idle finds none.
    const FrameMapping& engine = receive.Mappings[0];
    EXPECT_EQ(std::vector<int>({engine.B1, engine.B2, engine.B3, engine.B4, engine.B5, engine.B6}),
              std::vector<int>({0, 255, 1, 2, 255, 3}));
    EXPECT_EQ(receive.Mappings[1].B1, kNoByte);
    EXPECT_EQ(plan.NotFitted, std::vector<std::string>{"0x101 Idle byte 1"});
    const DbcImportSide& send = plan.Of(GatewaySide::Send);
    ASSERT_EQ(send.Frames.size(), 1u);
    EXPECT_EQ(send.Mappings[0].B2, 0);
    EXPECT_EQ(send.Mappings[0].B3, 1);
    EXPECT_EQ(send.Mappings[0].B1, kNoByte);
    EXPECT_EQ(plan.Skipped,
              (std::vector<std::string>{"0x300 DashOnly: neither sent nor received by GW",
                                        "0x00000100 Extended: 29-bit identifier in a project of 11-bit identifiers",
                                        "0x1000 TooWide: a standard identifier beyond 11 bits"}));

    // Without --map every byte is none; --side takes every frame of the right length.
    options = {};
    options.Side = GatewaySide::Send;
    const DbcImportPlan oneSide = PlanDbcImport(db, Project(dir), options);
    EXPECT_EQ(oneSide.Of(GatewaySide::Send).Frames.size(), 4u);
    EXPECT_EQ(oneSide.Of(GatewaySide::Send).MappedBytes, 0);
    EXPECT_FALSE(oneSide.Of(GatewaySide::Receive).Write);
}

TEST(DbcTransfer, RefusesWhatTheTablesCannotTakeAndChangesNothing)
{
    TempDir dir;
    dir.Write("pargen.xml", Pargen(0, 128));
    const DbcDatabase foreign = ReadDbc(kForeign, "bus.dbc");
    EXPECT_THROW(PlanDbcImport(foreign, Project(dir), {}), Failure); // neither node nor side
    DbcImportOptions options;
    options.Node = "Nobody";
    EXPECT_THROW(PlanDbcImport(foreign, Project(dir), options), Failure);

    std::string many = "BU_: GW\n";
    for (int id = 1; id <= 130; ++id) many += "BO_ " + std::to_string(id) + " F" + std::to_string(id) + ": 1 GW\n";
    const DbcDatabase big = ReadDbc(many, "many.dbc");
    options.Node = "GW";
    EXPECT_THROW(PlanDbcImport(big, Project(dir), options), Failure);
    options.Frames = ParseFrameList("0x10,3");
    const DbcImportPlan chosen = PlanDbcImport(big, Project(dir), options);
    EXPECT_EQ(chosen.Of(GatewaySide::Send).Frames.size(), 2u);
    options.Frames = ParseFrameList("999");
    EXPECT_THROW(PlanDbcImport(big, Project(dir), options), Failure);
    EXPECT_FALSE(ParseFrameList("1,x"));

    // The mapping cannot be written: the frame table written before it is put back.
    dir.Write("Send_Frame.xml",
              "<Receive_Frames>\n  <row COBID=\"0x7\" Dim=\"1\" Mnemonic=\"Old\"/>\n</Receive_Frames>\n");
    dir.Write("Send_Info.xml", "<Receive_Frames_Info/>\n");
    ASSERT_EQ(chmod(dir.File("Send_Info.xml").c_str(), 0444), 0);
    options.Frames = ParseFrameList("3");
    const DbcImportPlan replacing = PlanDbcImport(big, Project(dir), options);
    EXPECT_TRUE(replacing.ReplacesAny());
    const std::string before = ReadAll(dir.File("Send_Frame.xml"));
    EXPECT_THROW(WriteDbcImport(Project(dir), replacing), Failure);
    EXPECT_EQ(ReadAll(dir.File("Send_Frame.xml")), before);
    EXPECT_EQ(ReadAll(dir.File("Send_Info.xml")), "<Receive_Frames_Info/>\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("Receive_Frame.xml")));
}

TEST(DbcTransfer, ExportRefusesFramesADbcFileCannotHold)
{
    TempDir dir;
    dir.Write("Receive_Frame.xml",
              "<Receive_Frames><row COBID=\"0x181\" Dim=\"2\" Delete=\"N\" Mnemonic=\"A\"/></Receive_Frames>");
    dir.Write("Send_Frame.xml", "<Receive_Frames><row COBID=\"385\" Dim=\"2\" Mnemonic=\"B\"/></Receive_Frames>");
    try {
        ExportDbc(Project(dir));
        FAIL() << "exported";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(),
                     "Send_Frame.xml, row 1: the COB ID 385 is in the tables twice; a DBC file holds each frame once");
    }
    dir.Write("Send_Frame.xml", "<Receive_Frames><row COBID=\"386\" Dim=\"9\" Mnemonic=\"B\"/></Receive_Frames>");
    EXPECT_THROW(ExportDbc(Project(dir)), Failure);
}

} // namespace
