#include "canbus/DbcReader.h"

#include "common/Failure.h"

#include <gtest/gtest.h>

namespace {

// A file as real tools leave them: CR LF, comments, "Name :" with blanks, an NS_ list, statements
// over several lines, and statements the reader has no use for.
const char* kRealWorld = "VERSION \"1.0 \\\"beta\\\"\"\r\n\r\n"
                         "NS_ : \r\n\tNS_DESC_\r\n\tCM_\r\n\tBA_DEF_\r\n\tBA_\r\n\tVAL_\r\n\tBO_TX_BU_\r\n\r\n"
                         "BS_:\r\n\r\n"
                         "BU_: Engine Gateway  Dash\r\n"
                         "VAL_TABLE_ Gears 0 \"P\" 1 \"R ; still text\" ;\r\n\r\n"
                         "// a comment line BO_ 1 Fake: 8 X\r\n"
                         "BO_ 2147483939 Small29 : 2 Engine  // bit 31: a 29-bit frame numbered 0x123\r\n"
                         " SG_ Word : 0|16@1+ (0.1,-40) [-40|6513.5] \"\xC2\xB0"
                         "C\" Gateway,Dash\r\n\r\n"
                         "BO_ 100 Moto: 8 Engine\r\n"
                         " SG_ Mux M : 0|8@1+ (1,0) [0|0] \"\" Gateway\r\n"
                         " SG_ A m0 : 15|16@0+ (1,0) [0|0] \"\" Gateway\r\n"
                         " SG_ B m1 : 39|4@0- (1E-005,0) [-1.5E+002|150] \"\" Gateway Dash\r\n"
                         " SG_ C m1M : 61|2@1+ (1,0) [0|3] \"\" Gateway\r\n"
                         "BO_ 3221225472 VECTOR__INDEPENDENT_SIG_MSG: 0 Vector__XXX\r\n"
                         " SG_ Lost : 0|8@1+ (1,0) [0|0] \"\" Vector__XXX\r\n"
                         "BO_ 200 FdFrame: 64 Engine\r\n"
                         "BO_TX_BU_ 100 : Dash,Engine;\r\n"
                         "CM_ BO_ 100 \"Motor\r\nframe\";\r\n"
                         "CM_ SG_ 100 A \"the A\";\r\n"
                         "CM_ \"the bus\";\r\n"
                         "BA_DEF_ BO_ \"GenMsgCycleTime\" INT 0\r\n  65535;\r\n"
                         "BA_ \"GenMsgCycleTime\" BO_ 100 20;\r\n"
                         "BA_ \"Owner\" SG_ 100 B \"x\";\r\n"
                         "BA_ \"BusType\" \"CAN\";\r\n"
                         "VAL_ 100 Mux 0 \"zero\" 1 \"one\" ;\r\n"
                         "SIG_VALTYPE_ 100 A : 1;\r\n";

TEST(DbcReader, ReadsFramesSignalsCommentsAndAttributesOfARealWorldFile)
{
    const DbcDatabase db = ReadDbc(kRealWorld, "bus.dbc");
    EXPECT_EQ(db.Nodes, (std::vector<std::string>{"Engine", "Gateway", "Dash"}));
    ASSERT_EQ(db.Messages.size(), 2u);
    EXPECT_EQ(db.SkippedIndependent, 1);
    EXPECT_EQ(db.SkippedLong, (std::vector<std::string>{"FdFrame"}));

    const DbcMessage& small = db.Messages[0];
    EXPECT_TRUE(small.Extended);
    EXPECT_EQ(small.Id, 0x123u);
    EXPECT_EQ(small.Dlc, 2);
    EXPECT_EQ(small.Signals.at(0).Receivers, (std::vector<std::string>{"Gateway", "Dash"}));
    EXPECT_EQ(CoveredBytes(small), 0b11);

    const DbcMessage& moto = db.Messages[1];
    EXPECT_FALSE(moto.Extended);
    EXPECT_EQ(moto.Id, 100u);
    EXPECT_EQ(moto.Line, 20);
    EXPECT_EQ(moto.Comment, "Motor\nframe");
    EXPECT_EQ(moto.Attributes.at("GenMsgCycleTime"), "20");
    EXPECT_TRUE(moto.TransmittedBy("Dash"));
    EXPECT_TRUE(moto.ReceivedBy("Dash"));
    ASSERT_EQ(moto.Signals.size(), 4u);
    EXPECT_EQ(moto.Signals[0].Multiplex, "M");
    EXPECT_EQ(moto.Signals[3].Multiplex, "m1M");
    EXPECT_EQ(moto.Signals[1].Comment, "the A");
    EXPECT_FALSE(moto.Signals[1].Intel);
    EXPECT_TRUE(moto.Signals[2].Signed);
    EXPECT_EQ(moto.Signals[2].Receivers.size(), 2u);
    EXPECT_EQ(moto.Signals[2].Attributes.at("Owner"), "x");
    EXPECT_EQ(db.GlobalAttributes.at("BusType"), "CAN");
    // Byte 1 by the multiplexor, bytes 2 and 3 by the Motorola walk from bit 15, byte 5 by the one
    // from bit 39, byte 8 by the Intel bits 61 and 62: every branch counts.
    EXPECT_EQ(CoveredBytes(moto), 0b10010111);
}

TEST(DbcReader, WalksMotorolaSignalsDownEachByteAndIntoTheNext)
{
    DbcSignal motorola;
    motorola.StartBit = 7;
    motorola.Length = 12;
    motorola.Intel = false;
    EXPECT_EQ(SignalBytes(motorola, 8), 0b11);
    motorola.StartBit = 3; // 3..0 in byte 1, 15..8 in byte 2, then 23 in byte 3
    motorola.Length = 13;
    EXPECT_EQ(SignalBytes(motorola, 8), 0b111);
    EXPECT_EQ(SignalBytes(motorola, 2), 0b11); // the frame ends first
    DbcSignal intel;
    intel.StartBit = 60;
    intel.Length = 12;
    EXPECT_EQ(SignalBytes(intel, 8), 0x80);
    EXPECT_EQ(SignalBytes(intel, 7), 0);
}

TEST(DbcReader, ReadsCodePage1252AndUtf8AndLfLineEnds)
{
    const DbcDatabase cp1252 = ReadDbc("BO_ 1 F: 1 N\nCM_ BO_ 1 \"Temp\xE9rature \x80\";\n", "a.dbc");
    EXPECT_EQ(cp1252.Messages.at(0).Comment, "Temp\xC3\xA9rature \xE2\x82\xAC");
    const DbcDatabase utf8 = ReadDbc("\xEF\xBB\xBF"
                                     "BO_ 1 F: 1 N\nCM_ BO_ 1 \"Temp\xC3\xA9rature\";\n",
                                     "a.dbc");
    EXPECT_EQ(utf8.Messages.at(0).Comment, "Temp\xC3\xA9rature");
}

TEST(DbcReader, NamesTheLineOfADamagedFile)
{
    const std::pair<const char*, const char*> cases[] = {
        {"BU_: A\n\nBO_ 1 F: 8 A\n SG_ S : 0|8@2+ (1,0) [0|0] \"\" A\n", "line 4: the signal's byte order"},
        {"BO_ 1 F 8 A\n", "line 1: ':' is missing"},
        {"BO_ 1 F: 8 A\n SG_ S : 0|8@1+ (1,0) [0|0] \"unit\n", "line 2: a text in quotes is not closed"},
        {"\n\nBA_DEF_ \"X\" INT 0 1\n", "line 3: the statement has no ';'"},
        {"BO_ 99999999999 F: 8 A\n", "line 1: the frame's number"},
        {"SG_ S : 0|8@1+ (1,0) [0|0] \"\" A\n", "line 1: a signal stands outside a frame"},
        {"BO_ 1 F: 8 A\n;\n", "line 2: a statement starts with ';'"},
        {"CM_ BO_ 1 \"x\"\nBO_ 2 G: 1 A\n", "line 2: ';' is missing"},
    };
    for (const auto& [text, expected] : cases) {
        try {
            ReadDbc(text, "bad.dbc");
            ADD_FAILURE() << "read: " << text;
        } catch (const Failure& failure) {
            EXPECT_NE(std::string(failure.what()).find(std::string("'bad.dbc', ") + expected), std::string::npos)
                << failure.what();
        }
    }
}

} // namespace
