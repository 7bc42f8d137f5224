#pragma once
#include "common/widgets/ModalWindow.h"
#include "xmlstore/ProjectDocument.h"

class QPushButton;
class QTabWidget;
class StringGrid;
struct OpenExcelDialog;
struct ProjectContext;

// "Define Traslate PDO": the PDO translation table of rpdodef.xml, ten entries per direction.
// OK saves the document, each page ordered by cobid.
class TFpdo : public ModalWindow {
    Q_OBJECT
public:
    TFpdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    StringGrid* sga; // "PDO From CanA to CanB"
    StringGrid* sgb; // "PDO From CanB to CanA"
    QPushButton* BitBtn1; // OK
    QPushButton* BitBtn2; // Cancel
    QPushButton* Button1; // Export
    QPushButton* BitBtn4; // Import

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool BitBtn1Click();
    void BitBtn4Click();
    void Button1Click();
    void FormResize();
    // The grid of the page shown takes the focus, on its first cell.
    void FocusCurrentGrid();

    ProjectContext& context_;
    OpenExcelDialog& openExcel_;
    ProjectDocument document_{Discipline::Guarded};
};
