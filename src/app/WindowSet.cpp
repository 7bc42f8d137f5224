#include "app/WindowSet.h"

#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "editors/canopen/widgets/TFInfopdo.h"
#include "editors/canopen/widgets/TFWemcy.h"
#include "editors/canopen/widgets/TFemcy.h"
#include "editors/canopen/widgets/TFpdo.h"
#include "editors/canopen/widgets/TFsdo.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "editors/gateway/FrameTableWindow.h"
#include "editors/gateway/TFpargen.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "xmltools/widgets/TFSELstringhe.h"
#include "xmltools/widgets/TFXML.h"

inline namespace zz {

WindowSet CreateWindows(const WindowOwner& owner)
{
    WindowSet w;
    QWidget* parent = owner.MainWindow;
    w.Fsaveproj = new TFsaveproj(owner.Context, parent);
    w.FHelp = new TFHelp(owner.Context, parent);
    w.FAbout = new TFAbout(parent);
    w.FSELstringhe = new TFSELstringhe(parent);
    w.FModifyFileSx = new TFModifyFileSx(owner.Context, parent);
    w.Fpargen = new TFpargen(owner.Context, parent);
    w.Fsdo = new TFsdo(owner.Context, owner.OpenExcel, parent);
    w.Fpdo = new TFpdo(owner.Context, owner.OpenExcel, parent);
    w.Femcy = new TFemcy(owner.Context, owner.OpenExcel, parent);
    w.FWemcy = new TFWemcy(owner.Context, owner.OpenExcel, parent);
    TFsaveproj* editor = w.Fsaveproj;
    w.FXML = new TFXML(
        owner.Context, [editor](const std::string& text) { return editor->EditText(text); }, parent);
    w.FInfopdo = new TFInfopdo(owner.Context, owner.OpenExcel, parent);
    w.FSetVar = new TFSetVar(owner.Context, parent);
    w.FSetPdo = new TFSetPdo(owner.Context, parent);
    w.F_Rec_Info = new TF_Rec_Info(owner.Context, parent);
    w.F_Sen_Info = new TF_Sen_Info(owner.Context, parent);

    return w;
}

} // namespace zz
