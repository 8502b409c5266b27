#include "generator/ui/GeneratorImages.h"

#include <QPainter>
#include <QPainterPath>

namespace tallix::GeneratorImages {

namespace {

constexpr int kSize = 16;

QPixmap canvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap done()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1E, 0x8C, 0x3A), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    return pixmap;
}

QPixmap warning()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(8, 1.5);
    triangle.lineTo(15, 14.5);
    triangle.lineTo(1, 14.5);
    triangle.closeSubpath();
    p.fillPath(triangle, QColor(0xF2, 0xB7, 0x05));
    p.setPen(QPen(QColor(0x80, 0x50, 0x00), 1));
    p.drawPath(triangle);
    p.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 9.5));
    p.drawPoint(QPointF(8, 12));
    return pixmap;
}

QPixmap key()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(0xC8, 0x96, 0x10);
    p.setPen(QPen(gold.darker(140), 1));
    p.setBrush(gold);
    p.drawEllipse(QRectF(1, 4.5, 7, 7));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 6.5, 3, 3));
    p.setPen(QPen(gold.darker(140), 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 8), QPointF(15, 8));
    p.drawLine(QPointF(12.5, 8), QPointF(12.5, 11));
    p.drawLine(QPointF(14.5, 8), QPointF(14.5, 10.5));
    return pixmap;
}

} // namespace tallix::GeneratorImages
