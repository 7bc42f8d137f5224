#include "devicenet/widgets/ByteMapView.h"

#include "common/widgets/QtText.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

inline namespace zz {

ByteMapView::ByteMapView(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

void ByteMapView::SetMap(const ByteMap* map)
{
    map_ = map;
    highlighted_.reset();
    if (map_) setFixedSize(ByteMapPictureSize(*map_));
    update();
}

void ByteMapView::SetHighlighted(std::optional<MapFrameRef> frame)
{
    highlighted_ = frame;
    update();
}

QSize ByteMapView::sizeHint() const
{
    return map_ ? ByteMapPictureSize(*map_) : QSize(400, 300);
}

QString ByteMapView::ToolTipAt(QPoint point) const
{
    if (!map_) return {};
    const std::optional<MapCellRef> cell = ByteMapCellAt(*map_, point);
    if (!cell) return {};
    const ByteMapSide& side = cell->Direction == GatewaySide::Receive ? map_->Input : map_->Output;
    QStringList lines{
        QStringLiteral("%1 byte %2")
            .arg(cell->Direction == GatewaySide::Receive ? QStringLiteral("Input") : QStringLiteral("Output"))
            .arg(cell->Byte)};
    const std::vector<ByteFeed>& feeds = side.Bytes[static_cast<size_t>(cell->Byte)];
    if (feeds.empty()) lines << QStringLiteral("unused");
    for (const ByteFeed& feed : feeds)
        lines << Q(FeedLabel(side, feed)) + QStringLiteral(": ") + Q(side.Frames[feed.Frame].Mnemonic);
    if (side.Conflict(cell->Byte)) lines << QStringLiteral("Conflict: more than one CAN byte writes this byte");
    return lines.join(QLatin1Char('\n'));
}

void ByteMapView::paintEvent(QPaintEvent*)
{
    if (!map_) return;
    QPainter painter(this);
    PaintByteMap(painter, *map_, highlighted_);
}

bool ByteMapView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTipAt(help->pos());
        if (text.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

} // namespace zz
