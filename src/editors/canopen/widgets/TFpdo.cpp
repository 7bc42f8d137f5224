#include "editors/canopen/widgets/TFpdo.h"

#include "editors/canopen/workbook/OpenExcel.h"
#include "common/ProjectContext.h"
#include "common/MessageSink.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/StringGrid.h"
#include "editors/canopen/widgets/EditorButtonBar.h"
#include "editors/canopen/widgets/MappingLook.h"
#include "editors/canopen/tables/PdoGrids.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "xmlstore/GuardedRead.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Shown when the document holds more entries for a page than its grid: OK would drop them.
constexpr const char* kPdoPageOverflow =
    "rpdodef.xml holds more than 10 entries for one page: only the first 10 are shown, and OK saves only these";

StringGrid* MakeGrid(QWidget* parent, const QString& name)
{
    auto* grid = new StringGrid(kPdoGridColumns, kPdoGridRows, parent);
    PreparePdoGrid(grid->Cells());
    grid->CellsChanged();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* target = new TargetColumnDelegate(grid);
    grid->setItemDelegateForColumn(4, target);
    grid->setItemDelegateForColumn(5, target);
    NameFor(grid, name);
    return grid;
}

QWidget* MakePage(StringGrid* grid)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grid, 1);
    return page;
}

} // namespace

TFpdo::TFpdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : ModalWindow(parent),
      PageControl1(new QTabWidget(this)),
      sga(MakeGrid(this, QStringLiteral("PDO From CanA to CanB"))),
      sgb(MakeGrid(this, QStringLiteral("PDO From CanB to CanA"))),
      context_(context),
      openExcel_(openExcel)
{
    setObjectName(QStringLiteral("TFpdo"));
    setWindowTitle(QStringLiteral("Define Traslate PDO"));
    setSizeGripEnabled(true);
    ApplyMappingLook(this);

    PageControl1->addTab(MakePage(sga), QStringLiteral("PDO From CanA to CanB"));
    PageControl1->addTab(MakePage(sgb), QStringLiteral("PDO From CanB to CanA"));

    AddEditorButtonBar(this, PageControl1, {&BitBtn1, &BitBtn2, &Button1, &BitBtn4},
                       [this] { return BitBtn1Click(); }, [this] { Button1Click(); }, [this] { BitBtn4Click(); });
    resize(640, 340);
    sga->installEventFilter(this);
    sgb->installEventFilter(this);
}

void TFpdo::FormShow()
{
    PreparePdoGrid(sga->Cells());
    PreparePdoGrid(sgb->Cells());
    PdoTranslationTable table;
    const GuardedReadResult read =
        GuardedRead(document_, context_.RpdoDefFile, kFileXmlNotFound, kErrorReadingFileXml,
                    [&](ProjectDocument& document, XmlNode root) { ReadPdoTranslation(document, root, table); });
    if (read == GuardedReadResult::Failed) MarkLoadIncomplete();
    const int dropped = FillPdoGrid(table.pages[CanSide::A], sga->Cells()) +
                        FillPdoGrid(table.pages[CanSide::B], sgb->Cells());
    sga->CellsChanged();
    sgb->CellsChanged();
    FormResize();
    FocusCurrentGrid();
    if (dropped > 0) Messages().Notice(kPdoPageOverflow);
}

bool TFpdo::BitBtn1Click()
{
    FinishGridEdit(this);
    PdoTranslationTable table;
    table.pages[CanSide::A] = PdoEntriesOf(sga->Cells());
    table.pages[CanSide::B] = PdoEntriesOf(sgb->Cells());
    WritePdoTranslation(table, document_); // a cobid that is no integer stops here
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    document_.SaveFile(context_.RpdoDefFile);
    return true;
}

void TFpdo::BitBtn4Click()
{
    FinishGridEdit(this);
    PdoSheetImport import(sga->Cells(), sgb->Cells());
    ImportIntoGrids(openExcel_, kPdoTableName, kPdoSheetColumns, sga, sgb, [&](const std::vector<std::string>& row) { import.Row(row); });
}

void TFpdo::Button1Click()
{
    FinishGridEdit(this);
    ExportCsv(context_, kPdoTableName, PdoExportLines(sga->Cells(), sgb->Cells()));
}

bool TFpdo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == sga || watched == sgb)) FormResize();
    return ModalWindow::eventFilter(watched, event);
}

void TFpdo::FocusCurrentGrid()
{
    StringGrid* grid = PageControl1->currentIndex() == 1 ? sgb : sga;
    grid->MoveCursor(1, 1);
    grid->setFocus();
}

void TFpdo::FormResize()
{
    for (StringGrid* grid : {sga, sgb}) {
        const int w = int(std::lround(double(grid->width()) / kPdoGridColumns)) - 5;
        grid->horizontalHeader()->setDefaultSectionSize(std::max(w, 20));
        for (int column = 0; column < kPdoGridColumns; ++column) grid->setColumnWidth(column, std::max(w, 20));
    }
}
