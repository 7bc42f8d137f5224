#include "app/WindowSet.h"

#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "editors/canopen/widgets/TFInfopdo.h"
#include "editors/canopen/widgets/TFWemcy.h"
#include "editors/canopen/widgets/TFemcy.h"
#include "editors/canopen/widgets/TFpdo.h"
#include "editors/canopen/widgets/TFsdo.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "editors/gateway/FrameTableWindow.h"
#include "editors/gateway/TFpargen.h"
#include "xmltools/widgets/TFSELstringhe.h"
#include "xmltools/widgets/TFXML.h"

inline namespace zz {

WindowSet CreateWindows(const WindowOwner& owner)
{
    WindowSet w;
    QWidget* parent = owner.mainWindow;
    w.Fsaveproj = new TFsaveproj(owner.context, parent);
    w.FHelp = new TFHelp(owner.context, parent);
    w.FAbout = new TFAbout(parent);
    w.FSELstringhe = new TFSELstringhe(parent);
    w.FModifyFileSx = new TFModifyFileSx(owner.context, parent);
    w.Fpargen = new TFpargen(owner.context, parent);
    w.Fsdo = new TFsdo(owner.context, owner.openExcel, parent);
    w.Fpdo = new TFpdo(owner.context, owner.openExcel, parent);
    w.Femcy = new TFemcy(owner.context, owner.openExcel, parent);
    w.FWemcy = new TFWemcy(owner.context, owner.openExcel, parent);
    TFsaveproj* editor = w.Fsaveproj;
    w.FXML = new TFXML(owner.context, [editor](const std::string& text) { return editor->EditText(text); }, parent);
    w.FInfopdo = new TFInfopdo(owner.context, owner.openExcel, parent);
    w.FSetVar = new TFSetVar(owner.context, parent);
    w.FSetPdo = new TFSetPdo(owner.context, parent);
    w.F_Rec_Info = new TF_Rec_Info(owner.context, parent);
    w.F_Sen_Info = new TF_Sen_Info(owner.context, parent);

    return w;
}

} // namespace zz
