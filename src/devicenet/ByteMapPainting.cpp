#include "devicenet/ByteMapPainting.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>

inline namespace zz {

namespace {

QColor Q(PictureColour colour)
{
    return QColor(colour.Red, colour.Green, colour.Blue);
}

QRect Q(const PictureRect& box)
{
    return QRect(box.X, box.Y, box.Width, box.Height);
}

} // namespace

QSize ByteMapPictureSize(const ByteMap& map)
{
    const PictureRect box = ByteMapPictureBox(map);
    return QSize(box.Width, box.Height);
}

void PaintByteMap(QPainter& painter, const ByteMap& map, std::optional<MapFrameRef> highlighted)
{
    const QFont normal = painter.font();
    QFont bold = normal;
    bold.setBold(true);
    QFont small = normal;
    small.setPointSizeF(small.pointSizeF() * 0.8);
    for (const PictureShape& shape : ByteMapPicture(map, highlighted)) {
        const QRect box = Q(shape.Box);
        switch (shape.Shape) {
        case PictureShape::Kind::Fill: painter.fillRect(box, Q(shape.Colour)); break;
        case PictureShape::Kind::Outline:
            painter.setPen(QPen(Q(shape.Colour), shape.PenWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
            break;
        case PictureShape::Kind::Line:
            painter.setPen(QPen(Q(shape.Colour), shape.PenWidth));
            painter.drawLine(box.x(), box.y(), box.x() + box.width(), box.y() + box.height());
            break;
        case PictureShape::Kind::Text:
            painter.setFont(shape.Style == PictureShape::Font::Bold    ? bold
                            : shape.Style == PictureShape::Font::Small ? small
                                                                       : normal);
            painter.setPen(Q(shape.Colour));
            painter.drawText(box, Qt::AlignLeft | (shape.AtTop ? Qt::AlignTop : Qt::AlignVCenter),
                             QString::fromStdString(shape.Text));
            break;
        }
    }
    painter.setFont(normal);
}

std::optional<MapCellRef> ByteMapCellAt(const ByteMap& map, QPoint point)
{
    return ByteMapCellAt(map, point.x(), point.y());
}

QColor FrameColour(MapFrameRef frame)
{
    return Q(FrameRgb(frame));
}

bool WriteByteMapPng(const ByteMap& map, const std::string& path, std::string& why)
{
    QImage image(ByteMapPictureSize(map), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintByteMap(painter, map);
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        why = "Cannot write '" + path + "': " + file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace zz
