#include "controls/KwPanel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <gtest/gtest.h>

using namespace Solido;

namespace {

// A strip of two 8 x 8 frames, red then green, each with a magenta pixel at (2, 2) and its
// bottom-left pixel yellow.
QPixmap strip()
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            image.setPixel(x, y, qRgb(0, 255, 0));
    for (int frame = 0; frame < 2; ++frame) {
        image.setPixel(frame * 8 + 2, 2, qRgb(255, 0, 255));
        image.setPixel(frame * 8, 7, qRgb(255, 255, 0));
    }
    return QPixmap::fromImage(image);
}

} // namespace

// The picture stands at the content area's top left; the panel's background is cyan.
TEST(Pictures, FramesMasksAndActiveColoursDecideWhatIsShown)
{
    struct Case {
        const char* what;
        int frames, frame;
        bool useMask;
        Constants_PictureMaskColorSource source;
        bool activeColors, pointerOver;
        QRgb at11, at22, at07; // pixels (1,1), (2,2) and (0,7) of the frame shown
    };
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), magenta = qRgb(255, 0, 255),
               yellow = qRgb(255, 255, 0), cyan = qRgb(0, 255, 255);
    const QRgb grey = qRgb(qGray(red), qGray(red), qGray(red));
    const Case cases[] = {
        {"first of two frames", 2, 1, false, kwUseMaskColor, false, false, red, magenta, yellow},
        {"second frame", 2, 2, false, kwUseMaskColor, false, false, green, magenta, yellow},
        {"frame number wraps", 2, 3, false, kwUseMaskColor, false, false, red, magenta, yellow},
        {"mask colour", 2, 1, true, kwUseMaskColor, false, false, red, cyan, yellow},
        {"mask from the image", 2, 2, true, kwUseImage, false, false, green, magenta, cyan},
        {"grey until the pointer", 2, 1, false, kwUseMaskColor, true, false, grey,
         qRgb(qGray(magenta), qGray(magenta), qGray(magenta)),
         qRgb(qGray(yellow), qGray(yellow), qGray(yellow))},
        {"in colour under the pointer", 2, 1, false, kwUseMaskColor, true, true, red, magenta,
         yellow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KwPanel panel;
        panel.resize(30, 20);
        panel.setBevelOuter(kwNoneBevel);
        panel.setBackColor(0xFFFF00); // cyan: 0x00BBGGRR
        panel.setPictureAlignment(kwLeftTop);
        panel.setPicture(strip());
        panel.setPictureFrames(c.frames);
        panel.setPictureFrame(c.frame);
        panel.setPictureMaskColor(0xFF00FF);
        panel.setPictureMaskColorSource(c.source);
        panel.setPictureUseMask(c.useMask);
        panel.setActiveColors(c.activeColors);
        if (c.pointerOver) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QApplication::sendEvent(&panel, &enter);
        }
        const QImage shown = panel.grab().toImage();
        EXPECT_EQ(shown.pixel(1, 1), c.at11);
        EXPECT_EQ(shown.pixel(2, 2), c.at22);
        EXPECT_EQ(shown.pixel(0, 7), c.at07);
        EXPECT_EQ(shown.pixel(20, 15), cyan);
    }
}
