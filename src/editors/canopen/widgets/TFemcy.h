#pragma once
#include "editors/canopen/tables/EmcyDef.h"
#include "editors/canopen/widgets/CanopenEditor.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

inline namespace zz {

struct OpenExcelDialog;
struct ProjectContext;

// The controls of one page, "From CAN A" or "From CAN B". Their object names carry the page's
// suffix: LBCanA, Eid_devA ... Eenmask_eq_m3A, Gbbypass_setA, r1a ... r9a.
struct TFemcyPage {
    CanSide Side = CanSide::A;
    QListWidget* LBCan = nullptr;
    QCheckBox* CBbypass_enable = nullptr;
    std::array<QLineEdit*, kEmcyTextCount> E{}; // Eid_dev ... Eenmask_eq_m3, in field order
    QGroupBox* Gbbypass_set = nullptr;
    QButtonGroup* BypassType = nullptr; // the radio buttons by translation type
    std::array<QRadioButton*, 9> R{};   // in value order: r1, r2, r3, r9, r4, r5, r6, r7, r8
    QPushButton* DeleteEmcy = nullptr;
    QPushButton* NewEmcy = nullptr;
    QPushButton* ModifyEmcy = nullptr;
};

// "Set Traslate EMCY": the emergency translation table of both CAN sides, kept in emcydef.xml.
class TFemcy : public CanopenEditor {
    Q_OBJECT
public:
    TFemcy(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    QTabWidget* Pages;
    TFemcyPage A, B;

    // What the lists hold now.
    const EmcyTable& Table() const { return table_; }

    void ClearForm();
    void LBCanAClick(TFemcyPage& page);
    void NewAClick(TFemcyPage& page);
    void ModifyAClick(TFemcyPage& page);
    void DeleteAClick(TFemcyPage& page);
    bool BitBtn1Click();
    void BitBtn4Click();
    void Button1Click();

protected:
    void FormShow() override;

private:
    QWidget* BuildPage(TFemcyPage& page, CanSide side);
    TClEmcy EntryFromPage(const TFemcyPage& page, const TClEmcy& previous, int typeIfNone) const;
    void AddLine(TFemcyPage& page, const std::string& text);
    void Select(TFemcyPage& page, int row);
    void SelectFirstLines();

    EmcyTable table_;
    bool selecting_ = false; // a selection made by the window itself shows nothing
};

} // namespace zz
