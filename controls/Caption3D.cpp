#include "controls/Caption3D.h"

#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace Solido {

Qt::Alignment captionAlignment(Constants_Alignment alignment)
{
    static const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    static const Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    const int a = int(alignment);
    if (a < 0 || a > 8)
        return Qt::AlignCenter;
    return across[a / 3] | down[a % 3];
}

QRect placedIn(const QRect& area, const QSize& size, Constants_Alignment alignment)
{
    const Qt::Alignment a = captionAlignment(alignment);
    int x = area.left() + (area.width() - size.width()) / 2;
    int y = area.top() + (area.height() - size.height()) / 2;
    if (a & Qt::AlignLeft)
        x = area.left();
    else if (a & Qt::AlignRight)
        x = area.right() + 1 - size.width();
    if (a & Qt::AlignTop)
        y = area.top();
    else if (a & Qt::AlignBottom)
        y = area.bottom() + 1 - size.height();
    return QRect(QPoint(x, y), size);
}

int dropShadowOffset(const QFont& font)
{
    const int points = int(std::lround(QFontInfo(font).pointSizeF()));
    return std::max(1, (points + 7) / 10);
}

CaptionLayers captionLayers(Constants_Font3D style, const CaptionColors& colors, const QFont& font)
{
    const QColor& F = colors.text;
    const QColor& H = colors.highlight;
    const QColor& S = colors.shadow;
    switch (style) {
    case kwRaisedLight:
        return {1, {{H, 0, 0}, {F, 1, 1}}};
    case kwInsetLight:
        return {1, {{H, 1, 1}, {F, 0, 0}}};
    case kwRaisedHeavy:
        return {2, {{H, 0, 0}, {S, 2, 2}, {F, 1, 1}}};
    case kwInsetHeavy:
        return {2, {{S, 0, 0}, {H, 2, 2}, {F, 1, 1}}};
    case kwDropShadow: {
        const int d = dropShadowOffset(font);
        return {0, {{S, d, d}, {F, 0, 0}}};
    }
    case kwNoneFont3D:
        break;
    }
    return {0, {{F, 0, 0}}};
}

void drawCaption(QPainter& p, const QRect& r, int flags, const QString& text, const QFont& font,
                 Constants_Font3D style, const CaptionColors& colors)
{
    if (text.isEmpty())
        return;
    const CaptionLayers layers = captionLayers(style, colors, font);
    const QRect placed = r.adjusted(0, 0, -layers.shrink, -layers.shrink);
    p.save();
    p.setFont(font);
    p.setBackgroundMode(Qt::TransparentMode);
    for (const CaptionLayer& layer : layers.layers) {
        p.setPen(layer.color);
        p.drawText(placed.translated(layer.dx, layer.dy), flags, text);
    }
    p.restore();
}

void drawDisabledCaption(QPainter& p, const QRect& r, int flags, const QString& text,
                         const QFont& font, const QColor& grayText)
{
    drawCaption(p, r, flags, text, font, kwInsetLight, {grayText, QColor(255, 255, 255), {}});
}

} // namespace Solido
