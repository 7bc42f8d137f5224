#include "app/TFZuzududadaeFirmWare.h"

#include "app/AboutTexts.h"
#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "app/Workspace.h"
#include "canbus/widgets/DbcImportDialog.h"
#include "canbus/widgets/DbcWindowActions.h"
#include "common/Desktop.h"
#include "common/ErrorBoundary.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectLayout.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "devicenet/DeviceIdentity.h"
#include "devicenet/EdsFile.h"
#include "devicenet/widgets/ByteMapWindow.h"
#include "devicenet/widgets/IdentityWindow.h"
#include "devicenet/widgets/ReplayWindow.h"
#include "firmware/DeviceUpdateChain.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "gateway/GatewayProject.h"
#include "projectcheck/ProjectCheck.h"
#include "projectcheck/widgets/ProjectCheckWindow.h"

#include <ctime>
#include <memory>
#include <optional>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

inline namespace zz {

namespace {

QPushButton* StepButton(const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setMinimumWidth(150);
    return button;
}

} // namespace

TFZuzududadaeFirmWare::TFZuzududadaeFirmWare(const std::string& appDir, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TFZuzududadaeFirmWare"));
    setWindowTitle(Q(kDesignCaption));
    BuildControls();
    BuildMenus();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RunGuarded([&] { FormCreate(appDir); });
}

void TFZuzududadaeFirmWare::BuildControls()
{
    auto* central = new QWidget(this);
    New = StepButton("New project", central);
    open = StepButton("Open project", central);
    btn_Prm_Gen = StepButton("Set Communication", central);
    btn_Sdo = StepButton("Receive Frames", central);
    btn_RecInfo = StepButton("Info Receive", central);
    Btn_SetPDO = StepButton("Send Frames", central);
    btn_SenInfo = StepButton("Info Send", central);
    CreateBin = StepButton("Up date Device", central);
    about = new QPushButton(QStringLiteral("About"), central);
    LbButton1 = new QPushButton(QStringLiteral("X"), central);
    LbButton1->setToolTip(QStringLiteral("Close"));
    LbButton1->setAccessibleName(QStringLiteral("Close"));
    LbButton1->setFixedWidth(LbButton1->sizeHint().height() + 8);
    Label1 = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(QString::fromLatin1(kMakerWebAddress)), central);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setAccessibleName(QString::fromLatin1(kMakerWebAddress));

    btn_Pdo = StepButton("Set Traslate PDO", central);
    btn_Info_Pdo = StepButton("Define store PDO", central);
    btn_Emcy = StepButton("Set Traslate EMCY", central);
    btn_Emcy_Wd = StepButton("Define EMCY Word", central);
    B_EDS = StepButton("EDS File", central);
    CreateSx = StepButton("Generate Firmware", central);
    Labelstate = new QLabel(QStringLiteral("---"), central);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{btn_Pdo, btn_Info_Pdo, btn_Emcy, btn_Emcy_Wd, B_EDS, CreateSx, Labelstate})
        hidden->hide();

    const auto step = [&](const char* title, std::initializer_list<QPushButton*> buttons) {
        auto* box = new QGroupBox(QString::fromUtf8(title), central);
        auto* row = new QHBoxLayout(box);
        for (QPushButton* b : buttons) row->addWidget(b);
        row->addStretch();
        return box;
    };
    auto* steps = new QVBoxLayout;
    steps->addWidget(step("Step 1", {New, open}));
    steps->addWidget(step("Step 2", {btn_Prm_Gen}));
    steps->addWidget(step("Step 3", {btn_Sdo, btn_RecInfo}));
    steps->addWidget(step("Step 4", {Btn_SetPDO, btn_SenInfo}));
    steps->addWidget(step("Step 5", {CreateBin, CreateSx}));

    auto* side = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(about);
    top->addWidget(LbButton1);
    side->addLayout(top);
    auto* title = new QLabel(QStringLiteral("<b>Gateway CAN to DeviceNET Slave</b>"), central);
    title->setAlignment(Qt::AlignRight);
    side->addWidget(title);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{btn_Pdo, btn_Info_Pdo, btn_Emcy, btn_Emcy_Wd, B_EDS, Labelstate})
        side->addWidget(hidden);
    side->addStretch();
    side->addWidget(Label1, 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(central);
    layout->addLayout(steps);
    layout->addSpacing(24);
    layout->addLayout(side);
    setCentralWidget(central);

    OnClick(New, [this] { NewaClick(); });
    OnClick(open, [this] { OpenaClick(); });
    for (QPushButton* b : {btn_Prm_Gen, btn_Sdo, btn_RecInfo, Btn_SetPDO, btn_SenInfo, btn_Pdo, btn_Info_Pdo, btn_Emcy,
                           btn_Emcy_Wd, B_EDS})
        OnClick(b, [this, b] { btn_str_lng1aClick(b); });
    OnClick(CreateBin, [this] { CreateBinaClick(CreateBin); });
    OnClick(CreateSx, [this] { CreateBinaClick(CreateSx); });
    OnClick(about, [this] { AboutClick(); });
    OnClick(LbButton1, [this] { LbButton1Click(); });
    connect(Label1, &QLabel::linkActivated, this, [this] { RunGuarded([this] { Label1Click(); }); });
}

void TFZuzududadaeFirmWare::BuildMenus()
{
    QMenu* project = menuBar()->addMenu(QStringLiteral("&Project"));
    project->addAction(QStringLiteral("&New project"), New, &QPushButton::click);
    project->addAction(QStringLiteral("&Open project"), open, &QPushButton::click);
    project->addSeparator();
    actCheck = project->addAction(QStringLiteral("&Check project"), this,
                                  [this] { RunGuarded([this] { CheckProjectClick(); }); });
    project->addSeparator();
    project->addAction(QStringLiteral("E&xit"), this, [this] { close(); });

    QMenu* canopen = menuBar()->addMenu(QStringLiteral("&CANopen"));
    actSdo = canopen->addAction(QStringLiteral("Set SDO Access"), this,
                                [this] { RunGuarded([this] { ShowEditor(Windows().Fsdo); }); });
    actPdo = canopen->addAction(QStringLiteral("Set Traslate PDO"), btn_Pdo, &QPushButton::click);
    actInfoPdo = canopen->addAction(QStringLiteral("Define store PDO"), btn_Info_Pdo, &QPushButton::click);
    actEmcy = canopen->addAction(QStringLiteral("Set Traslate EMCY"), btn_Emcy, &QPushButton::click);
    actEmcyWord = canopen->addAction(QStringLiteral("Define EMCY Word"), btn_Emcy_Wd, &QPushButton::click);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    actXml = tools->addAction(QStringLiteral("XML Reader && Writer"), this,
                              [this] { RunGuarded([this] { Windows().FXML->exec(); }); });
    actByteMap = tools->addAction(QStringLiteral("DeviceNet &Byte Map"), this,
                                  [this] { RunGuarded([this] { ByteMapClick(); }); });
    actExportEds =
        tools->addAction(QStringLiteral("Export &EDS..."), this, [this] { RunGuarded([this] { ExportEdsClick(); }); });
    actIdentity = tools->addAction(QStringLiteral("DeviceNet &identity"), this,
                                   [this] { RunGuarded([this] { IdentityClick(); }); });
    AskEdsPath = [this](const std::string& suggested) -> std::optional<std::string> {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export EDS"), Q(suggested),
                                                          QStringLiteral("EDS file (*.eds)"));
        if (path.isEmpty()) return std::nullopt;
        return S(path);
    };
    tools->addSeparator();
    tools->addAction(QStringLiteral("&Export DBC..."), this, [this] {
        RunGuarded([this] {
            if (ProjectChosen()) ExportDbcFromWindow(context_.ProjectDir);
        });
    });
    tools->addAction(QStringLiteral("&Import DBC..."), this, [this] {
        RunGuarded([this] {
            if (!ProjectChosen()) return;
            DbcImportDialog dialog(this);
            ImportDbcFromWindow(context_.ProjectDir, dialog);
        });
    });
    tools->addAction(QStringLiteral("&Replay CAN log"), this, [this] {
        RunGuarded([this] {
            if (!ProjectChosen()) return;
            if (!replay_) replay_ = new ReplayWindow(this);
            replay_->SetProjectDir(context_.ProjectDir);
            replay_->exec();
        });
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    actHelp =
        help->addAction(QStringLiteral("&Help"), this, [this] { RunGuarded([this] { Windows().FHelp->exec(); }); });
    actHelp->setShortcut(QKeySequence::HelpContents);
    actAbout = help->addAction(QStringLiteral("&About"), about, &QPushButton::click);
}

const WindowSet& TFZuzududadaeFirmWare::Windows()
{
    if (factory_) {
        const std::function<WindowSet()> factory = std::exchange(factory_, nullptr);
        windows_ = factory();
    }
    return windows_;
}

void TFZuzududadaeFirmWare::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The other windows are made once the first frame is on the screen.
    if (factory_ && windowHandle()) windowHandle()->installEventFilter(this);
}

bool TFZuzududadaeFirmWare::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { RunGuarded([this] { Windows(); }); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFZuzududadaeFirmWare::SetCaption(const std::string& caption)
{
    setWindowTitle(Q(caption));
}

void TFZuzududadaeFirmWare::FormCreate(const std::string& appDir)
{
    SetCaption(StartUpWorkspace(context_, appDir));
    openExcel_.InitialDir = context_.ProjectDir;
}

void TFZuzududadaeFirmWare::NewaClick()
{
    TFsaveproj* dialog = Windows().Fsaveproj;
    if (!dialog) return;
    dialog->EditMode = 0;
    dialog->DestinationDir = context_.ProjectsDir;
    if (dialog->exec() == QDialog::Accepted) {
        SetCaption(ProjectCaption(context_.ProjectName));
        openExcel_.InitialDir = context_.ProjectDir;
    } else {
        SetCaption(ProjectCaption(""));
    }
}

void TFZuzududadaeFirmWare::OpenaClick()
{
    PrepareOpenProject(context_);
    const std::optional<std::string> picked =
        DesktopServices().PickFolder("Select directory of project", context_.ProjectsDir, context_.ProjectDir);
    SetCaption(FinishOpenProject(context_, picked));
    openExcel_.InitialDir = context_.ProjectDir;
}

bool TFZuzududadaeFirmWare::ProjectChosen() const
{
    if (!context_.ProjectDir.empty()) return true;
    Messages().Notice("Project not valid");
    return false;
}

void TFZuzududadaeFirmWare::ShowEditor(QDialog* window)
{
    if (ProjectChosen()) window->exec();
}

void TFZuzududadaeFirmWare::CheckProjectClick()
{
    if (!ProjectChosen()) return;
    if (!FProjectCheck) {
        FProjectCheck = new ProjectCheckWindow(this);
        FProjectCheck->SetOpenDocument([this](const Finding& finding) { OpenFindingDocument(finding); });
    }
    FProjectCheck->SetProjectDir(context_.ProjectDir);
    FProjectCheck->exec();
}

void TFZuzududadaeFirmWare::ByteMapClick()
{
    if (!ProjectChosen()) return;
    if (!FByteMap) FByteMap = new ByteMapWindow(this);
    FByteMap->SetProjectDir(context_.ProjectDir);
    FByteMap->exec();
}

void TFZuzududadaeFirmWare::ExportEdsClick()
{
    if (!ProjectChosen()) return;
    const std::string name = FileNameOf(context_.ProjectDir);
    const std::optional<std::string> path = AskEdsPath(context_.ProjectDir + "/" + name + ".eds");
    if (!path) return;
    WriteEdsFile(*path, LoadGatewayProject(context_), LoadDeviceIdentity(context_.MasterDir),
                 {name, std::string(kBaseFirmwareName), std::time(nullptr)});
}

void TFZuzududadaeFirmWare::IdentityClick()
{
    if (!FIdentity) FIdentity = new IdentityWindow(this);
    FIdentity->SetMasterDir(context_.MasterDir);
    FIdentity->exec();
}

void TFZuzududadaeFirmWare::OpenFindingDocument(const Finding& finding)
{
    const std::pair<const char*, QDialog*> editors[] = {
        {kPargenName, Windows().Fpargen},         {kReceiveFrameName, Windows().FSetVar},
        {kReceiveInfoName, Windows().F_Rec_Info}, {kSendFrameName, Windows().FSetPdo},
        {kSendInfoName, Windows().F_Sen_Info},    {kSdoName, Windows().Fsdo},
        {kRpdoDefName, Windows().Fpdo},           {kSdoPdoName, Windows().FInfopdo},
        {kEmcyDefName, Windows().Femcy},          {kEmcyWordName, Windows().FWemcy},
    };
    for (const auto& [document, window] : editors)
        if (finding.Document == document) return ShowEditor(window);
    // A finding about the whole project has no editor of its own; the project starts with its
    // communication parameters.
    ShowEditor(Windows().Fpargen);
}

void TFZuzududadaeFirmWare::btn_str_lng1aClick(QObject* sender)
{
    if (!ProjectChosen()) return;
    const std::pair<QObject*, QDialog*> routes[] = {
        {btn_Sdo, Windows().FSetVar},        {btn_Pdo, Windows().Fpdo},       {btn_Info_Pdo, Windows().FInfopdo},
        {btn_Emcy, Windows().Femcy},         {btn_Emcy_Wd, Windows().FWemcy}, {btn_RecInfo, Windows().F_Rec_Info},
        {btn_SenInfo, Windows().F_Sen_Info}, {Btn_SetPDO, Windows().FSetPdo}, {btn_Prm_Gen, Windows().Fpargen},
    };
    for (const auto& [button, window] : routes) {
        if (sender != button) continue;
        window->exec();
        return;
    }
}

void TFZuzududadaeFirmWare::CreateBinaClick(QObject* sender)
{
    auto* update = qobject_cast<TFModifyFileSx*>(Windows().FModifyFileSx);
    if (sender != CreateBin && sender != CreateSx) return;
    // Every press starts a chain of its own with the project check's verdict, which the device
    // update window shows; a project with errors is built all the same.
    GatewayProject configuration = LoadGatewayProject(context_);
    std::string verdict = ProjectCheckVerdict(configuration);
    auto chain = std::make_shared<DeviceUpdateChain>(context_, std::move(configuration), std::move(verdict));
    if (sender == CreateBin && ProductVariant == 2) {
        Labelstate->setText(QStringLiteral("Wait.."));
        QApplication::processEvents();
        // One chain per project at a time: the chain's lock covers the build steps and the device
        // update window, up to the start of the flashing program. Another build of the project,
        // like any failure here, ends the press in the application error box before the window opens.
        chain->BuildBanks();
        Labelstate->setText(QStringLiteral("--"));
    }
    update->SetChain(chain);
    struct Release {
        TFModifyFileSx* window;
        ~Release() { window->SetChain(nullptr); }
    } release{update};
    update->exec();
}

void TFZuzududadaeFirmWare::AboutClick()
{
    Windows().FAbout->exec();
}

void TFZuzududadaeFirmWare::LbButton1Click()
{
    close();
}

void TFZuzududadaeFirmWare::Label1Click()
{
    DesktopServices().OpenLink(kMakerWebAddress);
}

void TFZuzududadaeFirmWare::FormClose()
{
    StoreLastProject(context_);
}

void TFZuzududadaeFirmWare::closeEvent(QCloseEvent* event)
{
    RunGuarded([this] { FormClose(); }); // a settings file that cannot be written is said, not fatal
    QMainWindow::closeEvent(event);
}

} // namespace zz
