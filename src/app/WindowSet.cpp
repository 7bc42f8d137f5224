#include "app/WindowSet.h"

#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "editors/canopen/TFWemcy.h"
#include "editors/canopen/TFemcy.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "editors/gateway/FrameTableWindow.h"
#include "editors/gateway/TFpargen.h"

WindowSet CreateWindows(const WindowOwner& owner)
{
    WindowSet w;
    QWidget* parent = owner.mainWindow;
    w.Fsaveproj = new TFsaveproj(owner.context, parent);
    w.FHelp = new TFHelp(owner.context, parent);
    w.FAbout = new TFAbout(parent);
    // FSELstringhe

    w.FModifyFileSx = new TFModifyFileSx(owner.context, parent);

    w.Fpargen = new TFpargen(owner.context, parent);

    // Fsdo

    // Fpdo

    w.Femcy = new TFemcy(owner.context, owner.openExcel, parent);

    w.FWemcy = new TFWemcy(owner.context, owner.openExcel, parent);

    // FXML

    // FInfopdo

    w.FSetVar = new TFSetVar(owner.context, parent);

    w.FSetPdo = new TFSetPdo(owner.context, parent);

    w.F_Rec_Info = new TF_Rec_Info(owner.context, parent);

    w.F_Sen_Info = new TF_Sen_Info(owner.context, parent);

    return w;
}
