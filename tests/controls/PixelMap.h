#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <map>

namespace solido_test {

// The colours pixel tests draw with, each shown as one letter in a pixel map; every other colour
// shows as '?'.
inline const QColor kBackground(0x12, 0x34, 0x56);
inline const QColor kFace(0xC0, 0xC0, 0xC0);
inline const QColor kShadow(0x80, 0x80, 0x80);
inline const QColor kHighlight(0xFF, 0xFF, 0xFF);
inline const QColor kFrame(0, 0, 0);

inline char letterOf(QRgb rgb)
{
    static const std::map<QRgb, char> letters = {
        {kBackground.rgb(), '.'}, {kFace.rgb(), 'c'},  {kShadow.rgb(), 'S'},
        {kHighlight.rgb(), 'H'},  {kFrame.rgb(), 'F'}, {qRgb(0, 0, 255), 'B'},
        {qRgb(255, 0, 0), 'R'},
    };
    const auto it = letters.find(rgb | 0xFF000000u);
    return it == letters.end() ? '?' : it->second;
}

// A blank picture of the test background.
inline QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    return image;
}

// The picture as rows of letters, top row first, joined by line breaks.
inline QString pixelMap(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x)
            row += QLatin1Char(letterOf(image.pixel(x, y)));
        rows << row;
    }
    return rows.join(QLatin1Char('\n'));
}

// Rows written as in a test table: one string per row, letters separated by nothing.
inline QString rows(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* line : lines)
        out << QLatin1String(line);
    return out.join(QLatin1Char('\n'));
}

// The smallest rectangle holding every pixel of `color`; empty when there is none.
inline QRect boundsOf(const QImage& image, const QColor& color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == color.rgb())
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace solido_test
