#pragma once

class QDialog;
class QWidget;

inline namespace zz {

class TFAbout;
class TFHelp;
class TFsaveproj;
struct OpenExcelDialog;
struct ProjectContext;

// Every window of the application besides the main window, each created once at start by
// CreateWindows and shown modally as often as asked.
struct WindowSet {
    TFsaveproj* Fsaveproj = nullptr;
    TFHelp* FHelp = nullptr;
    TFAbout* FAbout = nullptr;
    QDialog* FSELstringhe = nullptr;
    QDialog* FModifyFileSx = nullptr;
    QDialog* Fpargen = nullptr;
    QDialog* Fsdo = nullptr;
    QDialog* Fpdo = nullptr;
    QDialog* Femcy = nullptr;
    QDialog* FWemcy = nullptr;
    QDialog* FXML = nullptr;
    QDialog* FInfopdo = nullptr;
    QDialog* FSetVar = nullptr;
    QDialog* FSetPdo = nullptr;
    QDialog* F_Rec_Info = nullptr;
    QDialog* F_Sen_Info = nullptr;
};

// What the windows are given: the project context and the workbook dialog, both owned by the
// main window, which is also every window's owner.
struct WindowOwner {
    ProjectContext& Context;
    OpenExcelDialog& OpenExcel;
    QWidget* MainWindow;
};

// Creates the windows in the order of program start, after the main window.
WindowSet CreateWindows(const WindowOwner& owner);

} // namespace zz
