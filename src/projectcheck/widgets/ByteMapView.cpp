#include "projectcheck/widgets/ByteMapView.h"

#include "common/widgets/QtText.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

inline namespace zz {

ByteMapView::ByteMapView(QWidget* parent) : QWidget(parent)
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
    const ByteMapSide& side = cell->input ? map_->input : map_->output;
    QStringList lines{QStringLiteral("%1 byte %2").arg(cell->input ? QStringLiteral("Input") : QStringLiteral("Output"))
                          .arg(cell->byte)};
    const std::vector<ByteFeed>& feeds = side.bytes[static_cast<size_t>(cell->byte)];
    if (feeds.empty()) lines << QStringLiteral("unused");
    for (const ByteFeed& feed : feeds)
        lines << Q(FeedLabel(side, feed)) + QStringLiteral(": ") + Q(side.frames[feed.frame].mnemonic);
    if (side.Conflict(cell->byte)) lines << QStringLiteral("Conflict: more than one CAN byte writes this byte");
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
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

} // namespace zz
