#include "gateway/PargenDocument.h"

#include "common/Failure.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Pargen(const std::string& elements)
{
    return "<Par_Gen>" + elements + "</Par_Gen>";
}

TEST(PargenDocument, SavesTheNineElementsInOrderAndReadsThemBack)
{
    TempDir dir;
    ProjectDocument document;
    PargenSettings settings = PargenDefaults(false);
    settings.NetDevId = "0x3F";
    settings.SendOnChange = false;
    SavePargen(document, dir.File("pargen.xml"), settings);
    EXPECT_EQ(ReadAll(dir.File("pargen.xml")),
              "<Par_Gen>\r\n  <Can_Baud>5</Can_Baud>\r\n  <CAN_Type>1</CAN_Type>\r\n  <How_Send>1</How_Send>\r\n"
              "  <Delay_Send>100</Delay_Send>\r\n  <TimeOut_Data>5</TimeOut_Data>\r\n"
              "  <Net_Dev_Id>0x3F</Net_Dev_Id>\r\n  <Net_Baud>2</Net_Baud>\r\n  <Net_In>128</Net_In>\r\n"
              "  <Net_Out>128</Net_Out>\r\n</Par_Gen>\r\n");

    PargenSettings read = PargenDefaults(true);
    ASSERT_TRUE(LoadPargen(document, dir.File("pargen.xml"), read));
    EXPECT_EQ(read.CanBaud, 5);
    EXPECT_FALSE(read.Can11Bit);
    EXPECT_FALSE(read.SendOnChange);
    EXPECT_EQ(read.NetDevId, "0x3F");
    EXPECT_EQ(read.NetBaud, 2);
}

TEST(PargenDocument, ReadsElementsInAnyOrderAndKeepsTextsAsTyped)
{
    TempDir dir;
    const std::string path = dir.Write(
        "pargen.xml", Pargen("<Net_Out>$20</Net_Out><Net_In>16</Net_In><Net_Baud>1</Net_Baud>"
                             "<Net_Dev_Id>0x3F</Net_Dev_Id><TimeOut_Data>7</TimeOut_Data><Delay_Send>250</Delay_Send>"
                             "<How_Send>1</How_Send><CAN_Type>1</CAN_Type><Can_Baud>3</Can_Baud>"));
    ProjectDocument document;
    PargenSettings read = PargenDefaults(true);
    ASSERT_TRUE(LoadPargen(document, path, read));
    EXPECT_EQ(read.CanBaud, 3);
    EXPECT_EQ(read.DelaySend, "250");
    EXPECT_EQ(read.TimeOutData, "7");
    EXPECT_EQ(read.NetIn, "16");
    EXPECT_EQ(read.NetOut, "$20");
}

TEST(PargenDocument, OlderFilesWithoutTimeOutAndAreaSizesGetTheirDefaults)
{
    TempDir dir;
    const std::string path =
        dir.Write("pargen.xml", Pargen("<Can_Baud>4</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send>"
                                       "<Delay_Send>20</Delay_Send><Net_Dev_Id>3</Net_Dev_Id><Net_Baud>0</Net_Baud>"));
    ProjectDocument document;
    PargenSettings read = PargenDefaults(true);
    ASSERT_TRUE(LoadPargen(document, path, read));
    EXPECT_EQ(read.TimeOutData, "5");
    EXPECT_EQ(read.NetIn, "128");
    EXPECT_EQ(read.NetOut, "128");
    EXPECT_TRUE(read.Can11Bit);

    SavePargen(document, dir.File("again.xml"), read);
    const std::string saved = ReadAll(dir.File("again.xml"));
    for (const char* element : {"<TimeOut_Data>5<", "<Net_In>128<", "<Net_Out>128<"})
        EXPECT_NE(saved.find(element), std::string::npos) << element;
}

TEST(PargenDocument, AnyCanTypeButZeroMeans29Bit)
{
    TempDir dir;
    ProjectDocument document;
    for (const char* type : {"1", "2", ""}) {
        const std::string path =
            dir.Write("pargen.xml", Pargen(std::string("<Can_Baud>5</Can_Baud><CAN_Type>") + type +
                                           "</CAN_Type><How_Send>0</How_Send><Delay_Send>1</Delay_Send>"
                                           "<Net_Dev_Id>1</Net_Dev_Id><Net_Baud>2</Net_Baud>"));
        PargenSettings read = PargenDefaults(true);
        LoadPargen(document, path, read);
        EXPECT_FALSE(read.Can11Bit) << "CAN_Type '" << type << "'";
        EXPECT_TRUE(ReadIs29Bit(document, path)) << "CAN_Type '" << type << "'";
    }
    const std::string path = dir.Write("pargen.xml", Pargen("<CAN_Type>0</CAN_Type>"));
    EXPECT_FALSE(ReadIs29Bit(document, path));
    EXPECT_FALSE(ReadIs29Bit(document, dir.File("missing.xml")));
    dir.Write("pargen.xml", Pargen("<Can_Baud>5</Can_Baud>"));
    EXPECT_THROW(ReadIs29Bit(document, path), Failure);
}

TEST(PargenDocument, AMissingRequiredElementEndsTheLoadKeepingWhatWasRead)
{
    TempDir dir;
    const std::string path =
        dir.Write("pargen.xml", Pargen("<Can_Baud>7</Can_Baud><CAN_Type>1</CAN_Type><How_Send>1</How_Send>"
                                       "<TimeOut_Data>9</TimeOut_Data><Net_Dev_Id>3</Net_Dev_Id>"));
    ProjectDocument document;
    PargenSettings read = PargenDefaults(true);
    try {
        LoadPargen(document, path, read);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("Delay_Send"), std::string::npos) << failure.what();
    }
    EXPECT_EQ(read.CanBaud, 7);
    EXPECT_FALSE(read.SendOnChange);
    EXPECT_EQ(read.DelaySend, "100");
    EXPECT_EQ(read.NetDevId, "10");

    dir.Write("pargen.xml", Pargen("<Can_Baud>fast</Can_Baud>"));
    EXPECT_THROW(LoadPargen(document, path, read), Failure);
    EXPECT_FALSE(LoadPargen(document, dir.File("none.xml"), read));
}

TEST(PargenDocument, ChecksRunInOrderWithTheirMessages)
{
    struct Case {
        std::string PargenSettings::*field;
        std::string text;
        const char* message; // nullptr: accepted
    };
    const char* cycle = "Error!! The Time Before send a new Frame must be between 1 and 65535. ";
    const char* timeOut = "Error!! CAN TimeOut Data must be between 0 and 10000. ";
    const char* address = "Error!! DeviceNET address must be between 0 and 63. ";
    const char* in = "Error!! DeviceNET Number Byte IN must be between 1 and 128. ";
    const char* out = "Error!! DeviceNET Number Byte OUT must be between 1 and 128. ";
    const Case cases[] = {
        {&PargenSettings::DelaySend, "0", cycle},      {&PargenSettings::DelaySend, "65535", nullptr},
        {&PargenSettings::DelaySend, "65536", cycle},  {&PargenSettings::DelaySend, "", cycle},
        {&PargenSettings::TimeOutData, "0", nullptr},  {&PargenSettings::TimeOutData, "10001", timeOut},
        {&PargenSettings::TimeOutData, "-1", timeOut}, {&PargenSettings::NetDevId, "0x3F", nullptr},
        {&PargenSettings::NetDevId, "64", address},    {&PargenSettings::NetDevId, "abc", address},
        {&PargenSettings::NetDevId, "63 ", address},   {&PargenSettings::NetIn, "0", in},
        {&PargenSettings::NetIn, "128", nullptr},      {&PargenSettings::NetIn, "129", in},
        {&PargenSettings::NetOut, "$80", nullptr},     {&PargenSettings::NetOut, "0", out},
    };
    for (const Case& c : cases) {
        PargenSettings settings = PargenDefaults(true); // sends on data change: the cycle is still checked
        settings.*(c.field) = c.text;
        const auto message = ValidatePargen(settings);
        if (c.message) EXPECT_EQ(message.value_or("accepted"), c.message) << "'" << c.text << "'";
        else EXPECT_FALSE(message) << "'" << c.text << "' refused: " << *message;
    }

    PargenSettings twoWrong = PargenDefaults(true);
    twoWrong.NetOut = "0";
    twoWrong.TimeOutData = "x";
    EXPECT_EQ(ValidatePargen(twoWrong).value_or(""), timeOut);
}

TEST(PargenDocument, ABaudPositionOutsideTheListIsNotSaved)
{
    PargenSettings settings = PargenDefaults(true);
    settings.CanBaud = 9;
    EXPECT_EQ(ValidatePargen(settings).value_or(""), "Error!! Select the CAN baud rate. ");
    settings.CanBaud = 8;
    settings.NetBaud = -1;
    EXPECT_EQ(ValidatePargen(settings).value_or(""), "Error!! Select the DeviceNET baud rate. ");
    settings.NetBaud = 0;
    EXPECT_FALSE(ValidatePargen(settings));
}

} // namespace
