#pragma once
#include "editors/canopen/tables/StoredPdo.h"
#include "editors/canopen/widgets/CanopenEditor.h"

#include <array>

class QLineEdit;
class QListWidget;
class QTabWidget;

inline namespace zz {

class RadioGroup;
struct OpenExcelDialog;
struct ProjectContext;

// "Define Store PDO": for each PDO of the PDO translation table, the SDOs whose high and low
// bytes travel in chosen bytes of that PDO, kept in the stored PDO table. Page "CanA" holds
// side A, page "CanB" side B; all handlers serve both pages.
class TFInfopdo : public CanopenEditor {
    Q_OBJECT
public:
    TFInfopdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    QListWidget* LPdoCanA;
    QListWidget* LSdoCanA;
    QLineEdit* EindexA;
    QLineEdit* EsubindexA;
    RadioGroup* PoscompMsbA;
    RadioGroup* PoscompLsbA;
    QListWidget* LPdoCanB;
    QListWidget* LSdoCanB;
    QLineEdit* EindexB;
    QLineEdit* EsubindexB;
    RadioGroup* PoscompMsbB;
    RadioGroup* PoscompLsbB;

protected:
    void FormShow() override;

private:
    // The controls of one page and its clipboard, which lasts for the whole run.
    struct Page {
        QWidget* widget = nullptr;
        QListWidget* pdoList = nullptr;
        QListWidget* sdoList = nullptr;
        QLineEdit* index = nullptr;
        QLineEdit* subindex = nullptr;
        RadioGroup* high = nullptr;
        RadioGroup* low = nullptr;
        TClSdo clipboard;
    };

    QWidget* BuildPage(CanSide side, const QString& own, const QString& other);
    void ConnectListClick(QListWidget* list, void (TFInfopdo::*handler)(CanSide), CanSide side);
    void ResetPage(Page& page);
    void EmptySdoList(Page& page);
    // The SDO chosen on the page: the rows selected in both lists; none unless both have one.
    std::optional<StoredSdoRef> SelectedSdo(const Page& page) const;
    // The SDO the page's fields describe, when the side's rules take it in place of `replacing`
    // (none: as a new one); otherwise the rule's message is shown and there is none.
    std::optional<TClSdo> SdoFromFields(CanSide side, const Page& page, std::optional<StoredSdoRef> replacing);
    std::string PoscompOf(const Page& page) const;
    void ShowPoscomp(Page& page, const std::string& poscomp);

    void LPdoCanAClick(CanSide side);
    void LSdoCanAClick(CanSide side);
    void NewAClick(CanSide side);
    void ModifyAClick(CanSide side);
    void DeleteAClick(CanSide side);
    void CopyAClick(CanSide side);
    void PasteAClick(CanSide side);
    bool BitBtn1Click();
    void BitBtn4Click();
    void Button1Click();

    StoredPdoTables tables_;
    BySide<Page> pages_;
    bool changingLists_ = false; // list changes made by the window itself are no clicks
};

} // namespace zz
