#pragma once
#include "devicenet/ByteMap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// The picture of the byte map, the same on screen, in SVG and PNG files and on paper: the
// input area, then the output area, as grids of numbered cells, 8 per row, each labelled with
// the COB ID and CAN byte of the frame that feeds it (input) or that it feeds (output),
// coloured per frame; unused bytes plain; a conflict crossed out in red; mappings beyond an
// area listed in red under it; then the legend of the frames.
// The picture is a list of shapes in pixels from (0, 0): the SVG file is written from it here,
// and the windows paint the same list (ByteMapPainting.h).

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

struct PictureColour {
    uint8_t Red = 0, Green = 0, Blue = 0;
    bool operator==(const PictureColour&) const = default;
};

struct PictureRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool Contains(int x, int y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
};

struct PictureShape {
    enum class Kind {
        Fill,    // the rectangle filled
        Outline, // the rectangle's outline, a pen of PenWidth centred on its edges
        Line,    // from (Box.X, Box.Y) to (Box.X + Box.Width, Box.Y + Box.Height)
        Text,    // Text in the rectangle, from its left, at its top or centred in its height
    };
    enum class Font { Normal, Bold, Small }; // Small is 0.8 of Normal
    Kind Shape = Kind::Fill;
    PictureRect Box;
    PictureColour Colour;
    int PenWidth = 1;
    std::string Text;
    Font Style = Font::Normal;
    bool AtTop = false;
};

// The picture's width and height (Box.X and Box.Y are 0).
PictureRect ByteMapPictureBox(const ByteMap& map);

// The shapes in painting order; with a highlighted frame, its bytes are outlined and all other
// frames' cells pale.
std::vector<PictureShape> ByteMapPicture(const ByteMap& map, std::optional<MapFrameRef> highlighted = std::nullopt);

// The cell under a point of the picture, if any.
std::optional<MapCellRef> ByteMapCellAt(const ByteMap& map, int x, int y);

// The colour of a frame, the same in cells and legend.
PictureColour FrameRgb(MapFrameRef frame);

// The picture as an SVG document.
std::string ByteMapSvg(const ByteMap& map);

// Writes the SVG document; false with the reason in `why` when the file cannot be written (an
// earlier file then stays as it was).
bool WriteByteMapSvg(const ByteMap& map, const std::string& path, std::string& why);

} // namespace zz
