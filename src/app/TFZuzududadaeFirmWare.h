#pragma once
#include "app/WindowSet.h"
#include "common/ProjectContext.h"
#include "editors/canopen/workbook/OpenExcel.h"

#include <QMainWindow>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QPushButton;

inline namespace zz {

class ByteMapWindow;
class IdentityWindow;
class ProjectCheckWindow;
class ReplayWindow;
struct Finding;

// The main window: the project context, the five steps of a gateway project and the menus of
// the tool windows. It is created first; closing it stores the current project in the settings
// file and ends the application.
class TFZuzududadaeFirmWare : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up (FormCreate) with appDir as the application directory.
    explicit TFZuzududadaeFirmWare(const std::string& appDir, QWidget* parent = nullptr);

    ProjectContext& Context() { return context_; }
    OpenExcelDialog& OpenExcel() { return openExcel_; }
    // Takes the windows created after this one.
    void SetWindows(const WindowSet& windows) { windows_ = windows; }
    // Or how to create them: once the main window is on the screen, so that it shows without
    // waiting for them, or at their first use if that comes sooner.
    void SetWindowFactory(std::function<WindowSet()> factory) { factory_ = std::move(factory); }
    const WindowSet& Windows();

    // Step 1 to Step 5.
    QPushButton *New, *open, *btn_Prm_Gen, *btn_Sdo, *btn_RecInfo, *Btn_SetPDO, *btn_SenInfo, *CreateBin;
    QPushButton *about, *LbButton1;
    QLabel* Label1;
    // Present but hidden.
    QPushButton *btn_Pdo, *btn_Info_Pdo, *btn_Emcy, *btn_Emcy_Wd, *B_EDS, *CreateSx;
    QLabel* Labelstate;
    // The menus: CANopen editors, tool windows, help.
    QAction *actSdo, *actPdo, *actInfoPdo, *actEmcy, *actEmcyWord, *actXml, *actHelp, *actAbout;
    QAction *actCheck, *actByteMap;
    // The project check and the DeviceNet byte map, owned here like the editors they lead to;
    // created at their first use.
    ProjectCheckWindow* FProjectCheck = nullptr;
    ByteMapWindow* FByteMap = nullptr;
    // "Export EDS..." and the identity it is made with.
    QAction *actExportEds, *actIdentity;
    IdentityWindow* FIdentity = nullptr;
    // Asks where to write the EDS file, starting from the suggested path; none cancels. A file
    // dialog unless replaced (the tests answer themselves).
    std::function<std::optional<std::string>(const std::string& suggested)> AskEdsPath;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void FormCreate(const std::string& appDir);
    void NewaClick();
    void OpenaClick();
    void btn_str_lng1aClick(QObject* sender);
    void CreateBinaClick(QObject* sender);
    void AboutClick();
    void LbButton1Click();
    void Label1Click();
    void FormClose();
    // Whether a project is set; tells "Project not valid" when none is.
    bool ProjectChosen() const;
    // Shows a window modally, once a project is set.
    void ShowEditor(QDialog* window);
    void SetCaption(const std::string& caption);
    // "Check project" and "DeviceNet Byte Map" on the current project.
    void CheckProjectClick();
    void ByteMapClick();
    void ExportEdsClick();
    void IdentityClick();
    // Opens the editor of the document a finding names.
    void OpenFindingDocument(const Finding& finding);

    ProjectContext context_;
    OpenExcelDialog openExcel_;
    WindowSet windows_;
    std::function<WindowSet()> factory_;
    ReplayWindow* replay_ = nullptr;
};

} // namespace zz
