#include "editors/canopen/widgets/TFsdo.h"

#include "editors/canopen/tables/SdoGrids.h"

inline namespace zz {

namespace {

const TwoGridLook kSdoLook{
    "TFsdo",
    "Set SDO Access",
    {"SDO from CAN A request to CAN B", "SDO from CAN B request to CAN A"},
    {{{"Define virtual index SDO in CAN A", "Input index address SDO in CAN B"},
      {"Define virtual index SDO in CAN B", "Input index address SDO in CAN A"}}},
    QSize(820, 560),
    [](int gridWidth) { return gridWidth / 10; },
    false,   // the table leaves the window only through Export
    nullptr, // nothing is saved here, so entries beyond a full grid are left out silently
};

} // namespace

TFsdo::TFsdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : TwoGridWindow(SdoGridTable(), kSdoLook, context, openExcel, parent),
      LabelVirtualA(PageCaption(0, 0)),
      LabelTargetA(PageCaption(0, 1)),
      LabelVirtualB(PageCaption(1, 0)),
      LabelTargetB(PageCaption(1, 1))
{
}

} // namespace zz
