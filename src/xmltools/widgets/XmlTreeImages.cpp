#include "xmltools/widgets/XmlTreeImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

inline namespace zz {

namespace {

// A selected picture is the normal one on a highlight, so it stays readable on a selection.
void Background(QPainter& p, bool selected)
{
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x33, 0x66, 0xcc));
        p.drawRoundedRect(QRectF(0, 0, 16, 16), 3, 3);
    }
}

QColor Ink(bool selected)
{
    return selected ? QColor(Qt::white) : QColor(0x30, 0x30, 0x30);
}

// A sheet of paper with a folded corner and lines of text.
void DrawDocument(QPainter& p, bool selected)
{
    QPolygonF sheet;
    sheet << QPointF(3, 1.5) << QPointF(10, 1.5) << QPointF(13.5, 5) << QPointF(13.5, 14.5) << QPointF(3, 14.5);
    p.setPen(QPen(Ink(selected), 1));
    p.setBrush(QColor(0xff, 0xff, 0xf4));
    p.drawPolygon(sheet);
    p.setBrush(QColor(0xd8, 0xd8, 0xc8));
    p.drawPolygon(QPolygonF() << QPointF(10, 1.5) << QPointF(10, 5) << QPointF(13.5, 5));
    p.setPen(QPen(QColor(0x60, 0x80, 0xb0), 1));
    for (int y : {7, 9, 11, 13}) p.drawLine(QPointF(5, y + 0.5), QPointF(11.5, y + 0.5));
}

// Angle brackets around a slash: a tag.
void DrawElement(QPainter& p, bool selected)
{
    p.setPen(Qt::NoPen);
    p.setBrush(selected ? QColor(0x99, 0xbb, 0xff) : QColor(0x2a, 0x62, 0xc9));
    p.drawRoundedRect(QRectF(1, 3, 14, 10), 2, 2);
    QPen pen(Qt::white, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF() << QPointF(5.5, 5.5) << QPointF(3, 8) << QPointF(5.5, 10.5));
    p.drawPolyline(QPolygonF() << QPointF(10.5, 5.5) << QPointF(13, 8) << QPointF(10.5, 10.5));
    p.drawLine(QPointF(9, 5), QPointF(7, 11));
}

// A label tag with a hole: a name with its value.
void DrawAttribute(QPainter& p, bool selected)
{
    QPolygonF tag;
    tag << QPointF(1.5, 8) << QPointF(5.5, 3.5) << QPointF(14.5, 3.5) << QPointF(14.5, 12.5) << QPointF(5.5, 12.5);
    p.setPen(QPen(Ink(selected), 1));
    p.setBrush(selected ? QColor(0xff, 0xd8, 0x70) : QColor(0xf0, 0xa0, 0x20));
    p.drawPolygon(tag);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(5.5, 8), 1.3, 1.3);
    p.setPen(QPen(Ink(selected), 1.2));
    p.drawLine(QPointF(8.5, 6.5), QPointF(12.5, 6.5));
    p.drawLine(QPointF(8.5, 9.5), QPointF(12.5, 9.5));
}

// A gear: an instruction for a processing program.
void DrawInstruction(QPainter& p, bool selected)
{
    const QColor body = selected ? QColor(0xb0, 0xe8, 0xb0) : QColor(0x3c, 0x9a, 0x3c);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.translate(8, 8);
    for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-1.3, -7.2, 2.6, 3.2));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 5, 5);
    p.setBrush(selected ? QColor(0x33, 0x66, 0xcc) : QColor(Qt::white));
    p.drawEllipse(QPointF(0, 0), 2, 2);
    p.resetTransform();
}

// A question mark in brackets: the "<?xml ... ?>" declaration.
void DrawDeclaration(QPainter& p, bool selected)
{
    p.setPen(QPen(Ink(selected), 1));
    p.setBrush(selected ? QColor(0xe8, 0xc8, 0xff) : QColor(0x8a, 0x4f, 0xc0));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QPen pen(Qt::white, 1.8);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(5.8, 6.2);
    hook.cubicTo(5.8, 3.6, 10.4, 3.6, 10.4, 6.2);
    hook.cubicTo(10.4, 7.8, 8, 8, 8, 9.8);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 12.2), 1.1, 1.1);
}

QPixmap Draw(int index)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const bool selected = index % 2 == 1;
    Background(p, selected);
    switch (index / 2) {
    case 0: DrawDocument(p, selected); break;
    case 2: DrawAttribute(p, selected); break;
    case 3: DrawInstruction(p, selected); break;
    case 4: DrawDeclaration(p, selected); break;
    default: DrawElement(p, selected); break;
    }
    return pixmap;
}

} // namespace

QPixmap XmlTreeImage(int index)
{
    if (index < 0 || index >= kXmlImageCount) return {};
    return Draw(index);
}

} // namespace zz
