#pragma once
#include "editors/canopen/widgets/TwoGridWindow.h"

inline namespace zz {

// "Set SDO Access": the SDO access table of sdo.xml in the project directory, on two pages
// of 1500 rows each. The document is only read; OK saves nothing and the table leaves the
// window only through Export.
class TFsdo : public TwoGridWindow {
    Q_OBJECT
public:
    TFsdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    QLabel* LabelVirtualA;
    QLabel* LabelTargetA;
    QLabel* LabelVirtualB;
    QLabel* LabelTargetB;
};

} // namespace zz
