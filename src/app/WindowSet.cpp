#include "app/WindowSet.h"

#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "firmware/widgets/TFModifyFileSx.h"

WindowSet CreateWindows(const WindowOwner& owner)
{
    WindowSet w;
    QWidget* parent = owner.mainWindow;
    w.Fsaveproj = new TFsaveproj(owner.context, parent);
    w.FHelp = new TFHelp(owner.context, parent);
    w.FAbout = new TFAbout(parent);
    // FSELstringhe

    w.FModifyFileSx = new TFModifyFileSx(owner.context, parent);

    // Fpargen

    // Fsdo

    // Fpdo

    // Femcy

    // FWemcy

    // FXML

    // FInfopdo

    // FSetVar

    // FSetPdo

    // F_Rec_Info

    // F_Sen_Info

    return w;
}
