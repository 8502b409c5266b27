#include "controls/Edges.h"

#include <QPainter>
#include <algorithm>

namespace Solido {

namespace {

int right(const QRect& r)
{
    return r.x() + r.width();
}

int bottom(const QRect& r)
{
    return r.y() + r.height();
}

// Columns x0..x1 of row y, both inclusive; nothing when x1 < x0.
void row(QPainter& p, int y, int x0, int x1, const QColor& c)
{
    if (x1 >= x0)
        p.fillRect(QRect(x0, y, x1 - x0 + 1, 1), c);
}

// Rows y0..y1 of column x, both inclusive; nothing when y1 < y0.
void column(QPainter& p, int x, int y0, int y1, const QColor& c)
{
    if (y1 >= y0)
        p.fillRect(QRect(x, y0, 1, y1 - y0 + 1), c);
}

QRect shrunk(const QRect& r, int by)
{
    return r.adjusted(by, by, -by, -by);
}

} // namespace

void drawRing(QPainter& p, const QRect& r, int i, const QColor& topLeft, const QColor& bottomRight)
{
    const int L = r.x(), T = r.y(), R = right(r), B = bottom(r);
    row(p, T + i, L + i, R - 2 - i, topLeft);
    column(p, L + i, T + i, B - 2 - i, topLeft);
    row(p, B - 1 - i, L + i, R - 1 - i, bottomRight);
    column(p, R - 1 - i, T + i, B - 1 - i, bottomRight);
}

void drawBevel(QPainter& p, const QRect& r, int width, bool raised, const ColorScheme& scheme)
{
    const QColor& light = raised ? scheme.highlight : scheme.shadow;
    const QColor& dark = raised ? scheme.shadow : scheme.highlight;
    for (int i = 0; i < width; ++i)
        drawRing(p, r, i, light, dark);
}

void drawWin3xOutline(QPainter& p, const QRect& r, const ColorScheme& scheme, bool roundCorners)
{
    const int L = r.x(), T = r.y(), R = right(r), B = bottom(r);
    row(p, T, L, R - 1, scheme.frame);
    row(p, B - 1, L, R - 1, scheme.frame);
    column(p, L, T, B - 1, scheme.frame);
    column(p, R - 1, T, B - 1, scheme.frame);
    if (roundCorners && R > L && B > T)
        for (const QPoint corner :
             {QPoint(L, T), QPoint(R - 1, T), QPoint(L, B - 1), QPoint(R - 1, B - 1)})
            p.fillRect(QRect(corner, QSize(1, 1)), scheme.face);
}

void drawWin3xPressedShadow(QPainter& p, const QRect& r, int depth, const ColorScheme& scheme)
{
    const int L = r.x(), T = r.y(), R = right(r), B = bottom(r);
    for (int j = 0; j < std::max(1, depth); ++j) {
        column(p, L + j, T + j + 1, B - 1, scheme.shadow);
        row(p, T + j, L + j, R - 1, scheme.shadow);
    }
}

QRect drawEdge(QPainter& p, const QRect& r, Edge edge, const ColorScheme& scheme)
{
    switch (edge) {
    case Edge::Raised:
        drawRing(p, r, 0, scheme.face, scheme.frame);
        drawRing(p, r, 1, scheme.highlight, scheme.shadow);
        return shrunk(r, 2);
    case Edge::Sunken:
        drawRing(p, r, 0, scheme.shadow, scheme.highlight);
        drawRing(p, r, 1, scheme.frame, scheme.face);
        return shrunk(r, 2);
    case Edge::ThinRaised:
        drawRing(p, r, 0, scheme.highlight, scheme.shadow);
        return shrunk(r, 1);
    case Edge::ThinSunken:
        drawRing(p, r, 0, scheme.shadow, scheme.highlight);
        return shrunk(r, 1);
    }
    return r;
}

Constants_ButtonStyle resolvedButtonStyle(Constants_ButtonStyle style)
{
    return style == kwFollowOS ? kwWin95 : style;
}

QRect buttonInterior(const QRect& r, const ButtonLook& look)
{
    switch (resolvedButtonStyle(look.style)) {
    case kwWin3X:
        return shrunk(r, 1 + look.bevelWidth);
    case kwWin95:
        return shrunk(r, 2 + (look.outline ? 1 : 0));
    case kwActiveBorders:
        return shrunk(r, 1 + (look.outline ? 1 : 0));
    default:
        return shrunk(r, look.outline ? 1 : 0);
    }
}

QRect drawButtonEdges(QPainter& p, const QRect& r, const ButtonLook& look, ButtonState state,
                      const ColorScheme& scheme)
{
    const Constants_ButtonStyle style = resolvedButtonStyle(look.style);
    const bool down = state != ButtonState::Up;
    QRect inside = r;
    if (style == kwWin3X || look.outline) {
        drawWin3xOutline(p, r, scheme, look.roundedCorners);
        inside = shrunk(r, 1);
    }
    switch (style) {
    case kwWin3X:
        if (down)
            drawWin3xPressedShadow(p, inside, look.bevelWidth - 1, scheme);
        else
            drawBevel(p, inside, look.bevelWidth, true, scheme);
        break;
    case kwWin95:
        if (state == ButtonState::Pressed)
            drawRing(p, inside, 0, scheme.shadow, scheme.shadow);
        else
            drawEdge(p, inside, down ? Edge::Sunken : Edge::Raised, scheme);
        break;
    case kwActiveBorders:
        drawEdge(p, inside, down ? Edge::ThinSunken : Edge::ThinRaised, scheme);
        break;
    default:
        break;
    }
    return buttonInterior(r, look);
}

} // namespace Solido
