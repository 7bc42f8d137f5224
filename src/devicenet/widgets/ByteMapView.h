#pragma once
#include "devicenet/ByteMap.h"
#include "devicenet/ByteMapPainting.h"

#include <QWidget>

#include <optional>

inline namespace zz {

// Draws the byte map picture; resting the pointer on a cell shows the mnemonic of the frame
// (or frames) behind it.
class ByteMapView : public QWidget {
    Q_OBJECT
public:
    explicit ByteMapView(QWidget* parent = nullptr);

    void SetMap(const ByteMap* map);
    void SetHighlighted(std::optional<MapFrameRef> frame);
    // The tooltip text of the cell under a point of the picture; empty off the cells.
    QString ToolTipAt(QPoint point) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    const ByteMap* map_ = nullptr;
    std::optional<MapFrameRef> highlighted_;
};

} // namespace zz
