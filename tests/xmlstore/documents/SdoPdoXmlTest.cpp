#include "xmlstore/documents/SdoPdoXml.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(SdoPdoXml, RowsRoundTripAndAbsentAttributesStayAbsent)
{
    SdoPdoTexts texts;
    texts.Rows.push_back({StoredText::Of("0x6000"), StoredText::Of("1"), StoredText::Of("129"), StoredText::Of("")});
    ProjectDocument document(Discipline::Guarded);
    BuildSdoPdoXml(document, texts);
    EXPECT_EQ(document.Serialize(),
              "<sdopdo>\r\n  <row index=\"0x6000\" subindex=\"1\" nrpdo=\"129\" poscomp=\"\"/>\r\n</sdopdo>\r\n");

    TempDir dir;
    const std::string path = dir.Write("sdopdo.xml", "<?xml version=\"1.0\"?><!-- c --><sdopdo>"
                                                     "<row index=\"1\" subindex=\"2\" nrpdo=\"3\"/></sdopdo>");
    ProjectDocument guarded(Discipline::Guarded);
    guarded.LoadFile(path);
    const SdoPdoTexts back = SdoPdoTextsOf(guarded, guarded.Root());
    ASSERT_EQ(back.Rows.size(), 1u);
    EXPECT_EQ(back.Rows[0].Nrpdo.Text, "3");
    EXPECT_FALSE(back.Rows[0].Poscomp.Present);
    EXPECT_EQ(back.Rows[0].Poscomp.Problem,
              "Attribute \"poscomp\" not found in element \"row\" number 1 under \"sdopdo\" of '" + path + "'");
}

} // namespace
