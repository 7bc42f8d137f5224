#include "firmware/widgets/TFModifyFileSx.h"

#include "common/Desktop.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/UserMessage.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "firmware/DeviceUpdateChain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <functional>

inline namespace zz {

namespace {

// Colours of this system are 0xBBGGRR.
QColor FromBgr(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void Paint(QWidget* widget, int colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, FromBgr(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The window's controls follow the composition as it runs.
class WindowObserver : public CompositionObserver {
public:
    WindowObserver(QProgressBar* bar, QPushButton* compose, std::function<void(int, int)> colour)
        : bar_(bar),
          compose_(compose),
          colour_(std::move(colour))
    {
    }
    void ProgressMaximum(int maximum) override { bar_->setMaximum(maximum); }
    void ProgressPosition(int position) override
    {
        bar_->setValue(position);
        // Nothing else runs until the composition ends; the bar draws itself at once.
        if (bar_->isVisible()) bar_->repaint();
    }
    void BankColour(int bank, int colour) override { colour_(bank, colour); }
    void ComposeEnabled(bool enabled) override { compose_->setEnabled(enabled); }
    bool InsertMissingBank(int /*bank*/) override
    {
        return Messages().Ask("Alert", "Bank Not Found.To insert Equally?");
    }

private:
    QProgressBar* bar_;
    QPushButton* compose_;
    std::function<void(int, int)> colour_;
};

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect where)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(where);
    return button;
}

} // namespace

TFModifyFileSx::TFModifyFileSx(const ProjectContext& project, QWidget* parent)
    : ModalWindow(parent),
      project_(project)
{
    setWindowTitle(QStringLiteral("Generate Firmware"));
    // A tool window without system buttons: "X" is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(430, 224);
    Paint(this, kBankWindowColour);

    // The controls the engineer sees come first, so that they are found first by their text.
    Avanzamento = new QProgressBar(this);
    Avanzamento->setObjectName("Avanzamento");
    Avanzamento->setGeometry(16, 136, 398, 22);
    Avanzamento->setRange(0, 100);
    Avanzamento->setValue(0);
    NameFor(Avanzamento, QStringLiteral("Progress"));

    auto* portLabel = new QLabel(QStringLiteral("&Port:"), this);
    portLabel->setGeometry(16, 180, 40, 24);
    cbport = new QComboBox(this);
    cbport->setObjectName("cbport");
    cbport->setGeometry(58, 180, 90, 24);
    for (int position = 0; position < kPortCount; ++position) cbport->addItem(Q(PortName(position)));
    LabelFor(portLabel, cbport);

    LbButton2 = MakeButton(this, "LbButton2", QStringLiteral("Execute update firmware"), QRect(170, 176, 244, 32));
    LbButton1 = MakeButton(this, "LbButton1", QStringLiteral("X"), QRect(394, 6, 28, 24));
    LabelCheck = new QLabel(this);
    LabelCheck->setObjectName("LabelCheck");
    LabelCheck->setGeometry(16, 159, 398, 20);
    LabelStatus = new QLabel(this);
    LabelStatus->setObjectName("LabelStatus");
    LabelStatus->setGeometry(16, 88, 398, 44);
    LabelStatus->setWordWrap(true);
    LabelStatus->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    LabelStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    NameFor(LabelStatus, QStringLiteral("Status"));

    Label3 = new QLabel(QStringLiteral("Name new Firmware:"), this);
    Label3->setObjectName("Label3");
    Label3->setGeometry(16, 12, 130, 24);
    NewFileSx = new QLineEdit(this);
    NewFileSx->setObjectName("NewFileSx");
    NewFileSx->setGeometry(150, 12, 230, 24);
    LabelFor(Label3, NewFileSx);
    OpenFile = MakeButton(this, "OpenFile", QStringLiteral("Open Firmware"), QRect(16, 44, 120, 26));
    Options = MakeButton(this, "Options", QStringLiteral("Options>>"), QRect(150, 44, 100, 26));
    GbBank = new QFrame(this);
    GbBank->setObjectName("GbBank");
    GbBank->setFrameShape(QFrame::StyledPanel);
    GbBank->setGeometry(16, 76, 398, 52);
    QCheckBox** boxes[] = {&Cbbank1, &Cbbank2, &Cbbank3, &Cbbank4, &Cbbank5};
    for (int n = 0; n < 5; ++n) {
        QCheckBox* box = new QCheckBox(QStringLiteral("Bank %1").arg(n + 1), GbBank);
        box->setObjectName(QStringLiteral("Cbbank%1").arg(n + 1));
        box->setGeometry(8 + 76 * n, 14, 72, 24);
        box->setChecked(true);
        *boxes[n] = box;
    }
    DirFileBin = MakeButton(this, "DirFileBin", QStringLiteral("Directory File Bin"), QRect(264, 44, 150, 26));
    ExeModFileSx = MakeButton(this, "ExeModFileSx", QStringLiteral("Execute Modify File Sx"), QRect(16, 104, 190, 26));
    ExeUpdateFir =
        MakeButton(this, "ExeUpdateFir", QStringLiteral("Execute update firmware"), QRect(224, 104, 190, 26));
    for (QWidget* hidden : std::initializer_list<QWidget*>{Label3, NewFileSx, OpenFile, Options, DirFileBin,
                                                           ExeModFileSx, ExeUpdateFir, GbBank})
        hidden->hide();
    // Enter on the port list must not flash the device: no button of this window is pressed by
    // Enter; the update starts only from its own button (click or Space).
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    OnClick(LbButton1, [this] { LbButton1Click(); });
    OnClick(LbButton2, [this] { LbButton2Click(); });
    OnClick(ExeModFileSx, [this] { ExeModFileSxClick(); });
    OnClick(ExeUpdateFir, [this] { ExeUpdateFirClick(); });
    OnClick(Options, [this] { OptionsClick(); });
    OnClick(OpenFile, [this] { OpenFileClick(); });
    OnClick(DirFileBin, [this] { DirFileBinClick(); });
    connect(NewFileSx, &QLineEdit::textChanged, this, [this] { NewFileSxChange(); });
}

QCheckBox* TFModifyFileSx::BankBox(int bank) const
{
    QCheckBox* const boxes[] = {Cbbank1, Cbbank2, Cbbank3, Cbbank4, Cbbank5};
    return boxes[bank - 1];
}

void TFModifyFileSx::SetBankColour(int bank, int colour)
{
    Paint(BankBox(bank), colour);
}

void TFModifyFileSx::SetChain(std::shared_ptr<DeviceUpdateChain> chain)
{
    chain_ = std::move(chain);
    ownChain_ = false;
}

DeviceUpdateChain& TFModifyFileSx::Chain()
{
    if (!chain_) {
        chain_ = std::make_shared<DeviceUpdateChain>(project_, LoadGatewayProject(project_), std::string());
        ownChain_ = true;
    }
    return *chain_;
}

void TFModifyFileSx::FormShow()
{
    // A chain of its own follows the project of this showing.
    if (ownChain_) chain_.reset();

    Options->setText(QStringLiteral("Options >>"));
    GbBank->hide();
    DirFileBin->hide();

    // The bottom edge on the screen's middle line, centred across.
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const QRect frame = frameGeometry();
        move(area.x() + area.width() / 2 - frame.width() / 2, area.y() + area.height() / 2 - frame.height());
    }

    if (ProductVariant == 2 || ProductVariant == 3) {
        for (int n = 1; n <= 5; ++n) {
            BankBox(n)->setVisible(n <= 2);
            if (n <= 2) BankBox(n)->setChecked(true);
            SetBankColour(n, kBankWindowColour);
        }
    }

    cbport->setCurrentIndex(0);
    cbport->setFocus(); // the port is what the engineer picks first
    Avanzamento->setValue(0);
    LabelCheck->setText(Q(Chain().CheckVerdict()));
    LbButton2->setEnabled(false);
    SetStatus("");
    verifiedFirmware_.clear();

    const CompositionSetup setup = Chain().Prepare(composition_);
    Say(setup.Messages);
    if (setup.Ready) {
        NewFileSx->setText(Q(composition_.NewFirmwareName));
        NewFileSxChange();
        LbButton2->setEnabled(true);
    }
}

void TFModifyFileSx::LbButton1Click()
{
    reject();
}

void TFModifyFileSx::SetStatus(const std::string& text)
{
    LabelStatus->setText(Q(text));
    LabelStatus->setToolTip(Q(text));
}

void TFModifyFileSx::LbButton2Click()
{
    // A press that arrives while one is handled, or while the flashing program this window
    // started still runs (a double-click), starts nothing: two flashers on one port would
    // fight over the device.
    if (busy_) return;
    if (flasherStarted_ && DesktopServices().LastStartedRunning()) {
        SetStatus(std::string(kFlasherName) + " is still running on " + flasherPort_ +
                  ": wait until it has finished before the next update");
        return;
    }
    busy_ = true;
    LbButton2->setEnabled(false);
    struct Done {
        TFModifyFileSx* window;
        ~Done()
        {
            window->busy_ = false;
            window->LbButton2->setEnabled(true);
        }
    } done{this};
    UpdateFirmware();
}

void TFModifyFileSx::UpdateFirmware()
{
    SetStatus("");
    try {
        // No other build of the project may run between the composition and the flasher's start.
        const BuildLock lock = Chain().LockProject();
        // A composition that was abandoned or refused has said why: the flasher is not started
        // then, so a firmware left by an earlier run never reaches the device by mistake.
        const CompositionOutcome outcome = ExeModFileSxClick();
        if (!outcome.Written) {
            SetStatus(outcome.Problem.empty() ? "The new firmware was not made" : outcome.Problem);
            return;
        }
        SetStatus(outcome.Summary);
        if (ExeUpdateFirClick())
            SetStatus(outcome.Summary + "\n" + std::string(kFlasherName) + " started on " + flasherPort_);
    } catch (const std::exception& failure) {
        SetStatus(failure.what());
        throw;
    }
}

CompositionOutcome TFModifyFileSx::ExeModFileSxClick()
{
    verifiedFirmware_.clear();
    // A bank is merged when its own check box is set to show and is checked, whether or not the
    // panel around it is shown.
    for (int n = 1; n <= 5; ++n)
        composition_.Selected[static_cast<size_t>(n - 1)] = !BankBox(n)->isHidden() && BankBox(n)->isChecked();
    WindowObserver observer(Avanzamento, ExeModFileSx, [this](int bank, int colour) { SetBankColour(bank, colour); });
    const CompositionOutcome outcome = Chain().Compose(composition_, observer);
    Say(outcome.Messages);
    if (outcome.Written) verifiedFirmware_ = composition_.OutputDir + composition_.NewFirmwareName;
    return outcome;
}

bool TFModifyFileSx::ExeUpdateFirClick()
{
    // Only the file that the composition of this showing verified goes to the device.
    const std::string firmware = composition_.OutputDir + composition_.NewFirmwareName;
    if (verifiedFirmware_ != firmware) {
        Messages().Notice(composition_.NewFirmwareName + " was not composed and verified here, Procedure Aborted");
        return false;
    }
    flasherPort_ = PortName(cbport->currentIndex());
    const FlashOutcome flash = Chain().Flash(firmware, cbport->currentIndex());
    Say(flash.Messages);
    flasherStarted_ = flash.Started;
    return flasherStarted_;
}

void TFModifyFileSx::OptionsClick()
{
    const bool open = !GbBank->isHidden();
    Options->setText(open ? QStringLiteral("Options >>") : QStringLiteral("<< Options"));
    GbBank->setVisible(!open);
    DirFileBin->setVisible(!open);
}

void TFModifyFileSx::OpenFileClick()
{
    const std::string directory =
        !project_.MasterDir.empty() && DirectoryExists(project_.MasterDir) ? project_.MasterDir : project_.AppDir;
    const auto chosen = DesktopServices().PickOpenFile("Open Firmware", directory, "File Sx (*.Sx)|*.Sx");
    if (!chosen) return;
    if (project_.ProjectDir.empty()) {
        Messages().Notice("Project not valid");
        return;
    }
    const std::string name = FileNameOf(*chosen);
    composition_.BaseFirmwareDir = chosen->substr(0, chosen->size() - name.size());
    while (composition_.BaseFirmwareDir.size() > 1 && composition_.BaseFirmwareDir.back() == '/')
        composition_.BaseFirmwareDir.pop_back();
    composition_.BaseFirmwareName = name;
    composition_.OutputDir = project_.ProjectDir;
    if (composition_.OutputDir.back() != '/') composition_.OutputDir += '/';
    NewFileSx->setText(Q("New_" + name));
    NewFileSxChange();
    LbButton2->setEnabled(true);
}

void TFModifyFileSx::DirFileBinClick()
{
    const auto chosen = DesktopServices().PickFolder("Select Directory Bin", project_.ProjectDir, "");
    if (!chosen) return;
    composition_.BankDir = *chosen;
    if (composition_.BankDir.empty() || composition_.BankDir.back() != '/') composition_.BankDir += '/';
}

void TFModifyFileSx::NewFileSxChange()
{
    composition_.NewFirmwareName = S(NewFileSx->text());
}

} // namespace zz
