#include "app/WindowSet.h"

#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "editors/canopen/TFWemcy.h"
#include "editors/canopen/TFemcy.h"

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

    // Fsdo

    // Fpdo

    w.Femcy = new TFemcy(owner.context, owner.openExcel, parent);

    w.FWemcy = new TFWemcy(owner.context, owner.openExcel, parent);

    // FXML

    // FInfopdo

    // FSetVar

    // FSetPdo

    // F_Rec_Info

    // F_Sen_Info

    return w;
}
