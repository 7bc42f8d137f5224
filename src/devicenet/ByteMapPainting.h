#pragma once
#include "devicenet/ByteMapPicture.h"

#include <QColor>
#include <QPoint>
#include <QSize>

#include <optional>
#include <string>

class QPainter;

inline namespace zz {

// The byte map's picture (ByteMapPicture.h) for the windows: on a painter, on screen and
// paper, and as a PNG file.

QSize ByteMapPictureSize(const ByteMap& map);

// Paints the picture from (0, 0); with a highlighted frame, its bytes are outlined and all
// other frames' cells pale.
void PaintByteMap(QPainter& painter, const ByteMap& map, std::optional<MapFrameRef> highlighted = std::nullopt);

// The cell under a point of the picture, if any.
std::optional<MapCellRef> ByteMapCellAt(const ByteMap& map, QPoint point);

// The colour of a frame, the same in cells and legend.
QColor FrameColour(MapFrameRef frame);

// Writes the picture; false with the reason in `why` when the file cannot be written.
bool WriteByteMapPng(const ByteMap& map, const std::string& path, std::string& why);

} // namespace zz
