#include "controls/PanelPainting.h"

#include "controls/Edges.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace Solido {

namespace {

bool present(Constants_Bevel bevel)
{
    return bevel == kwInsetBevel || bevel == kwRaisedBevel;
}

QRect shrunk(const QRect& r, int by)
{
    return r.adjusted(by, by, -by, -by);
}

// A rectangle from its four edges, right and bottom exclusive.
QRect edges(int L, int T, int R, int B)
{
    return QRect(L, T, R - L, B - T);
}

// Fills a rectangle that may have come out empty or backwards; those draw nothing.
void fill(QPainter& p, const QRect& r, const QColor& c)
{
    if (r.width() > 0 && r.height() > 0)
        p.fillRect(r, c);
}

bool horizontal(Constants_FloodType type)
{
    return type == kwLeftToRight || type == kwRightToLeft;
}

// The rectangle of [from, to) along the flood's direction, across the whole content area.
QRect along(const QRect& content, Constants_FloodType type, int from, int to)
{
    const int L = content.x(), T = content.y();
    const int R = L + content.width(), B = T + content.height();
    switch (type) {
    case kwLeftToRight:
        return edges(L + from, T, L + to, B);
    case kwRightToLeft:
        return edges(R - to, T, R - from, B);
    case kwTopToBottom:
        return edges(L, T + from, R, T + to);
    default:
        return edges(L, B - to, R, B - from);
    }
}

} // namespace

QRect panelContentArea(const QRect& client, const PanelFrame& frame)
{
    int by = frame.outline ? 1 : 0;
    if (present(frame.outer))
        by += frame.bevelWidth;
    if (present(frame.inner))
        by += frame.borderWidth + frame.bevelWidth;
    return shrunk(client, by);
}

QRect drawPanelFrame(QPainter& p, const QRect& client, const PanelFrame& frame,
                     const ColorScheme& scheme, bool roundedCorners)
{
    QRect r = client;
    if (frame.outline) {
        // Rounded corners leave the outline's corner pixels to the background.
        const int c = roundedCorners ? 1 : 0;
        const int L = r.x(), T = r.y(), R = L + r.width(), B = T + r.height();
        fill(p, edges(L + c, T, R - c, T + 1), scheme.frame);
        fill(p, edges(L + c, B - 1, R - c, B), scheme.frame);
        fill(p, edges(L, T + c, L + 1, B - c), scheme.frame);
        fill(p, edges(R - 1, T + c, R, B - c), scheme.frame);
        r = shrunk(r, 1);
    }
    if (present(frame.outer)) {
        drawBevel(p, r, frame.bevelWidth, frame.outer == kwRaisedBevel, scheme);
        r = shrunk(r, frame.bevelWidth);
    }
    if (present(frame.inner)) {
        r = shrunk(r, frame.borderWidth);
        drawBevel(p, r, frame.bevelWidth, frame.inner == kwRaisedBevel, scheme);
        r = shrunk(r, frame.bevelWidth);
    }
    return r;
}

QRect floodArea(const QRect& content, const Flood& flood)
{
    const int P = std::clamp(flood.percent, 0, 100);
    int L = content.x(), T = content.y();
    int R = L + content.width(), B = T + content.height();
    switch (flood.type) {
    case kwLeftToRight:
        R = L + P * (R - L) / 100;
        break;
    case kwRightToLeft:
        L = L + (100 - P) * (R - L) / 100;
        break;
    case kwTopToBottom:
        B = T + P * (B - T) / 100;
        break;
    case kwBottomToTop:
        T = T + (100 - P) * (B - T) / 100;
        break;
    case kwWideningCircle: {
        const int w = R - L + 1, h = B - T + 1;
        if (h < w) {
            L += ((R - L) - (B - T)) / 2 - 1;
            R = L + h;
        } else if (w < h) {
            T += (h - w) / 2 - 1;
            B = T + w;
        }
        const int by = (R - L - P * (R - L) / 100) / 2;
        L += by;
        T += by;
        R -= by;
        B -= by;
        break;
    }
    case kwNoneFlood:
        return {};
    }
    return edges(L, T, R, B);
}

bool floodIsSolid(const QRect& content, const Flood& flood)
{
    return flood.fill == kwSolid || flood.type == kwWideningCircle || content.width() < 18;
}

FloodSegments floodSegments(const QRect& content, const Flood& flood)
{
    FloodSegments out;
    if (flood.type == kwNoneFlood || flood.type == kwWideningCircle)
        return out;
    const int P = std::clamp(flood.percent, 0, 100);
    const int d = horizontal(flood.type) ? content.width() : content.height();
    const int e = d < 28 ? 1 : 2;
    const int l = (d - 9 * e) / 10;
    const int f = (d - 9 * e) % 10;
    const int g = f / 2;
    std::vector<int> starts;
    int at = 0;
    for (int k = 0; k < 10; ++k) {
        const int length = k == 0 ? l + (f - g) : k == 9 ? l + g : l;
        starts.push_back(at);
        out.segments.push_back(along(content, flood.type, at, at + std::max(length, 0)));
        if (k < P / 10)
            out.filled.push_back(out.segments.back());
        at += length + e;
    }
    const int part = std::abs(l) * (P % 10) / 10;
    if (P < 100 && part > 0) {
        const int start = starts[size_t(P / 10)];
        out.filled.push_back(along(content, flood.type, start, start + part));
    }
    return out;
}

QString floodPercentText(int percent)
{
    return QString::number(percent) + QLatin1Char('%');
}

void drawFlood(QPainter& p, const QRect& content, const Flood& flood, const QColor& color,
               bool showPercent, const QColor& textColor, const QFont& font)
{
    if (flood.type == kwNoneFlood)
        return;
    if (flood.percent > 0) {
        if (flood.type == kwWideningCircle) {
            const QRect square = floodArea(content, flood);
            if (square.width() > 0 && square.height() > 0) {
                p.save();
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(QPen(color, 0));
                p.setBrush(color);
                p.drawEllipse(square.adjusted(0, 0, -1, -1));
                p.restore();
            }
        } else if (floodIsSolid(content, flood)) {
            fill(p, floodArea(content, flood), color);
        } else {
            for (const QRect& part : floodSegments(content, flood).filled)
                fill(p, part, color);
        }
    }
    if (showPercent) {
        p.save();
        p.setFont(font);
        p.setPen(textColor);
        p.setBackgroundMode(Qt::TransparentMode);
        p.drawText(content, Qt::AlignCenter | Qt::TextSingleLine, floodPercentText(flood.percent));
        p.restore();
    }
}

} // namespace Solido
