#pragma once
#include "common/widgets/ModalWindow.h"
#include "editors/gateway/FrameTableGrid.h"
#include "xmlstore/ProjectDocument.h"

#include <string>

class QPushButton;

inline namespace zz {

class StringGrid;
struct ProjectContext;

// The editor of a frame table: a grid of 128 numbered rows below the titles, loaded at every
// showing, checked and saved on OK. The identifier range follows the identifier length set in
// pargen.xml at the time the window is shown.
class FrameTableWindow : public ModalWindow {
    Q_OBJECT
protected:
    FrameTableWindow(ProjectContext& context, GatewaySide side, std::string ProjectContext::*framePath,
                     const QString& caption, QWidget* parent);

    void FormShow() override;
    bool bitbtn1Click();

    StringGrid* grid_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool Is29Bit = false;

private:
    ProjectContext& context_;
    GatewaySide side_;
    std::string ProjectContext::*framePath_;
    ProjectDocument document_{Discipline::Strict};
};

// "Receive Frames": the frames the gateway takes from the CAN bus (Receive_Frame.xml).
class TFSetVar : public FrameTableWindow {
    Q_OBJECT
public:
    explicit TFSetVar(ProjectContext& context, QWidget* parent = nullptr);

    StringGrid* sga;
    QPushButton* bitbtn1; // OK
    QPushButton* bitbtn2; // Cancel
};

// "Send Frames": the frames the gateway puts on the CAN bus (Send_Frame.xml).
class TFSetPdo : public FrameTableWindow {
    Q_OBJECT
public:
    explicit TFSetPdo(ProjectContext& context, QWidget* parent = nullptr);

    StringGrid* sga;
    QPushButton* LbButton4; // OK
    QPushButton* LbButton3; // Cancel
};

} // namespace zz
