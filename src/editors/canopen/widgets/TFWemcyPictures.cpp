#include "editors/canopen/widgets/TFWemcyPictures.h"

#include <QPainter>
#include <QPainterPath>

inline namespace zz {

namespace {

constexpr int kSize = 16;

// A transparent picture, painted smoothly by `paint`.
template <typename Paint>
QPixmap Draw(Paint paint)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return pixmap;
}

// A word: a rounded tile with a "W" of three strokes.
QPixmap Word(const QColor& fill, const QColor& ink)
{
    return Draw([&](QPainter& p) {
        p.setPen(QPen(ink, 1));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(0.5, 1.5, 15, 13), 2.5, 2.5);
        QPainterPath w;
        w.moveTo(3, 4.5);
        w.lineTo(5.5, 11.5);
        w.lineTo(8, 6.5);
        w.lineTo(10.5, 11.5);
        w.lineTo(13, 4.5);
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(w);
    });
}

// A bit: a small lamp.
QPixmap Bit(const QColor& fill, const QColor& rim)
{
    return Draw([&](QPainter& p) {
        p.setPen(QPen(rim, 1.2));
        p.setBrush(fill);
        p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QRectF(5.5, 5, 3, 2.5));
    });
}

} // namespace

std::array<QPixmap, 4> DrawWordTreePictures()
{
    return {
        Word(QColor(222, 232, 247), QColor(40, 70, 140)),
        Word(QColor(255, 214, 92), QColor(120, 60, 0)),
        Bit(QColor(176, 176, 176), QColor(90, 90, 90)),
        Bit(QColor(70, 200, 70), QColor(20, 110, 20)),
    };
}

} // namespace zz
