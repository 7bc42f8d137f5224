#pragma once
#include "devicenet/ByteMap.h"
#include "devicenet/ByteMapPainting.h"

#include <QRect>
#include <QWidget>

#include <optional>
#include <vector>

inline namespace zz {

// The DeviceNet input area as the byte map draws it, each cell with its byte's current value;
// the bytes the chosen change wrote are outlined, its frame highlighted.
class ReplayImageView : public QWidget {
    Q_OBJECT
public:
    explicit ReplayImageView(QWidget* parent = nullptr);

    // The map of the project (its output area is not drawn).
    void SetMap(const ByteMap& map);
    void SetImage(std::vector<uint8_t> image, std::optional<size_t> frame, std::vector<uint8_t> written);

    const std::vector<uint8_t>& Image() const { return image_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ByteMap map_;
    std::vector<QRect> cells_; // per input byte, found through the picture's own hit test
    int height_ = 0;
    std::vector<uint8_t> image_, written_;
    std::optional<size_t> frame_;
};

} // namespace zz
