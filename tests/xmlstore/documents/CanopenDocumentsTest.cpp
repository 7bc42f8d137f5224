#include "common/Failure.h"
#include "xmlstore/documents/EmcyDefXml.h"
#include "xmlstore/documents/EmcyWordXml.h"
#include "xmlstore/documents/RpdoDefXml.h"
#include "xmlstore/documents/SdoXml.h"

#include <gtest/gtest.h>

namespace {

// Loads the text under the guarded discipline, as the CANopen editors do.
ProjectDocument& Loaded(ProjectDocument& document, const std::string& text)
{
    document.LoadText(text, "t.xml");
    return document;
}

TEST(SdoXml, WritesEveryAttributeInOrderAndReadsAbsentApartFromEmpty)
{
    SdoTexts texts;
    texts.Rows.push_back({StoredText::Of("17"), StoredText::Of("0x1000"), StoredText::Of("0"), StoredText::Of("5"),
                          StoredText::Of("0x2000"), StoredText::Of("1"), StoredText::Of("2"), StoredText::Of("")});
    ProjectDocument document(Discipline::Guarded);
    BuildSdoXml(document, texts);
    const std::string bytes = document.Serialize();
    EXPECT_EQ(bytes, "<sdo>\r\n  <row conf=\"17\" IndexA=\"0x1000\" SubindexA=\"0\" devIDB=\"5\" IndexB=\"0x2000\" "
                     "SubindexB=\"1\" nbyteB=\"2\" mnemonico=\"\"/>\r\n</sdo>\r\n");
    ProjectDocument again(Discipline::Guarded);
    Loaded(again, bytes);
    EXPECT_EQ(SdoTextsOf(again, again.Root()).Rows, texts.Rows);

    ProjectDocument older(Discipline::Guarded);
    Loaded(older, "<sdo><row conf=\"1\" IndexA=\"1\"/><!-- c --></sdo>");
    const SdoTexts read = SdoTextsOf(older, older.Root());
    ASSERT_EQ(read.Rows.size(), 2u); // the comment is a row without texts
    EXPECT_FALSE(read.Rows[0].Mnemonico.Present);
    EXPECT_EQ(read.Rows[0].SubindexOnA.Problem,
              "Attribute \"SubindexA\" not found in element \"row\" number 1 under \"sdo\" of 't.xml'");
    EXPECT_FALSE(read.Rows[1].Conf.Present);
    EXPECT_THROW((void)read.Rows[1].Conf.Value(), Failure);
}

TEST(RpdoDefXml, RowsRoundTripWithTheirAttributeNames)
{
    ProjectDocument document(Discipline::Guarded);
    Loaded(document, "<rpdodef><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"3\" "
                     "posind=\"\" n_tpdo=\"2\"/><row cobid=\"0x182\"/></rpdodef>");
    const RpdoDefTexts texts = RpdoDefTextsOf(document, document.Root());
    ASSERT_EQ(texts.Rows.size(), 2u);
    EXPECT_EQ(texts.Rows[0].EnBypass.Text, "3");
    EXPECT_EQ(texts.Rows[0].Posind.Text, "");
    EXPECT_TRUE(texts.Rows[0].Posind.Present);
    EXPECT_FALSE(texts.Rows[1].NTpdo.Present);
    // Absent attributes stay absent when written back.
    BuildRpdoDefXml(document, texts);
    EXPECT_EQ(document.Serialize(), "<rpdodef>\r\n  <row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"3\" posind=\"\" "
                                    "n_tpdo=\"2\"/>\r\n  <row cobid=\"0x182\"/>\r\n</rpdodef>\r\n");
}

TEST(EmcyDefXml, TheElevenTextsAndBypassSetRoundTrip)
{
    EmcyDefTexts texts;
    EmcyDefRowTexts& row = texts.Rows.emplace_back();
    for (size_t f = 0; f < row.Texts.size(); ++f) row.Texts[f] = StoredText::Of(std::to_string(f));
    row.BypassSet = StoredText::Of("33");
    ProjectDocument document(Discipline::Guarded);
    BuildEmcyDefXml(document, texts);
    const std::string bytes = document.Serialize();
    EXPECT_EQ(bytes, "<emcydef>\r\n  <row id_dev=\"0\" mask_eq_ec=\"1\" mask_eq_er=\"2\" mask_eq_m1=\"3\" "
                     "mask_eq_m2=\"4\" mask_eq_m3=\"5\" enmask_eq_ec=\"6\" enmask_eq_er=\"7\" enmask_eq_m1=\"8\" "
                     "enmask_eq_m2=\"9\" enmask_eq_m3=\"10\" bypass_set=\"33\"/>\r\n</emcydef>\r\n");
    ProjectDocument again(Discipline::Guarded);
    Loaded(again, bytes);
    EXPECT_EQ(EmcyDefTextsOf(again, again.Root()).Rows, texts.Rows);
}

TEST(EmcyWordXml, FiftyTwoAttributesPerWordInDocumentOrder)
{
    const std::vector<std::string>& names = EmcyWordAttributes();
    ASSERT_EQ(names.size(), 52u);
    EXPECT_EQ(names[3], "devid");
    EXPECT_EQ(names[51], "bit15_poscomp");

    EmcyWordTexts texts;
    EmcyWordRowTexts& row = texts.Rows.emplace_back();
    row.IndexAddrm = StoredText::Of("0x2000");
    row.Extdata = StoredText::Of("1");
    row.Bits[15].Poscomp = StoredText::Of("18");
    ProjectDocument document(Discipline::Guarded);
    BuildEmcyWordXml(document, texts);
    EXPECT_EQ(document.Serialize(),
              "<emcyword>\r\n  <row index_addrm=\"0x2000\" extdata=\"1\" bit15_poscomp=\"18\"/>\r\n</emcyword>\r\n");
    const EmcyWordRowTexts back = EmcyWordTextsOf(document, document.Root()).Rows.at(0);
    EXPECT_EQ(back.Bits[15].Poscomp.Text, "18");
    EXPECT_FALSE(back.Devid.Present);
    EXPECT_FALSE(back.Bits[0].B0.Present);
}

} // namespace
