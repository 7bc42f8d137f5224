#pragma once
#include "common/widgets/ModalWindow.h"
#include "xmlstore/ProjectDocument.h"

#include <functional>

class QPushButton;

inline namespace zz {

struct OpenExcelDialog;
struct ProjectContext;

// The base of the CANopen editors: a window of two pages, one per CAN side, over a bar with
// "OK" and "Cancel" on the left and "Export" and "Import" on the right, editing one document
// of the project.
class CanopenEditor : public ModalWindow {
    Q_OBJECT
public:
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel
    QPushButton* Button1 = nullptr; // Export
    QPushButton* BitBtn4 = nullptr; // Import

protected:
    CanopenEditor(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent);

    // Lays out the window: `pages` above the bar, the pages taking the room the window gains.
    // The bar is connected behind the error boundary: OK closes with the OK result only when
    // `ok` returned true, Cancel discards, Export and Import run their handlers. No button of the
    // window, the pages' own included, is a default button, so Enter in an edit field presses
    // none of them.
    void AddButtonBar(QWidget* pages, std::function<bool()> ok, std::function<void()> exportLines,
                      std::function<void()> importSheet);

    ProjectContext& context_;
    OpenExcelDialog& openExcel_;
    ProjectDocument document_{Discipline::Guarded};
};

} // namespace zz
