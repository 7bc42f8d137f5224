#include "devicenet/widgets/ByteMapWindow.h"

#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "devicenet/ByteMapPainting.h"
#include "devicenet/TagList.h"
#include "devicenet/widgets/ByteMapView.h"
#include "gateway/GatewayProject.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

inline namespace zz {

namespace {

// List rows: the receive frames, then the send frames, each under a title row.
std::optional<MapFrameRef> FrameOfRow(const ByteMap& map, int row)
{
    const int inputs = static_cast<int>(map.Input.Frames.size());
    if (row >= 1 && row <= inputs) return MapFrameRef{GatewaySide::Receive, static_cast<size_t>(row - 1)};
    const int sendRow = row - inputs - 2;
    if (sendRow >= 0 && sendRow < static_cast<int>(map.Output.Frames.size()))
        return MapFrameRef{GatewaySide::Send, static_cast<size_t>(sendRow)};
    return std::nullopt;
}

} // namespace

ByteMapWindow::ByteMapWindow(QWidget* parent)
    : ModalWindow(parent)
{
    setObjectName(QStringLiteral("ByteMapWindow"));
    setWindowTitle(QStringLiteral("DeviceNet Byte Map"));

    Frames = new QListWidget(this);
    Frames->setObjectName(QStringLiteral("Frames"));
    auto* framesLabel = new QLabel(QStringLiteral("&Frames"), this);
    LabelFor(framesLabel, Frames);
    Frames->setMinimumWidth(230);

    View = new ByteMapView;
    Scroll = new QScrollArea(this);
    Scroll->setWidget(View);
    Scroll->setWidgetResizable(false);
    NameFor(Scroll, QStringLiteral("Byte map"));

    ExportSvg = new QPushButton(QStringLiteral("Export &SVG..."), this);
    ExportPng = new QPushButton(QStringLiteral("Export &PNG..."), this);
    ExportTags = new QPushButton(QStringLiteral("Export &tag list..."), this);
    Print = new QPushButton(QStringLiteral("P&rint..."), this);
    CloseButton = new QPushButton(QStringLiteral("&Close"), this);
    for (QPushButton* b : {ExportSvg, ExportPng, ExportTags, Print, CloseButton}) b->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(framesLabel);
    side->addWidget(Frames, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(side);
    body->addWidget(Scroll, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ExportSvg);
    buttons->addWidget(ExportPng);
    buttons->addWidget(ExportTags);
    buttons->addWidget(Print);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(1180, 680);

    askPath_ = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, Q(projectDir_), filter);
    };
    OnClick(ExportSvg, [this] { ExportSvgClick(); });
    OnClick(ExportPng, [this] { ExportPngClick(); });
    OnClick(ExportTags, [this] { ExportTagsClick(); });
    OnClick(Print, [this] { PrintClick(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Frames, &QListWidget::currentRowChanged, this, [this](int row) { FramesRowChanged(row); });
}

void ByteMapWindow::FormShow()
{
    map_ = BuildByteMap(LoadGatewayProject(ProjectLayout::Of(projectDir_)));
    View->SetMap(&map_);
    Frames->clear();
    const auto addTitle = [this](const QString& text) {
        auto* item = new QListWidgetItem(text, Frames);
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
    };
    const auto addFrames = [this](const ByteMapSide& side) {
        for (size_t f = 0; f < side.Frames.size(); ++f) {
            const MapFrame& frame = side.Frames[f];
            auto* item = new QListWidgetItem(Q(frame.CobId) + QStringLiteral("  ") + Q(frame.Mnemonic), Frames);
            item->setData(Qt::DecorationRole, FrameColour({side.Direction, f}));
            item->setToolTip(Q(frame.Mnemonic));
        }
    };
    addTitle(QStringLiteral("Receive frames (input area)"));
    addFrames(map_.Input);
    addTitle(QStringLiteral("Send frames (output area)"));
    addFrames(map_.Output);
    Frames->setFocus();
}

void ByteMapWindow::FramesRowChanged(int row)
{
    View->SetHighlighted(FrameOfRow(map_, row));
}

void ByteMapWindow::ExportSvgClick()
{
    const QString path = askPath_(QStringLiteral("Export SVG"), QStringLiteral("SVG picture (*.svg)"));
    if (path.isEmpty()) return;
    std::string why;
    if (!WriteByteMapSvg(map_, S(path), why)) Messages().Notice(why);
}

void ByteMapWindow::ExportPngClick()
{
    const QString path = askPath_(QStringLiteral("Export PNG"), QStringLiteral("PNG picture (*.png)"));
    if (path.isEmpty()) return;
    std::string why;
    if (!WriteByteMapPng(map_, S(path), why)) Messages().Notice(why);
}

void ByteMapWindow::ExportTagsClick()
{
    const QString path = askPath_(QStringLiteral("Export tag list"), QStringLiteral("CSV file (*.csv)"));
    if (path.isEmpty()) return;
    WriteFileAtomically(S(path), TagListCsv(TagEntries(map_)));
}

void ByteMapWindow::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    // Scaled to the page width (and height, for a long map), keeping the proportions.
    const QSize size = ByteMapPictureSize(map_);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(double(page.width()) / size.width(), double(page.height()) / size.height());
    painter.scale(scale, scale);
    PaintByteMap(painter, map_);
}

} // namespace zz
