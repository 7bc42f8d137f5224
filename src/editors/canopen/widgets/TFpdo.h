#pragma once
#include "editors/canopen/widgets/TwoGridWindow.h"

inline namespace zz {

// "Define Traslate PDO": the PDO translation table of rpdodef.xml, ten entries per direction,
// `sga` "PDO From CanA to CanB" and `sgb` "PDO From CanB to CanA". OK saves the document, each
// page ordered by cobid.
class TFpdo : public TwoGridWindow {
    Q_OBJECT
public:
    TFpdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent = nullptr);
};

} // namespace zz
