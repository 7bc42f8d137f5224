#include "devicenet/ByteMapPicture.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "xmlstore/XmlEscape.h"

#include <algorithm>
#include <cstdio>

inline namespace zz {

namespace {

constexpr int kMargin = 12;
constexpr int kColumns = 8;
constexpr int kCellWidth = 104;
constexpr int kCellHeight = 40;
constexpr int kTitleHeight = 28;
constexpr int kLineHeight = 18;
constexpr int kGap = 16;

constexpr PictureColour kWhite{255, 255, 255};
constexpr PictureColour kBlack{0, 0, 0};
constexpr PictureColour kGray{160, 160, 164}; // the grey of the cell borders
constexpr PictureColour kDarkGray{128, 128, 128};
constexpr PictureColour kRed{255, 0, 0};

using Shape = PictureShape;

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

PictureRect CellRect(int top, int byte)
{
    const int row = byte / kColumns;
    const int column = byte % kColumns;
    return {kMargin + column * kCellWidth, top + kTitleHeight + row * kCellHeight, kCellWidth, kCellHeight};
}

// The rectangle shrunk by the given amounts on each side.
PictureRect Inset(const PictureRect& r, int left, int top, int right, int bottom)
{
    return {r.X + left, r.Y + top, r.Width - left - right, r.Height - top - bottom};
}

// A colour of hue 0 to 359 and saturation and value 0 to 255, converted as the windows' own
// colour class converts it, so that the screen, PNG and SVG show the same red, green and blue.
PictureColour FromHsv(int hue, int saturation, int value)
{
    constexpr float kFull = 65535.0f;
    const float h = static_cast<float>((hue % 360) * 100) / 6000.0f;
    const float s = static_cast<float>(saturation * 0x101) / kFull;
    const float v = static_cast<float>(value * 0x101) / kFull;
    const auto channel = [&](float x) {
        const int wide = static_cast<int>(x * kFull + 0.5f);
        return static_cast<uint8_t>((wide - (wide >> 8) + 0x80) >> 8);
    };
    if (saturation == 0) return {channel(v), channel(v), channel(v)};
    const int i = static_cast<int>(h);
    const float f = h - static_cast<float>(i);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    switch (i) {
    case 0: return {channel(v), channel(t), channel(p)};
    case 1: return {channel(q), channel(v), channel(p)};
    case 2: return {channel(p), channel(v), channel(t)};
    case 3: return {channel(p), channel(q), channel(v)};
    case 4: return {channel(t), channel(p), channel(v)};
    default: return {channel(v), channel(p), channel(q)};
    }
}

int FrameHue(MapFrameRef frame)
{
    // The golden angle spreads neighbouring frames over the colour circle; send frames start
    // half-way round so that the two areas do not look alike.
    return (static_cast<int>(frame.Frame) * 137 + (frame.Direction == GatewaySide::Receive ? 0 : 180)) % 360;
}

class Drawing {
public:
    void Fill(const PictureRect& box, PictureColour colour) { Add(Shape::Kind::Fill, box, colour); }
    void Outline(const PictureRect& box, PictureColour colour, int width)
    {
        Add(Shape::Kind::Outline, box, colour).PenWidth = width;
    }
    void Line(int x1, int y1, int x2, int y2, PictureColour colour, int width)
    {
        Add(Shape::Kind::Line, {x1, y1, x2 - x1, y2 - y1}, colour).PenWidth = width;
    }
    void Text(const PictureRect& box, std::string text, PictureColour colour, Shape::Font font = Shape::Font::Normal,
              bool atTop = false)
    {
        Shape& shape = Add(Shape::Kind::Text, box, colour);
        shape.Text = std::move(text);
        shape.Style = font;
        shape.AtTop = atTop;
    }
    std::vector<PictureShape> Take() { return std::move(shapes_); }

private:
    Shape& Add(Shape::Kind kind, const PictureRect& box, PictureColour colour)
    {
        Shape& shape = shapes_.emplace_back();
        shape.Shape = kind;
        shape.Box = box;
        shape.Colour = colour;
        return shape;
    }

    std::vector<PictureShape> shapes_;
};

PictureRect TextLine(int y, int indent = 0)
{
    return {kMargin + indent, y, kColumns * kCellWidth - indent, kLineHeight};
}

void DrawArea(Drawing& d, const ByteMapSide& side, int top, std::optional<MapFrameRef> highlighted)
{
    const std::string size = std::to_string(side.Size);
    d.Text({kMargin, top, kColumns * kCellWidth, kTitleHeight},
           side.IsInput() ? "DeviceNet input area: " + size + " bytes (Net_In), fed by the receive frames"
                          : "DeviceNet output area: " + size + " bytes (Net_Out), feeding the send frames",
           kBlack, Shape::Font::Bold);

    for (int b = 0; b < side.Size; ++b) {
        const PictureRect cell = CellRect(top, b);
        const std::vector<ByteFeed>& feeds = side.Bytes[static_cast<size_t>(b)];
        const bool mine =
            highlighted && highlighted->Direction == side.Direction &&
            std::any_of(feeds.begin(), feeds.end(), [&](const ByteFeed& f) { return f.Frame == highlighted->Frame; });
        PictureColour fill = kWhite;
        if (!feeds.empty()) {
            const int hue = FrameHue({side.Direction, feeds.front().Frame});
            // The other frames keep a trace of their colour, so that used bytes still differ from unused ones.
            fill = FromHsv(hue, highlighted && !mine ? 80 / 3 : 80, 250);
        }
        d.Fill(cell, fill);
        d.Outline(Inset(cell, 0, 0, 1, 1), mine ? kBlack : kGray, mine ? 3 : 1);
        d.Text(Inset(cell, 4, 2, 4, 2), std::to_string(b), kDarkGray, Shape::Font::Small, true);
        std::string label;
        if (!feeds.empty()) label = FeedLabel(side, feeds.front());
        if (feeds.size() > 1) label += " +" + std::to_string(feeds.size() - 1);
        d.Text(Inset(cell, 4, 12, 4, 2), label, kBlack);
        if (side.Conflict(b)) {
            // From two pixels inside the top left corner to two inside the bottom right one.
            d.Line(cell.X + 2, cell.Y + 2, cell.X + cell.Width - 3, cell.Y + cell.Height - 3, kRed, 2);
            d.Outline(Inset(cell, 1, 1, 2, 2), kRed, 2);
        }
    }

    int y = top + kTitleHeight + GridRows(side) * kCellHeight;
    if (!side.Problem.empty()) {
        d.Text(TextLine(y), "Not readable: " + side.Problem, kRed);
        y += kLineHeight;
    }
    if (!side.Beyond.empty()) {
        d.Text(TextLine(y), "Mapped beyond the area (the data is lost):", kRed);
        for (const StrayMapping& stray : side.Beyond) {
            y += kLineHeight;
            d.Text({kMargin + 16, y, kColumns * kCellWidth, kLineHeight},
                   FeedLabel(side, stray.Feed) + " to byte " + std::to_string(stray.DeviceNetByte), kRed);
        }
    }
}

void DrawLegend(Drawing& d, const ByteMap& map, int top)
{
    int y = top;
    d.Text(TextLine(y), "Frames (conflicts crossed out in red, unused bytes white):", kBlack);
    for (const ByteMapSide* side : {&map.Input, &map.Output}) {
        for (size_t f = 0; f < side->Frames.size(); ++f) {
            y += kLineHeight;
            const MapFrame& frame = side->Frames[f];
            d.Fill({kMargin, y + 3, 24, kLineHeight - 6}, FrameRgb({side->Direction, f}));
            d.Text(TextLine(y, 32),
                   std::string(side->IsInput() ? "receive " : "send ") + frame.CobId + " (row " +
                       std::to_string(frame.Row) + ")  " + frame.Mnemonic,
                   kBlack);
        }
    }
}

std::string Hex(PictureColour c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.Red, c.Green, c.Blue);
    return text;
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
}

// The picture's text sizes in pixels, as the windows' default font gives them on an SVG page.
constexpr double kFontSize = 9;
constexpr double kSmallFontSize = kFontSize * 0.8;

void AppendShape(std::string& out, const PictureShape& s)
{
    const PictureRect& b = s.Box;
    switch (s.Shape) {
    case PictureShape::Kind::Fill:
        out += "<rect x=\"" + std::to_string(b.X) + "\" y=\"" + std::to_string(b.Y) + "\" width=\"" +
               std::to_string(b.Width) + "\" height=\"" + std::to_string(b.Height) + "\" fill=\"" + Hex(s.Colour) +
               "\"/>\n";
        break;
    case PictureShape::Kind::Outline:
        out += "<rect x=\"" + std::to_string(b.X) + "\" y=\"" + std::to_string(b.Y) + "\" width=\"" +
               std::to_string(b.Width) + "\" height=\"" + std::to_string(b.Height) + "\" fill=\"none\" stroke=\"" +
               Hex(s.Colour) + "\" stroke-width=\"" + std::to_string(s.PenWidth) + "\"/>\n";
        break;
    case PictureShape::Kind::Line:
        out += "<line x1=\"" + std::to_string(b.X) + "\" y1=\"" + std::to_string(b.Y) + "\" x2=\"" +
               std::to_string(b.X + b.Width) + "\" y2=\"" + std::to_string(b.Y + b.Height) + "\" stroke=\"" +
               Hex(s.Colour) + "\" stroke-width=\"" + std::to_string(s.PenWidth) + "\"/>\n";
        break;
    case PictureShape::Kind::Text: {
        if (s.Text.empty()) break;
        const double size = s.Style == PictureShape::Font::Small ? kSmallFontSize : kFontSize;
        // The baseline where the font's letters stand at the top of the box or centred in it.
        const double baseline = s.AtTop ? b.Y + 0.9 * size : b.Y + b.Height / 2.0 + 0.345 * size;
        out += "<text x=\"" + std::to_string(b.X) + "\" y=\"" + Number(baseline) + "\" fill=\"" + Hex(s.Colour) + "\"";
        if (s.Style == PictureShape::Font::Bold) out += " font-weight=\"700\"";
        if (s.Style == PictureShape::Font::Small) out += " font-size=\"" + Number(kSmallFontSize) + "\"";
        out += " xml:space=\"preserve\">";
        AppendXmlEscaped(out, s.Text, false);
        out += "</text>\n";
        break;
    }
    }
}

} // namespace

PictureColour FrameRgb(MapFrameRef frame)
{
    return FromHsv(FrameHue(frame), 80, 250);
}

PictureRect ByteMapPictureBox(const ByteMap& map)
{
    const int height = AreaTop(map, false) + AreaHeight(map.Output) + LegendLines(map) * kLineHeight + kMargin;
    return {0, 0, 2 * kMargin + kColumns * kCellWidth, height};
}

std::vector<PictureShape> ByteMapPicture(const ByteMap& map, std::optional<MapFrameRef> highlighted)
{
    Drawing d;
    d.Fill(ByteMapPictureBox(map), kWhite);
    DrawArea(d, map.Input, AreaTop(map, true), highlighted);
    DrawArea(d, map.Output, AreaTop(map, false), highlighted);
    DrawLegend(d, map, AreaTop(map, false) + AreaHeight(map.Output));
    return d.Take();
}

std::optional<MapCellRef> ByteMapCellAt(const ByteMap& map, int x, int y)
{
    for (const ByteMapSide* side : {&map.Input, &map.Output}) {
        const int top = AreaTop(map, side->IsInput());
        for (int b = 0; b < side->Size; ++b)
            if (CellRect(top, b).Contains(x, y)) return MapCellRef{side->Direction, b};
    }
    return std::nullopt;
}

std::string ByteMapSvg(const ByteMap& map)
{
    const PictureRect box = ByteMapPictureBox(map);
    // The page size at 72 pixels an inch, as the picture's points are meant.
    const auto millimetres = [](int pixels) { return Number(pixels * 25.4 / 72.0) + "mm"; };
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                      "<svg width=\"" +
                      millimetres(box.Width) + "\" height=\"" + millimetres(box.Height) + "\" viewBox=\"0 0 " +
                      std::to_string(box.Width) + " " + std::to_string(box.Height) +
                      "\" xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\">\n"
                      "<title>DeviceNet Byte Map</title>\n"
                      "<g font-family=\"sans-serif\" font-size=\"" +
                      Number(kFontSize) + "\" stroke-linecap=\"square\" stroke-linejoin=\"bevel\">\n";
    for (const PictureShape& shape : ByteMapPicture(map)) AppendShape(out, shape);
    out += "</g>\n</svg>\n";
    return out;
}

bool WriteByteMapSvg(const ByteMap& map, const std::string& path, std::string& why)
{
    try {
        WriteFileAtomically(path, ByteMapSvg(map));
        return true;
    } catch (const Failure& failure) {
        why = failure.what();
        return false;
    }
}

} // namespace zz
