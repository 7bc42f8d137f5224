#pragma once
#include "common/widgets/ModalWindow.h"
#include "gateway/PargenDocument.h"
#include "xmlstore/ProjectDocument.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

inline namespace zz {

struct ProjectContext;

// "SET COMMUNICATION": the CAN and DeviceNET settings of the project, kept in pargen.xml.
// The identifier length is kept from one showing to the next; everything else is reloaded.
class TFpargen : public ModalWindow {
    Q_OBJECT
public:
    explicit TFpargen(ProjectContext& context, QWidget* parent = nullptr);

    QComboBox* ComboBox2;     // CAN baud rate
    QRadioButton* RB_CT_A;    // "CAN 2.0A 11Bit"
    QRadioButton* RB_CT_B;    // "CAN 2.0B 29Bit"
    QRadioButton* RB_Sen_Cha; // "Send Frame on Data Change"
    QRadioButton* RB_Sen_Eve; // "Send Frame Every "
    QLineEdit* Edit2;         // send cycle, ms
    QLineEdit* E_TOD_CAN;     // data time-out, s
    QLineEdit* Edit1;         // DeviceNET address
    QComboBox* ComboBox1;     // DeviceNET baud rate
    QLineEdit* E_DN_IN;
    QLineEdit* E_DN_OUT;
    QPushButton* bitbtn1; // OK
    QPushButton* bitbtn2; // Cancel

protected:
    void FormShow() override;

private:
    bool BitBtn1Click();
    PargenSettings Entered() const;
    void ShowSettings(const PargenSettings& settings);

    ProjectContext& context_;
    ProjectDocument document_{Discipline::Strict};
};

} // namespace zz
