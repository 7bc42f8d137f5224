#include "canbus/DbcWriter.h"
#include "canbus/DbcReader.h"

#include "common/Failure.h"

#include <gtest/gtest.h>

namespace {

DbcDatabase Sample()
{
    DbcDatabase db;
    db.Nodes = {"Gateway", "CanBus"};
    DbcMessage& frame = db.Messages.emplace_back();
    frame.Id = 0x1F;
    frame.Extended = true;
    frame.Dlc = 3;
    frame.Name = "Valve";
    frame.Transmitter = "Gateway";
    frame.Comment = "valve, set";
    frame.Attributes["Row"] = "1";
    DbcSignal& signal = frame.Signals.emplace_back();
    signal.Name = "Valve_B3";
    signal.StartBit = 16;
    signal.Length = 8;
    signal.Receivers = {"CanBus"};
    signal.Attributes["Byte"] = "7";
    db.Definitions = {
        {"", "BusType", "STRING", "\"\""}, {"BO_", "Row", "INT 1 127", "1"}, {"SG_", "Byte", "INT 0 255", "255"}};
    db.GlobalAttributes["BusType"] = "CAN";
    return db;
}

TEST(DbcWriter, WritesTheStrictProfileThatItsOwnReaderReadsBack)
{
    const std::string text = WriteDbc(Sample());
    EXPECT_EQ(text.rfind("VERSION \"\"\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nBS_:\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nBU_: Gateway CanBus\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nBO_ 2147483679 Valve: 3 Gateway\r\n SG_ Valve_B3 : 16|8@1+ (1,0) [0|255] \"\" CanBus\r\n"),
              std::string::npos);
    // The usual order, and never a blank before ';'.
    const size_t comment = text.find("\nCM_ BO_"), definition = text.find("\nBA_DEF_ BO_"),
                 defaults = text.find("\nBA_DEF_DEF_ "), global = text.find("BA_ \"BusType\""),
                 message = text.find("BA_ \"Row\" BO_"), signal = text.find("BA_ \"Byte\" SG_ 2147483679 Valve_B3 7;");
    EXPECT_LT(text.find("BO_ 2147483679"), comment);
    EXPECT_LT(comment, definition);
    EXPECT_LT(definition, defaults);
    EXPECT_LT(defaults, global);
    EXPECT_LT(global, message);
    EXPECT_LT(message, signal);
    EXPECT_EQ(text.find(" ;"), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos);

    const DbcDatabase back = ReadDbc(text, "own.dbc");
    ASSERT_EQ(back.Messages.size(), 1u);
    EXPECT_EQ(back.Messages[0].Id, 0x1Fu);
    EXPECT_TRUE(back.Messages[0].Extended);
    EXPECT_EQ(back.Messages[0].Comment, "valve, set");
    EXPECT_EQ(back.Messages[0].Signals.at(0).Attributes.at("Byte"), "7");
}

TEST(DbcWriter, RefusesNamesAndTextsOutsideTheProfile)
{
    DbcDatabase db = Sample();
    db.Messages[0].Name = std::string(33, 'a');
    EXPECT_THROW(WriteDbc(db), Failure);
    db = Sample();
    db.Messages[0].Comment = "caf\xC3\xA9";
    EXPECT_THROW(WriteDbc(db), Failure);
    db = Sample();
    db.Messages[0].Signals[0].Receivers.clear();
    EXPECT_THROW(WriteDbc(db), Failure);
    EXPECT_TRUE(IsDbcName(std::string(32, 'a')));
    EXPECT_FALSE(IsDbcName("1a"));
    EXPECT_FALSE(IsDbcName("a-b"));
}

} // namespace
