#include "devicenet/ByteMapPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>

inline namespace zz {

namespace {

constexpr int kMargin = 12;
constexpr int kColumns = 8;
constexpr int kCellWidth = 104;
constexpr int kCellHeight = 40;
constexpr int kTitleHeight = 28;
constexpr int kLineHeight = 18;
constexpr int kGap = 16;

int GridRows(const ByteMapSide& side)
{
    return (side.Size + kColumns - 1) / kColumns;
}

// Heights of the parts of one area: title, grid, list of mappings beyond it.
int AreaHeight(const ByteMapSide& side)
{
    int height = kTitleHeight + GridRows(side) * kCellHeight;
    if (!side.Beyond.empty()) height += kLineHeight * (1 + static_cast<int>(side.Beyond.size()));
    if (!side.Problem.empty()) height += kLineHeight;
    return height + kGap;
}

int AreaTop(const ByteMap& map, bool input)
{
    return kMargin + (input ? 0 : AreaHeight(map.Input));
}

int LegendLines(const ByteMap& map)
{
    return 1 + static_cast<int>(map.Input.Frames.size() + map.Output.Frames.size()) + 2;
}

QRect CellRect(int top, int byte)
{
    const int row = byte / kColumns;
    const int column = byte % kColumns;
    return QRect(kMargin + column * kCellWidth, top + kTitleHeight + row * kCellHeight, kCellWidth, kCellHeight);
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

void PaintArea(QPainter& painter, const ByteMapSide& side, int top, std::optional<MapFrameRef> highlighted)
{
    QFont title = painter.font();
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::black);
    painter.drawText(QRect(kMargin, top, kColumns * kCellWidth, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     (side.IsInput()
                          ? QStringLiteral("DeviceNet input area: %1 bytes (Net_In), fed by the receive frames")
                          : QStringLiteral("DeviceNet output area: %1 bytes (Net_Out), feeding the send frames"))
                         .arg(side.Size));
    title.setBold(false);
    painter.setFont(title);

    QFont small = painter.font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    for (int b = 0; b < side.Size; ++b) {
        const QRect cell = CellRect(top, b);
        const std::vector<ByteFeed>& feeds = side.Bytes[static_cast<size_t>(b)];
        const bool mine =
            highlighted && highlighted->Direction == side.Direction &&
            std::any_of(feeds.begin(), feeds.end(), [&](const ByteFeed& f) { return f.Frame == highlighted->Frame; });
        QColor fill = Qt::white;
        if (!feeds.empty()) {
            fill = FrameColour({side.Direction, feeds.front().Frame});
            // The other frames keep a trace of their colour, so that used bytes still differ from unused ones.
            if (highlighted && !mine) fill = QColor::fromHsv(fill.hue(), fill.saturation() / 3, fill.value());
        }
        painter.fillRect(cell, fill);
        painter.setPen(QPen(mine ? Qt::black : Qt::gray, mine ? 3 : 1));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));

        painter.setFont(small);
        painter.setPen(Qt::darkGray);
        painter.drawText(cell.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, QString::number(b));
        painter.setFont(title);
        painter.setPen(Qt::black);
        QString label;
        if (!feeds.empty()) label = Q(FeedLabel(side, feeds.front()));
        if (feeds.size() > 1) label += QStringLiteral(" +%1").arg(feeds.size() - 1);
        painter.drawText(cell.adjusted(4, 12, -4, -2), Qt::AlignLeft | Qt::AlignVCenter, label);
        if (side.Conflict(b)) {
            painter.setPen(QPen(Qt::red, 2));
            painter.drawLine(cell.topLeft() + QPoint(2, 2), cell.bottomRight() - QPoint(2, 2));
            painter.drawRect(cell.adjusted(1, 1, -2, -2));
        }
    }

    int y = top + kTitleHeight + GridRows(side) * kCellHeight;
    painter.setPen(Qt::red);
    if (!side.Problem.empty()) {
        painter.drawText(QRect(kMargin, y, kColumns * kCellWidth, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Not readable: ") + Q(side.Problem));
        y += kLineHeight;
    }
    if (!side.Beyond.empty()) {
        painter.drawText(QRect(kMargin, y, kColumns * kCellWidth, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Mapped beyond the area (the data is lost):"));
        for (const StrayMapping& stray : side.Beyond) {
            y += kLineHeight;
            painter.drawText(
                QRect(kMargin + 16, y, kColumns * kCellWidth, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("%1 to byte %2").arg(Q(FeedLabel(side, stray.Feed))).arg(stray.DeviceNetByte));
        }
    }
    painter.setPen(Qt::black);
}

void PaintLegend(QPainter& painter, const ByteMap& map, int top)
{
    int y = top;
    painter.drawText(QRect(kMargin, y, kColumns * kCellWidth, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Frames (conflicts crossed out in red, unused bytes white):"));
    for (const ByteMapSide* side : {&map.Input, &map.Output}) {
        for (size_t f = 0; f < side->Frames.size(); ++f) {
            y += kLineHeight;
            const MapFrame& frame = side->Frames[f];
            painter.fillRect(QRect(kMargin, y + 3, 24, kLineHeight - 6), FrameColour({side->Direction, f}));
            painter.drawText(
                QRect(kMargin + 32, y, kColumns * kCellWidth - 32, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("%1 %2 (row %3)  %4")
                    .arg(side->IsInput() ? QStringLiteral("receive") : QStringLiteral("send"), Q(frame.CobId))
                    .arg(frame.Row)
                    .arg(Q(frame.Mnemonic)));
        }
    }
}

} // namespace

QColor FrameColour(MapFrameRef frame)
{
    // The golden angle spreads neighbouring frames over the colour circle; send frames start
    // half-way round so that the two areas do not look alike.
    const int hue = (static_cast<int>(frame.Frame) * 137 + (frame.Direction == GatewaySide::Receive ? 0 : 180)) % 360;
    return QColor::fromHsv(hue, 80, 250);
}

QSize ByteMapPictureSize(const ByteMap& map)
{
    const int height = AreaTop(map, false) + AreaHeight(map.Output) + LegendLines(map) * kLineHeight + kMargin;
    return QSize(2 * kMargin + kColumns * kCellWidth, height);
}

void PaintByteMap(QPainter& painter, const ByteMap& map, std::optional<MapFrameRef> highlighted)
{
    painter.fillRect(QRect(QPoint(0, 0), ByteMapPictureSize(map)), Qt::white);
    PaintArea(painter, map.Input, AreaTop(map, true), highlighted);
    PaintArea(painter, map.Output, AreaTop(map, false), highlighted);
    PaintLegend(painter, map, AreaTop(map, false) + AreaHeight(map.Output));
}

std::optional<MapCellRef> ByteMapCellAt(const ByteMap& map, QPoint point)
{
    for (const ByteMapSide* side : {&map.Input, &map.Output}) {
        const int top = AreaTop(map, side->IsInput());
        for (int b = 0; b < side->Size; ++b)
            if (CellRect(top, b).contains(point)) return MapCellRef{side->Direction, b};
    }
    return std::nullopt;
}

bool WriteByteMapSvg(const ByteMap& map, const std::string& path, std::string& why)
{
    // Written to memory first, so that a file that cannot be written leaves the old one as it was.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(ByteMapPictureSize(map));
    generator.setViewBox(QRect(QPoint(0, 0), ByteMapPictureSize(map)));
    generator.setTitle(QStringLiteral("DeviceNet Byte Map"));
    {
        QPainter painter(&generator);
        PaintByteMap(painter, map);
    }
    QSaveFile file(Q(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.data().size() || !file.commit()) {
        why = "Cannot write '" + path + "': " + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool WriteByteMapPng(const ByteMap& map, const std::string& path, std::string& why)
{
    QImage image(ByteMapPictureSize(map), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintByteMap(painter, map);
    }
    QSaveFile file(Q(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        why = "Cannot write '" + path + "': " + file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace zz
