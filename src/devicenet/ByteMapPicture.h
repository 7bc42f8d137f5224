#pragma once
#include "devicenet/ByteMap.h"

#include <QColor>
#include <QPoint>
#include <QSize>

#include <optional>
#include <string>

class QPainter;

inline namespace zz {

// The picture of the byte map, the same on screen, in SVG and PNG files and on paper: the
// input area, then the output area, as grids of numbered cells, 8 per row, each labelled with
// the COB ID and CAN byte of the frame that feeds it (input) or that it feeds (output),
// coloured per frame; unused bytes plain; a conflict crossed out in red; mappings beyond an
// area listed in red under it; then the legend of the frames.

// A frame of one area: which area, and its position in that area's list.
struct MapFrameRef {
    GatewaySide Direction = GatewaySide::Receive;
    size_t Frame = 0;
    bool operator==(const MapFrameRef&) const = default;
};

// A DeviceNet byte of one area.
struct MapCellRef {
    GatewaySide Direction = GatewaySide::Receive;
    int Byte = 0;
};

QSize ByteMapPictureSize(const ByteMap& map);

// Paints the picture from (0, 0); with a highlighted frame, its bytes are outlined and all
// other frames' cells pale.
void PaintByteMap(QPainter& painter, const ByteMap& map, std::optional<MapFrameRef> highlighted = std::nullopt);

// The cell under a point of the picture, if any.
std::optional<MapCellRef> ByteMapCellAt(const ByteMap& map, QPoint point);

// The colour of a frame, the same in cells and legend.
QColor FrameColour(MapFrameRef frame);

// Writes the picture; false with the reason in `why` when the file cannot be written.
bool WriteByteMapSvg(const ByteMap& map, const std::string& path, std::string& why);
bool WriteByteMapPng(const ByteMap& map, const std::string& path, std::string& why);

} // namespace zz
