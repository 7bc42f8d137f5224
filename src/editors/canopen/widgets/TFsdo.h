#pragma once
#include "common/widgets/ModalWindow.h"
#include "xmlstore/ProjectDocument.h"

class QLabel;
class QPushButton;
class QTabWidget;
class StringGrid;
struct OpenExcelDialog;
struct ProjectContext;

// "Set SDO Access": the SDO access table of sdo.xml in the project directory, on two pages
// of 1500 rows each. The document is only read; OK saves nothing and the table leaves the
// window only through Export.
class TFsdo : public ModalWindow {
    Q_OBJECT
public:
    TFsdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    StringGrid* sga;
    StringGrid* sgb;
    QLabel* LabelVirtualA;
    QLabel* LabelTargetA;
    QLabel* LabelVirtualB;
    QLabel* LabelTargetB;
    QPushButton* BitBtn1; // OK
    QPushButton* BitBtn2; // Cancel
    QPushButton* Button1; // Export
    QPushButton* BitBtn4; // Import

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BitBtn4Click();
    void Button1Click();
    void FormResize();

    ProjectContext& context_;
    OpenExcelDialog& openExcel_;
    ProjectDocument document_{Discipline::Guarded};
};
