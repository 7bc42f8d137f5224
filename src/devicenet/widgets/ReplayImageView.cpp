#include "devicenet/widgets/ReplayImageView.h"

#include <QPainter>

#include <algorithm>

inline namespace zz {

ReplayImageView::ReplayImageView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void ReplayImageView::SetMap(const ByteMap& map)
{
    map_ = map;
    map_.Output = ByteMapSide{};
    map_.Output.Direction = GatewaySide::Send;
    map_.Output.Size = 0;
    // The cells' places, from the picture's hit test, so that the values sit in its cells.
    cells_.assign(static_cast<size_t>(map_.Input.Size), QRect());
    const QSize size = ByteMapPictureSize(map_);
    height_ = 0;
    for (int y = 0; y < size.height(); y += 4)
        for (int x = 0; x < size.width(); x += 4) {
            const std::optional<MapCellRef> cell = ByteMapCellAt(map_, QPoint(x, y));
            if (!cell || cell->Direction != GatewaySide::Receive) continue;
            QRect& rect = cells_[static_cast<size_t>(cell->Byte)];
            rect = rect.isNull() ? QRect(x, y, 1, 1) : rect.united(QRect(x, y, 1, 1));
            height_ = std::max(height_, y + 8);
        }
    image_.assign(cells_.size(), 0);
    written_.clear();
    frame_.reset();
    setFixedSize(size.width(), std::max(height_, 40));
    update();
}

void ReplayImageView::SetImage(std::vector<uint8_t> image, std::optional<size_t> frame, std::vector<uint8_t> written)
{
    image_ = std::move(image);
    frame_ = frame;
    written_ = std::move(written);
    update();
}

QSize ReplayImageView::sizeHint() const
{
    return {ByteMapPictureSize(map_).width(), std::max(height_, 40)};
}

void ReplayImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setClipRect(0, 0, width(), height_);
    std::optional<MapFrameRef> highlighted;
    if (frame_) highlighted = MapFrameRef{GatewaySide::Receive, *frame_};
    PaintByteMap(painter, map_, highlighted);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    for (size_t b = 0; b < cells_.size() && b < image_.size(); ++b) {
        const QRect cell = cells_[b].adjusted(2, 2, -2, -2);
        if (cells_[b].isNull()) continue;
        const bool wrote = std::find(written_.begin(), written_.end(), static_cast<uint8_t>(b)) != written_.end();
        if (wrote) {
            painter.setPen(QPen(QColor(0, 90, 200), 3));
            painter.drawRect(cell);
        }
        painter.setPen(wrote ? QColor(0, 90, 200) : Qt::black);
        painter.drawText(cell, Qt::AlignRight | Qt::AlignTop,
                         QStringLiteral("%1").arg(image_[b], 2, 16, QLatin1Char('0')).toUpper());
    }
}

} // namespace zz
