#pragma once
#include "common/widgets/ModalWindow.h"
#include "firmware/FirmwareComposer.h"

#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

inline namespace zz {

class DeviceUpdateChain;
struct ProjectContext;

// "Generate Firmware": the last stage of the device update. The engineer picks the serial
// port and presses "Execute update firmware", which composes the new firmware from the base
// firmware and the project's bank files and starts the flashing program with it. The controls
// for another base firmware, another bank directory and the bank selection exist but stay
// hidden.
class TFModifyFileSx : public ModalWindow {
    Q_OBJECT
public:
    explicit TFModifyFileSx(const ProjectContext& project, QWidget* parent = nullptr);

    // The composition context, kept between showings.

    // The device update this showing goes on with: what its build wrote is what the composition
    // merges, and its project check verdict is shown. Without one the window starts its own
    // chain at every showing, without a build or a verdict, and merges the bank files as they are.
    void SetChain(std::shared_ptr<DeviceUpdateChain> chain);

    // Handlers, named after their control and event.
    void LbButton1Click();
    void LbButton2Click();
    CompositionOutcome ExeModFileSxClick();
    bool ExeUpdateFirClick();
    void OptionsClick();
    void OpenFileClick();
    void DirFileBinClick();
    void NewFileSxChange();

    // Controls, in design order.
    QLabel* Label3;
    QLineEdit* NewFileSx;
    QProgressBar* Avanzamento;
    QComboBox* cbport;
    QPushButton* OpenFile;
    QPushButton* Options;
    QFrame* GbBank;
    QCheckBox* Cbbank1;
    QCheckBox* Cbbank2;
    QCheckBox* Cbbank3;
    QCheckBox* Cbbank4;
    QCheckBox* Cbbank5;
    QPushButton* DirFileBin;
    QPushButton* ExeModFileSx;
    QPushButton* ExeUpdateFir;
    QPushButton* LbButton1;
    QPushButton* LbButton2;
    QLabel* LabelCheck; // the project check's verdict that the chain was given
    // What the last press did: the verified firmware or why it was refused, and the flashing
    // program's start.
    QLabel* LabelStatus;

protected:
    void FormShow() override;

private:
    DeviceUpdateChain& Chain();
    QCheckBox* BankBox(int bank) const;
    void SetBankColour(int bank, int colour);
    void SetStatus(const std::string& text);
    void UpdateFirmware();

    const ProjectContext& project_;
    CompositionContext composition_;
    std::shared_ptr<DeviceUpdateChain> chain_;
    bool ownChain_ = false;        // chain_ was started here, not given
    bool busy_ = false;            // a press is being handled
    std::string verifiedFirmware_; // the file the last composition of this showing verified
    bool flasherStarted_ = false;  // this window started the flashing program
    std::string flasherPort_;
};

} // namespace zz
