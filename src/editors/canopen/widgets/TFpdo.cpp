#include "editors/canopen/widgets/TFpdo.h"

#include "editors/canopen/tables/PdoGrids.h"

#include <algorithm>
#include <cmath>

inline namespace zz {

namespace {

const TwoGridLook kPdoLook{
    "TFpdo",
    "Define Traslate PDO",
    {"PDO From CanA to CanB", "PDO From CanB to CanA"},
    {},
    QSize(640, 340),
    [](int gridWidth) { return std::max(int(std::lround(double(gridWidth) / kPdoGridColumns)) - 5, 20); },
    true,
    kPdoPageOverflow,
};

} // namespace

TFpdo::TFpdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : TwoGridWindow(PdoGridTable(), kPdoLook, context, openExcel, parent)
{
}

} // namespace zz
