// The saving CANopen editors after a read that stopped at a bad row: OK asks before the part
// read replaces the whole document, as the gateway editors do.
#include "CanopenWindowFixture.h"
#include "common/widgets/ModalWindow.h"
#include "editors/canopen/widgets/TFInfopdo.h"
#include "editors/canopen/widgets/TFWemcy.h"
#include "editors/canopen/widgets/TFemcy.h"
#include "editors/canopen/widgets/TFpdo.h"

#include <QPushButton>

namespace {

class SaveAfterPartialReadTest : public CanopenWindowTest {
protected:
    // Shows the window over `xml` in `file`, whose read stops at its second row, and presses OK:
    // No keeps the window open and the file as it was; Yes saves the part read.
    void AsksBeforeSaving(ModalWindow& window, QAbstractButton* ok, const std::string& file, const std::string& xml)
    {
        const std::string path = project.Write(file, xml);
        window.show();
        EXPECT_NE(sink.Last().find("Error in reading file"), std::string::npos) << sink.Last();
        sink.Clear();
        ok->click();
        ASSERT_EQ(sink.All().size(), 1u) << window.windowTitle().toStdString();
        EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::Question);
        EXPECT_EQ(sink.All()[0].caption, window.windowTitle().toStdString());
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(ReadAll(path), xml);

        sink.Clear();
        sink.ScriptAnswers({true});
        ok->click();
        EXPECT_FALSE(window.isVisible()) << window.windowTitle().toStdString();
        EXPECT_NE(ReadAll(path), xml);
    }
};

TEST_F(SaveAfterPartialReadTest, TheFourSavingEditorsAskBeforeReplacingAPartlyReadDocument)
{
    TFpdo pdo(context, openExcel);
    AsksBeforeSaving(pdo, pdo.BitBtn1, "rpdodef.xml",
                     "<rpdodef><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"1\" posind=\"2\" n_tpdo=\"3\"/>"
                     "<row cobid=\"0x182\" id_dev_orig=\"1\" en_bypass=\"q\" posind=\"2\" n_tpdo=\"3\"/></rpdodef>");

    project.Write("rpdodef.xml", "<rpdodef><row cobid=\"0x181\" en_bypass=\"0\"/></rpdodef>");
    project.Write("sdo.xml", "<sdo/>");
    TFInfopdo stored(context, openExcel);
    AsksBeforeSaving(stored, stored.BitBtn1, "sdopdo.xml",
                     "<sdopdo><row index=\"0x2000\" subindex=\"1\" nrpdo=\"1\" poscomp=\"0\"/>"
                     "<row index=\"0x2001\" subindex=\"1\" nrpdo=\"z\" poscomp=\"0\"/></sdopdo>");

    std::string masks;
    for (const char* name : {"mask_eq_ec", "mask_eq_er", "mask_eq_m1", "mask_eq_m2", "mask_eq_m3", "enmask_eq_ec",
                             "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3"})
        masks += std::string(" ") + name + "=\"1\"";
    TFemcy emcy(context, openExcel);
    AsksBeforeSaving(emcy, emcy.BitBtn1, "emcydef.xml",
                     "<emcydef><row id_dev=\"5\"" + masks + " bypass_set=\"1\"/><row id_dev=\"6\"" + masks +
                         " bypass_set=\"abc\"/></emcydef>");

    std::string bits;
    for (int n = 0; n < 16; ++n) {
        const std::string bit = " bit" + std::to_string(n);
        bits += bit + "_b0=\"1\"" + bit + "_b1=\"\"" + bit + "_poscomp=\"37\"";
    }
    TFWemcy word(context, openExcel);
    AsksBeforeSaving(word, word.BitBtn1, "emcyword.xml",
                     "<emcyword><row index_addrm=\"1\" subindex=\"1\" extdata=\"0\" devid=\"5\"" + bits +
                         "/><row index_addrm=\"2\" subindex=\"1\" extdata=\"q\" devid=\"6\"" + bits + "/></emcyword>");
}

} // namespace
