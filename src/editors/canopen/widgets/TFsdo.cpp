#include "editors/canopen/widgets/TFsdo.h"

#include "editors/canopen/workbook/OpenExcel.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/StringGrid.h"
#include "editors/canopen/widgets/EditorButtonBar.h"
#include "editors/canopen/widgets/MappingLook.h"
#include "editors/canopen/tables/SdoGrids.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "xmlstore/GuardedRead.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

StringGrid* MakeGrid(QWidget* parent, const QString& name)
{
    auto* grid = new StringGrid(kSdoGridColumns, kSdoGridRows, parent);
    // Only the titles here: the rows are filled at every showing.
    const std::vector<std::string>& captions = SdoColumnCaptions();
    for (int column = 0; column < kSdoGridColumns; ++column) grid->SetCell(column, 0, captions[size_t(column)]);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* target = new TargetColumnDelegate(grid);
    for (int column = 4; column < kSdoGridColumns; ++column) grid->setItemDelegateForColumn(column, target);
    NameFor(grid, name);
    return grid;
}

// A page: the two captions over the grid, the first over the four columns of the virtual
// index, the second over the target's five.
QWidget* MakePage(StringGrid* grid, QLabel* virtualCaption, QLabel* targetCaption)
{
    auto* page = new QWidget;
    ApplyTargetColour(targetCaption);
    auto* captions = new QHBoxLayout;
    captions->setSpacing(0);
    captions->addWidget(virtualCaption, 4);
    captions->addWidget(targetCaption, 6);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(captions);
    layout->addWidget(grid, 1);
    return page;
}

} // namespace

TFsdo::TFsdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : ModalWindow(parent),
      PageControl1(new QTabWidget(this)),
      sga(MakeGrid(this, QStringLiteral("SDO from CAN A request to CAN B"))),
      sgb(MakeGrid(this, QStringLiteral("SDO from CAN B request to CAN A"))),
      LabelVirtualA(new QLabel(QStringLiteral("Define virtual index SDO in CAN A"), this)),
      LabelTargetA(new QLabel(QStringLiteral("Input index address SDO in CAN B"), this)),
      LabelVirtualB(new QLabel(QStringLiteral("Define virtual index SDO in CAN B"), this)),
      LabelTargetB(new QLabel(QStringLiteral("Input index address SDO in CAN A"), this)),
      context_(context),
      openExcel_(openExcel)
{
    setObjectName(QStringLiteral("TFsdo"));
    setWindowTitle(QStringLiteral("Set SDO Access"));
    setSizeGripEnabled(true);
    ApplyMappingLook(this);

    PageControl1->addTab(MakePage(sga, LabelVirtualA, LabelTargetA), QStringLiteral("SDO from CAN A request to CAN B"));
    PageControl1->addTab(MakePage(sgb, LabelVirtualB, LabelTargetB), QStringLiteral("SDO from CAN B request to CAN A"));

    // OK saves nothing: the table leaves the window only through Export.
    AddEditorButtonBar(this, PageControl1, {&BitBtn1, &BitBtn2, &Button1, &BitBtn4},
                       [] { return true; }, [this] { Button1Click(); }, [this] { BitBtn4Click(); });
    resize(820, 560);

    sga->installEventFilter(this);
    sgb->installEventFilter(this);
}

void TFsdo::FormShow()
{
    PrepareSdoGrid(sga->Cells());
    PrepareSdoGrid(sgb->Cells());
    std::vector<SdoAccessEntry> entries;
    // A missing document shows empty grids without a message.
    GuardedRead(document_, SdoAccessPath(context_), "", kErrorReadingFileXml,
                [&](ProjectDocument& document, XmlNode root) { ReadSdoAccessEntries(document, root, entries); });
    FillSdoGrids(entries, sga->Cells(), sgb->Cells()); // nothing is saved here, so extra entries are left out
    sga->CellsChanged();
    sgb->CellsChanged();
    FormResize();
    StringGrid* grid = PageControl1->currentIndex() == 1 ? sgb : sga;
    grid->MoveCursor(1, 1);
    grid->setFocus();
}

void TFsdo::BitBtn4Click()
{
    FinishGridEdit(this);
    SdoSheetImport import(sga->Cells(), sgb->Cells());
    ImportIntoGrids(openExcel_, kSdoTableName, kSdoSheetColumns, sga, sgb, [&](const std::vector<std::string>& row) { import.Row(row); });
}

void TFsdo::Button1Click()
{
    FinishGridEdit(this);
    ExportCsv(context_, kSdoTableName, SdoExportLines(sga->Cells(), sgb->Cells()));
}

bool TFsdo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == sga || watched == sgb)) FormResize();
    return ModalWindow::eventFilter(watched, event);
}

void TFsdo::FormResize()
{
    for (StringGrid* grid : {sga, sgb}) {
        const int w = grid->width() / 10;
        for (int column = 0; column < kSdoGridColumns; ++column) grid->setColumnWidth(column, w);
    }
}
