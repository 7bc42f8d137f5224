#include "devicenet/EdsFile.h"
#include "common/Failure.h"
#include "devicenet/DeviceIdentity.h"
#include "devicenet/EdsReader.h"
#include "gateway/GatewayProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// 2026-12-10 10:09:02 UTC
constexpr std::time_t kMade = 1796897342;

std::string Pargen(const std::string& netIn, const std::string& netOut)
{
    return "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send><Delay_Send>100</Delay_Send>"
           "<Net_Dev_Id>1</Net_Dev_Id><Net_Baud>2</Net_Baud><Net_In>" +
           netIn + "</Net_In><Net_Out>" + netOut + "</Net_Out></Par_Gen>";
}

class EdsFile : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    std::string Eds(const std::string& netIn, const std::string& netOut, const DeviceIdentity& identity = {})
    {
        project.Write("pargen.xml", Pargen(netIn, netOut));
        return EdsText(LoadGatewayProject(ProjectLayout::Of(project.Path())), identity, {"Line4", "sx48802.sx", kMade});
    }
    TempDir project;
};

TEST(EdsReader, ReadsTheGrammar)
{
    const EdsDocument eds = ReadEds("$ head\r\n[File]\r\n  DescText = \"a; b\" $ not \"this\"\r\n   \"c\";\r\n"
                                    "[IO_Info]\r\n  Input1 =\r\n    8, $ size\r\n    ,\r\n    \"x\" \"y\";\r\n");
    EXPECT_EQ(EdsValue(eds, "File", "DescText"), "a; bc");
    const EdsEntry& input = eds.at("IO_Info").at("Input1");
    ASSERT_EQ(input.size(), 3u);
    EXPECT_EQ(input[0].Text, "8");
    EXPECT_EQ(input[1].Text, "");
    EXPECT_EQ(input[2].Text, "xy");
    EXPECT_TRUE(input[2].Quoted);
    EXPECT_THROW(ReadEds("[File]\r\n  Revision = 1.0\r\n"), std::runtime_error);
    EXPECT_THROW(ReadEds("Revision = 1.0;\r\n"), std::runtime_error);
}

// Every section and key a scanner's tool needs, as the grammar reads them, ASCII with CR LF.
TEST_F(EdsFile, HoldsTheIdentityAndTheConnections)
{
    DeviceIdentity identity;
    identity.Strobe = true;
    identity.ChangeOfState = true;
    identity.InputAssembly = 0x65;
    const std::string text = Eds("32", "24", identity);
    for (size_t i = 0; i < text.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80u) << i;
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << i;
        }
    }
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.rfind("$ ", 0), 0u);
    EXPECT_NE(text.find("$ Project: Line4\r\n"), std::string::npos);
    EXPECT_NE(text.find("$ Base firmware: sx48802.sx\r\n"), std::string::npos);

    const EdsDocument eds = ReadEds(text);
    EXPECT_EQ(EdsValue(eds, "File", "CreateDate"), "12-10-2026");
    EXPECT_EQ(EdsValue(eds, "File", "CreateTime"), "10:09:02");
    EXPECT_EQ(EdsValue(eds, "File", "ModDate"), "12-10-2026");
    EXPECT_EQ(EdsValue(eds, "File", "ModTime"), "10:09:02");
    EXPECT_EQ(EdsValue(eds, "File", "Revision"), "1.0");
    EXPECT_EQ(EdsValue(eds, "File", "DescText"), "CAN-DeviceNet Gateway, project Line4");
    EXPECT_EQ(EdsValue(eds, "Device", "VendCode"), "65000");
    EXPECT_EQ(EdsValue(eds, "Device", "VendName"), "Zuzududada Demo");
    EXPECT_EQ(EdsValue(eds, "Device", "ProdType"), "12");
    EXPECT_EQ(EdsValue(eds, "Device", "ProdTypeStr"), "Communications Adapter");
    for (const char* key : {"ProdCode", "MajRev", "MinRev"}) EXPECT_EQ(EdsValue(eds, "Device", key), "1") << key;
    EXPECT_EQ(EdsValue(eds, "Device", "ProdName"), "CAN-DeviceNet Gateway");
    EXPECT_EQ(EdsValue(eds, "Device", "Catalog"), "ZZ-CDN-1");
    EXPECT_EQ(EdsValue(eds, "Device Classification", "Class1"), "DeviceNet");

    const EdsSection& io = eds.at("IO_Info");
    EXPECT_EQ(EdsValue(eds, "IO_Info", "Default"), "0x0001");
    ASSERT_EQ(io.at("PollInfo").size(), 3u);
    EXPECT_EQ(io.at("PollInfo")[0].Text, "0x0007");
    EXPECT_EQ(io.at("StrobeInfo")[2].Text, "0");
    EXPECT_EQ(io.at("COSInfo")[0].Text, "0x0007");
    EXPECT_EQ(io.count("CyclicInfo"), 0u);
    const EdsEntry& input = io.at("Input1");
    const EdsEntry& output = io.at("Output1");
    ASSERT_EQ(input.size(), 7u);
    ASSERT_EQ(output.size(), 7u);
    EXPECT_EQ(input[2].Text, "0x0007");
    EXPECT_EQ(output[2].Text, "0x0001");
    EXPECT_EQ(input[4].Text, "6");
    EXPECT_EQ(input[5].Text, "20 04 24 65 30 03");
    EXPECT_EQ(output[5].Text, "20 04 24 96 30 03");
    EXPECT_TRUE(input[3].Quoted && input[5].Quoted && input[6].Quoted);
    EXPECT_FALSE(input[6].Text.empty());
}

// The sizes follow Net_In and Net_Out, decimal or hexadecimal as the editor stores them.
TEST_F(EdsFile, SizesFollowThePargen)
{
    for (const auto& [in, out, inBytes, outBytes] :
         {std::tuple{"1", "128", 1, 128}, {"32", "24", 32, 24}, {"0x40", "7", 64, 7}, {"128", "1", 128, 1}}) {
        const EdsDocument eds = ReadEds(Eds(in, out));
        const EdsEntry& input = eds.at("IO_Info").at("Input1");
        const EdsEntry& output = eds.at("IO_Info").at("Output1");
        EXPECT_EQ(input[0].Text, std::to_string(inBytes)) << in;
        EXPECT_EQ(input[1].Text, std::to_string(inBytes * 8)) << in;
        EXPECT_EQ(output[0].Text, std::to_string(outBytes)) << out;
        EXPECT_EQ(output[1].Text, std::to_string(outBytes * 8)) << out;
    }
}

// A size the editor refuses is refused with the field named, and the previous file stays.
TEST_F(EdsFile, InvalidSizeKeepsThePreviousFile)
{
    const std::string path = project.File("gateway.eds");
    project.Write("pargen.xml", Pargen("32", "24"));
    WriteEdsFile(path, LoadGatewayProject(ProjectLayout::Of(project.Path())), {}, {"Line4", "sx48802.sx", kMade});
    const std::string before = ReadAll(path);
    ASSERT_FALSE(before.empty());
    for (const auto& [in, out, field] :
         {std::tuple{"0", "24", "Net_In"}, {"129", "24", "Net_In"}, {"32", "abc", "Net_Out"}, {"32", "", "Net_Out"}}) {
        project.Write("pargen.xml", Pargen(in, out));
        try {
            WriteEdsFile(path, LoadGatewayProject(ProjectLayout::Of(project.Path())), {}, {"Line4", "x", kMade + 60});
            ADD_FAILURE() << in << " " << out << " was accepted";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.Problem().Field, field);
            EXPECT_NE(std::string(failure.what()).find(field), std::string::npos) << failure.what();
        }
        EXPECT_EQ(ReadAll(path), before);
    }
    const TempDir empty;
    EXPECT_THROW(EdsSizesOf(LoadGatewayProject(ProjectLayout::Of(empty.Path()))), Failure);
}

// The identity file: created with the demo values, read back as written, every field checked
// with the line it stands on; a refused save leaves the file as it was.
TEST(DeviceIdentityFile, RoundTripAndRefusals)
{
    TempDir master;
    EXPECT_EQ(LoadDeviceIdentity(master.Path()), DeviceIdentity{});
    const std::string path = IdentityFilePath(master.Path());
    const std::string demo = ReadAll(path);
    EXPECT_EQ(demo.rfind("# ", 0), 0u);

    DeviceIdentity changed;
    changed.VendorCode = 0x1234;
    changed.Catalog = "GW 7";
    changed.Cyclic = true;
    SaveDeviceIdentity(master.Path(), changed);
    EXPECT_EQ(LoadDeviceIdentity(master.Path()), changed);
    EXPECT_NE(ReadAll(path).find("VendorCode = 4660\r\n"), std::string::npos);

    const std::string saved = ReadAll(path);
    DeviceIdentity bad = changed;
    bad.MajorRevision = 128;
    EXPECT_THROW(SaveDeviceIdentity(master.Path(), bad), Failure);
    bad = changed;
    bad.OutputAssembly = bad.InputAssembly;
    EXPECT_THROW(SaveDeviceIdentity(master.Path(), bad), Failure);
    EXPECT_EQ(ReadAll(path), saved);

    const auto problem = [](const std::string& text) {
        try {
            ParseIdentityFile(text, "id.txt");
        } catch (const Failure& failure) {
            return failure.Problem();
        }
        return DocumentProblem{};
    };
    const std::string text = IdentityFileText(changed);
    // The text with the line of `key` replaced (by nothing: removed).
    const auto with = [&](const std::string& key, const std::string& line) {
        const size_t at = text.find("\r\n" + key + " = ") + 2;
        return text.substr(0, at) + line + text.substr(text.find('\n', at) + 1);
    };
    EXPECT_EQ(problem(with("VendorName", "VendorName = Caf\xC3\xA9\r\n")),
              (DocumentProblem{kIdentityFileName, 9, "VendorName",
                               "'id.txt' line 9: Vendor name may hold only printable ASCII characters other than '\"' "
                               "and '\\'."}));
    EXPECT_EQ(problem(text + "Catalog = again\r\n").Field, "Catalog");
    EXPECT_EQ(problem(text + "Colour = red\r\n").Field, "Colour");
    EXPECT_EQ(problem(text + "no equals sign\r\n").Row, 22);
    EXPECT_EQ(problem(with("Cyclic", "")).Text, "'id.txt': Cyclic (Cyclic) is missing.");
    EXPECT_EQ(problem(with("ProductType", "ProductType = 0x10000\r\n")).Text,
              "'id.txt' line 10: Product type must be a number from 0 to 65535, not '0x10000'.");
}

} // namespace
