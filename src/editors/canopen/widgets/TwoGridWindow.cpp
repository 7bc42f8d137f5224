#include "editors/canopen/widgets/TwoGridWindow.h"

#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/StringGrid.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "editors/canopen/tables/TwoGridTable.h"
#include "editors/canopen/widgets/MappingLook.h"
#include "editors/canopen/workbook/OpenExcel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

inline namespace zz {

namespace {

StringGrid* MakeGrid(const TwoGridTable& table, QWidget* parent, const char* name)
{
    auto* grid = new StringGrid(table.Columns, table.Rows, parent);
    PrepareGrid(table, grid->Cells());
    grid->CellsChanged();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* target = new TargetColumnDelegate(grid);
    for (int column = table.FirstTargetColumn; column < table.Columns; ++column)
        grid->setItemDelegateForColumn(column, target);
    NameFor(grid, QString::fromUtf8(name));
    return grid;
}

// A page: the grid, under its two captions where it has them, the first over the four
// columns of the virtual side, the second over the target's.
QWidget* MakePage(StringGrid* grid, QLabel* virtualCaption, QLabel* targetCaption)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    if (virtualCaption && targetCaption) {
        ApplyTargetColour(targetCaption);
        auto* captions = new QHBoxLayout;
        captions->setSpacing(0);
        captions->addWidget(virtualCaption, 4);
        captions->addWidget(targetCaption, 6);
        layout->addLayout(captions);
    }
    layout->addWidget(grid, 1);
    return page;
}

} // namespace

TwoGridWindow::TwoGridWindow(const TwoGridTable& table, const TwoGridLook& look, ProjectContext& context,
                             OpenExcelDialog& openExcel, QWidget* parent)
    : CanopenEditor(context, openExcel, parent),
      PageControl1(new QTabWidget(this)),
      sga(MakeGrid(table, this, look.Pages[0])),
      sgb(MakeGrid(table, this, look.Pages[1])),
      table_(table),
      look_(look)
{
    for (size_t page = 0; page < 2; ++page)
        for (size_t which = 0; which < 2; ++which)
            if (const char* text = look.PageCaptions[page][which])
                captions_[page][which] = new QLabel(QString::fromUtf8(text), this);

    setObjectName(QString::fromUtf8(look.ObjectName));
    setWindowTitle(QString::fromUtf8(look.Title));
    setSizeGripEnabled(true);
    ApplyMappingLook(this);

    PageControl1->addTab(MakePage(sga, captions_[0][0], captions_[0][1]), QString::fromUtf8(look.Pages[0]));
    PageControl1->addTab(MakePage(sgb, captions_[1][0], captions_[1][1]), QString::fromUtf8(look.Pages[1]));

    std::function<bool()> ok = [] { return true; };
    if (look.OkSaves) ok = [this] { return SaveTable(); };
    AddButtonBar(
        PageControl1, std::move(ok), [this] { ExportGrids(); }, [this] { ImportSheetRows(); });
    resize(look.Size);

    sga->installEventFilter(this);
    sgb->installEventFilter(this);
}

void TwoGridWindow::FormShow()
{
    const GridLoad load = LoadGrids(table_, context_, document_, sga->Cells(), sgb->Cells());
    if (load.Read == GuardedReadResult::Failed) MarkLoadIncomplete();
    sga->CellsChanged();
    sgb->CellsChanged();
    FormResize();
    StringGrid* grid = PageControl1->currentIndex() == 1 ? sgb : sga;
    grid->MoveCursor(1, 1);
    grid->setFocus();
    if (load.Dropped > 0 && look_.OverflowNotice) Messages().Notice(look_.OverflowNotice);
}

bool TwoGridWindow::SaveTable()
{
    FinishGridEdit(this);
    const std::string path = table_.write(context_, sga->Cells(), sgb->Cells(), document_);
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    document_.SaveFile(path);
    return true;
}

void TwoGridWindow::ImportSheetRows()
{
    FinishGridEdit(this);
    TwoGridSheetImport import(table_, sga->Cells(), sgb->Cells());
    ImportIntoGrids(openExcel_, table_.Name, table_.SheetColumns(), sga, sgb,
                    [&](const std::vector<std::string>& row) { import.Row(row); });
}

void TwoGridWindow::ExportGrids()
{
    FinishGridEdit(this);
    Say(ExportCsv(context_, table_.Name, ExportLines(table_, sga->Cells(), sgb->Cells())));
}

bool TwoGridWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == sga || watched == sgb)) FormResize();
    return ModalWindow::eventFilter(watched, event);
}

void TwoGridWindow::FormResize()
{
    for (StringGrid* grid : {sga, sgb}) {
        const int width = look_.columnWidth(grid->width());
        for (int column = 0; column < table_.Columns; ++column) grid->setColumnWidth(column, width);
    }
}

} // namespace zz
