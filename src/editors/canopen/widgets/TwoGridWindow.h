#pragma once
#include "editors/canopen/widgets/CanopenEditor.h"

#include <QSize>

#include <array>

class QLabel;
class QTabWidget;

inline namespace zz {

class StringGrid;
struct TwoGridTable;

// How a two-grid window looks and what its OK does.
struct TwoGridLook {
    const char* ObjectName;
    const char* Title;
    std::array<const char*, 2> Pages; // the tab texts, which also name the grids
    // Over each page's grid, when given: a caption over the columns of the virtual side and
    // one over those of the target side.
    std::array<std::array<const char*, 2>, 2> PageCaptions;
    QSize Size;
    int (*columnWidth)(int gridWidth);
    bool OkSaves;               // false: OK only closes, and the table leaves only through Export
    const char* OverflowNotice; // shown when a grid cannot hold the document's entries; none: silent
};

// A CANopen table on two pages, `sga` for the CAN A side and `sgb` for the CAN B side, above
// the editors' button bar. Every showing reloads the table's document; Import replaces both
// grids by a sheet's rows, Export writes both grids to the table's CSV file, and OK, where it
// saves, writes the document built from the grids.
class TwoGridWindow : public CanopenEditor {
    Q_OBJECT
public:
    QTabWidget* PageControl1;
    StringGrid* sga;
    StringGrid* sgb;

protected:
    TwoGridWindow(const TwoGridTable& table, const TwoGridLook& look, ProjectContext& context,
                  OpenExcelDialog& openExcel, QWidget* parent);

    // The caption `which` (0 virtual, 1 target) over the page's grid; null when the look has none.
    QLabel* PageCaption(int page, int which) const { return captions_[size_t(page)][size_t(which)]; }

    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool SaveTable();
    void ImportSheetRows();
    void ExportGrids();
    void FormResize();

    const TwoGridTable& table_;
    const TwoGridLook& look_;
    std::array<std::array<QLabel*, 2>, 2> captions_{};
};

} // namespace zz
