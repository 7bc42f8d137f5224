#include "xmltools/widgets/TFSELstringhe.h"

#include "common/ErrorBoundary.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/StringGrid.h"
#include "xmlstore/GuardedRead.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

inline namespace zz {

TFSELstringhe::TFSELstringhe(QWidget* parent)
    : ModalWindow(parent)
{
    setWindowTitle(QStringLiteral("Select String"));
    resize(420, 460);
    sg = new StringGrid(2, kStringCount + 1, this);
    sg->SetReadOnly(true);
    NameFor(sg, QStringLiteral("Strings"));
    sg->installEventFilter(this);
    sg->horizontalHeader()->setStretchLastSection(false); // the widths come from FormResize
    Label1 = new QLabel(QStringLiteral("Sel str:"), this);
    bitbtn1 = new QPushButton(QStringLiteral("OK"), this);
    bitbtn2 = new QPushButton(QStringLiteral("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label1, 1);
    buttons->addWidget(bitbtn1);
    buttons->addWidget(bitbtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sg, 1);
    layout->addLayout(buttons);

    OnAccept(bitbtn1, this, [] { return true; });
    connect(bitbtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(sg, &StringGrid::CellSelected, this,
            [this](int column, int row) { RunGuarded([&] { sgSelectCell(column, row); }); });
}

void TFSELstringhe::sgSelectCell(int, int row)
{
    if (row < 1) return;
    SelectedStringIndex = row - 1;
    Label1->setText(QStringLiteral("Sel str: ") + QString::number(SelectedStringIndex));
}

void TFSELstringhe::FormShow()
{
    GridCells& cells = sg->Cells();
    cells.SetCell(0, 0, "Index");
    cells.SetCell(1, 0, "String");
    for (int i = 0; i < kStringCount; ++i) cells.SetCell(0, i + 1, std::to_string(i));
    // The string column is not emptied: rows the new document does not reach keep the
    // strings of an earlier showing. The parser object always exists here, so "Error XML
    // parser not installed" cannot arise.
    GuardedRead(document_, StringsFile, "File strings XML not found", kErrorReadingFileXml,
                [&cells](ProjectDocument& document, XmlNode root) {
                    const std::size_t count = document.ChildCount(root);
                    for (std::size_t i = 0; i < count && i < kStringCount; ++i)
                        cells.SetCell(1, static_cast<int>(i) + 1, document.NodeText(document.ChildAt(root, i)));
                });
    sg->CellsChanged();
    sg->MoveCursor(1, SelectedStringIndex + 1);
    sgSelectCell(1, SelectedStringIndex + 1);
    sg->setFocus();
}

// The grid follows the window's size; its columns follow the grid once it has its new size.
bool TFSELstringhe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sg && event->type() == QEvent::Resize) FormResize();
    return ModalWindow::eventFilter(watched, event);
}

void TFSELstringhe::FormResize()
{
    sg->SetColumnWidth(0, 40);
    sg->SetColumnWidth(1, sg->width() - 70);
}

} // namespace zz
