#include "app/WindowSet.h"

#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFsaveproj.h"
#include "xmltools/widgets/TFSELstringhe.h"
#include "xmltools/widgets/TFXML.h"

WindowSet CreateWindows(const WindowOwner& owner)
{
    WindowSet w;
    QWidget* parent = owner.mainWindow;
    w.Fsaveproj = new TFsaveproj(owner.context, parent);
    w.FHelp = new TFHelp(owner.context, parent);
    w.FAbout = new TFAbout(parent);
    // FSELstringhe
    w.FSELstringhe = new TFSELstringhe(parent);
    // FModifyFileSx

    // Fpargen

    // Fsdo

    // Fpdo

    // Femcy

    // FWemcy

    // FXML
    TFsaveproj* editor = w.Fsaveproj;
    w.FXML = new TFXML(owner.context, [editor](const std::string& text) { return editor->EditText(text); }, parent);
    // FInfopdo

    // FSetVar

    // FSetPdo

    // F_Rec_Info

    // F_Sen_Info

    return w;
}
