#include "app/WindowSet.h"

#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "editors/canopen/TFInfopdo.h"
#include "editors/canopen/TFpdo.h"
#include "editors/canopen/TFsdo.h"

WindowSet CreateWindows(const WindowOwner& owner)
{
    WindowSet w;
    QWidget* parent = owner.mainWindow;
    w.Fsaveproj = new TFsaveproj(owner.context, parent);
    w.FHelp = new TFHelp(owner.context, parent);
    w.FAbout = new TFAbout(parent);
    // FSELstringhe

    // FModifyFileSx

    // Fpargen

    w.Fsdo = new TFsdo(owner.context, owner.openExcel, parent);

    w.Fpdo = new TFpdo(owner.context, owner.openExcel, parent);

    // Femcy

    // FWemcy

    // FXML

    w.FInfopdo = new TFInfopdo(owner.context, owner.openExcel, parent);

    // FSetVar

    // FSetPdo

    // F_Rec_Info

    // F_Sen_Info

    return w;
}
