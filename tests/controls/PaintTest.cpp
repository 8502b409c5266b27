#include "controls/Caption3D.h"
#include "controls/ColorScheme.h"
#include "controls/Edges.h"
#include "controls/PanelPainting.h"
#include "tests/controls/PixelMap.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <functional>
#include <gtest/gtest.h>
#include <set>

using namespace Solido;
using namespace solido_test;

namespace {

const ColorScheme kScheme = ColorScheme::defaults();

QString drawn(int width, int height, const std::function<void(QPainter&)>& paint)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    paint(p);
    p.end();
    return pixelMap(image);
}

// A font that draws without smoothing, so a glyph's pixels are exactly its colour.
QFont crispFont(int points)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(points);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Platform colours that know only the indexes 0 to 20, each a distinct grey.
class TwentyColors : public SystemColors {
public:
    std::optional<QColor> color(int index) const override
    {
        if (index < 0 || index > 20)
            return std::nullopt;
        return QColor(index * 10, index * 10, index * 10);
    }
};

} // namespace

TEST(Bevel, RingsFollowTheRuleAndTheDarkColourOwnsTwoCorners)
{
    struct Case {
        const char* what;
        QSize size;
        int width;
        bool raised;
        QString expected;
    };
    const Case cases[] = {
        {"raised 1 on 10 x 10",
         {10, 10},
         1,
         true,
         rows({"HHHHHHHHHS", "H........S", "H........S", "H........S", "H........S", "H........S",
               "H........S", "H........S", "H........S", "SSSSSSSSSS"})},
        // Ring 2 of a 4-pixel square has only empty strips: the same pixels as width 2.
        {"raised 3 on 4 x 4", {4, 4}, 3, true, rows({"HHHS", "HHSS", "HSSS", "SSSS"})},
        {"inset 2 on 6 x 6",
         {6, 6},
         2,
         false,
         rows({"SSSSSH", "SSSSHH", "SS..HH", "SS..HH", "SHHHHH", "HHHHHH"})},
        {"width 0 draws nothing", {3, 3}, 0, true, rows({"...", "...", "..."})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(drawn(c.size.width(), c.size.height(),
                        [&](QPainter& p) {
                            drawBevel(p, QRect(QPoint(0, 0), c.size), c.width, c.raised, kScheme);
                        }),
                  c.expected);
    }
}

TEST(Bevel, DrawsWithinItsRectangleWhereverItStands)
{
    EXPECT_EQ(drawn(5, 4, [](QPainter& p) { drawBevel(p, QRect(1, 1, 3, 2), 1, true, kScheme); }),
              rows({".....", ".HHS.", ".SSS.", "....."}));
}

TEST(Win3x, OutlineAndPressedShadow)
{
    EXPECT_EQ(
        drawn(5, 4, [](QPainter& p) { drawWin3xOutline(p, QRect(0, 0, 5, 4), kScheme, false); }),
        rows({"FFFFF", "F...F", "F...F", "FFFFF"}));
    EXPECT_EQ(
        drawn(5, 4, [](QPainter& p) { drawWin3xOutline(p, QRect(0, 0, 5, 4), kScheme, true); }),
        rows({"cFFFc", "F...F", "F...F", "cFFFc"}));
    // Depth 2: only the top and left sides darken.
    EXPECT_EQ(
        drawn(6, 5, [](QPainter& p) { drawWin3xPressedShadow(p, QRect(0, 0, 6, 5), 2, kScheme); }),
        rows({"SSSSSS", "SSSSSS", "SS....", "SS....", "SS...."}));
    // A depth below 1 still draws one line.
    EXPECT_EQ(
        drawn(4, 3, [](QPainter& p) { drawWin3xPressedShadow(p, QRect(0, 0, 4, 3), 0, kScheme); }),
        rows({"SSSS", "S...", "S..."}));
}

TEST(ButtonEdges, EachStyleAndStateDrawsItsEdgesAndLeavesItsCaptionArea)
{
    struct Case {
        const char* what;
        ButtonLook look;
        ButtonState state;
        QString expected;
        QRect interior;
    };
    const Case cases[] = {
        {"95 up",
         {kwWin95, 2, false, false},
         ButtonState::Up,
         rows({"cccccF", "cHHHSF", "cH..SF", "cSSSSF", "FFFFFF"}),
         QRect(2, 2, 2, 1)},
        {"follow OS is 95",
         {kwFollowOS, 2, false, false},
         ButtonState::Up,
         rows({"cccccF", "cHHHSF", "cH..SF", "cSSSSF", "FFFFFF"}),
         QRect(2, 2, 2, 1)},
        {"95 latched",
         {kwWin95, 2, false, false},
         ButtonState::Latched,
         rows({"SSSSSH", "SFFFcH", "SF..cH", "SccccH", "HHHHHH"}),
         QRect(2, 2, 2, 1)},
        {"95 pressed",
         {kwWin95, 2, false, false},
         ButtonState::Pressed,
         rows({"SSSSSS", "S....S", "S....S", "S....S", "SSSSSS"}),
         QRect(2, 2, 2, 1)},
        {"active up",
         {kwActiveBorders, 2, false, false},
         ButtonState::Up,
         rows({"HHHHHS", "H....S", "H....S", "H....S", "SSSSSS"}),
         QRect(1, 1, 4, 3)},
        {"active down",
         {kwActiveBorders, 2, false, false},
         ButtonState::Pressed,
         rows({"SSSSSH", "S....H", "S....H", "S....H", "HHHHHH"}),
         QRect(1, 1, 4, 3)},
        {"borderless",
         {kwBorderless, 2, false, false},
         ButtonState::Pressed,
         rows({"......", "......", "......", "......", "......"}),
         QRect(0, 0, 6, 5)},
        {"borderless outlined",
         {kwBorderless, 2, true, false},
         ButtonState::Up,
         rows({"FFFFFF", "F....F", "F....F", "F....F", "FFFFFF"}),
         QRect(1, 1, 4, 3)},
        {"3.x up, rounded",
         {kwWin3X, 1, false, true},
         ButtonState::Up,
         rows({"cFFFFc", "FHHHSF", "FH..SF", "FSSSSF", "cFFFFc"}),
         QRect(2, 2, 2, 1)},
        {"3.x down",
         {kwWin3X, 2, false, false},
         ButtonState::Pressed,
         rows({"FFFFFF", "FSSSSF", "FS...F", "FS...F", "FFFFFF"}),
         QRect(3, 3, 0, -1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QRect interior;
        EXPECT_EQ(drawn(6, 5,
                        [&](QPainter& p) {
                            interior =
                                drawButtonEdges(p, QRect(0, 0, 6, 5), c.look, c.state, kScheme);
                        }),
                  c.expected);
        EXPECT_EQ(interior, c.interior);
    }
}

TEST(Panel, ContentAreaShrinksByTheBevelsBorderAndOutline)
{
    struct Case {
        PanelFrame frame;
        int shrink;
    };
    const Case cases[] = {
        {{kwRaisedBevel, kwInsetBevel, 2, 3, true}, 8}, // 2 + 3 + 2 + 1
        {{kwRaisedBevel, kwNoneBevel, 2, 3, true}, 3},  // the border counts only inside
        {{kwNoneBevel, kwRaisedBevel, 1, 3, false}, 4},
        {{kwInsetBevel, kwNoneBevel, 30, 30, false}, 30},
        {{kwNoneBevel, kwNoneBevel, 5, 5, true}, 1},
        {{kwNoneBevel, kwNoneBevel, 5, 5, false}, 0},
    };
    const QRect client(0, 0, 120, 80);
    for (const Case& c : cases)
        EXPECT_EQ(panelContentArea(client, c.frame),
                  client.adjusted(c.shrink, c.shrink, -c.shrink, -c.shrink));
}

TEST(Panel, FrameDrawsOutlineOuterBevelBorderGapAndInnerBevel)
{
    QRect content;
    const QString map = drawn(8, 8, [&](QPainter& p) {
        content = drawPanelFrame(p, QRect(0, 0, 8, 8), {kwRaisedBevel, kwInsetBevel, 1, 1, true},
                                 kScheme, true);
    });
    EXPECT_EQ(map, rows({".FFFFFF.", "FHHHHHSF", "FH....SF", "FH.SH.SF", "FH.HH.SF", "FH....SF",
                         "FSSSSSSF", ".FFFFFF."}));
    EXPECT_EQ(content, QRect(4, 4, 0, 0));
}

TEST(Flood, AreasOfEachTypeAt45Percent)
{
    struct Case {
        Constants_FloodType type;
        QRect content;
        QRect area;
    };
    const Case cases[] = {
        {kwLeftToRight, {0, 0, 200, 40}, {0, 0, 90, 40}},
        {kwRightToLeft, {0, 0, 200, 40}, {110, 0, 90, 40}},
        {kwTopToBottom, {0, 0, 200, 40}, {0, 0, 200, 18}},
        {kwBottomToTop, {0, 0, 200, 40}, {0, 22, 200, 18}},
        {kwLeftToRight, {10, 5, 200, 40}, {10, 5, 90, 40}},
        // Made square around the centre (61 wide from column 19, since w and h count both
        // edges), then shrunk by (61 - 27) / 2 = 17 on every side.
        {kwWideningCircle, {0, 0, 100, 60}, {36, 17, 27, 26}},
        {kwWideningCircle, {0, 0, 40, 100}, {11, 40, 18, 19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type));
        EXPECT_EQ(floodArea(c.content, {c.type, kwSolid, 45}), c.area);
    }
}

TEST(Flood, SolidLeftToRightFillsFortyFivePercentWithItsTextCentred)
{
    QImage image = canvas(200, 40);
    QPainter p(&image);
    drawFlood(p, image.rect(), {kwLeftToRight, kwSolid, 45}, Qt::blue, true, Qt::red,
              crispFont(10));
    p.end();
    for (int y : {0, 39}) {
        const QString row = pixelMap(image.copy(0, y, 200, 1));
        EXPECT_EQ(row, QString(90, QLatin1Char('B')) + QString(110, QLatin1Char('.'))) << y;
    }
    const QRect text = boundsOf(image, Qt::red);
    const QRect expected = QFontMetrics(crispFont(10)).tightBoundingRect(QStringLiteral("45%"));
    EXPECT_NEAR(text.center().x(), 100, 2);
    EXPECT_NEAR(text.center().y(), 20, 3);
    EXPECT_NEAR(text.width(), expected.width(), 1);
}

TEST(Flood, SegmentedFillsWholeSegmentsThenPartOfTheNextFromEachStartingEdge)
{
    // 100 pixels: gaps of 2, segments of 8 with the first and last 9. 45 % fills four segments
    // and half (4 pixels) of the fifth.
    std::set<int> filled;
    for (auto [from, to] : {std::pair{0, 9}, {11, 19}, {21, 29}, {31, 39}, {41, 45}})
        for (int i = from; i < to; ++i)
            filled.insert(i);
    const FloodSegments segments =
        floodSegments(QRect(0, 0, 100, 6), {kwLeftToRight, kwSegmented, 45});
    std::vector<int> lengths;
    for (const QRect& s : segments.segments)
        lengths.push_back(s.width());
    EXPECT_EQ(lengths, (std::vector<int>{9, 8, 8, 8, 8, 8, 8, 8, 8, 9}));
    EXPECT_EQ(segments.segments.back().right(), 99);

    for (Constants_FloodType type : {kwLeftToRight, kwRightToLeft, kwTopToBottom, kwBottomToTop}) {
        SCOPED_TRACE(int(type));
        const bool across = type == kwLeftToRight || type == kwRightToLeft;
        QImage image = across ? canvas(100, 30) : canvas(30, 100);
        QPainter p(&image);
        drawFlood(p, image.rect(), {type, kwSegmented, 45}, Qt::blue, false, Qt::red, QFont());
        p.end();
        for (int i = 0; i < 100; ++i) {
            const int distance = (type == kwLeftToRight || type == kwTopToBottom) ? i : 99 - i;
            const QPoint first = across ? QPoint(i, 0) : QPoint(0, i);
            const QPoint last = across ? QPoint(i, 29) : QPoint(29, i);
            const char want = filled.count(distance) ? 'B' : '.';
            ASSERT_EQ(letterOf(image.pixel(first)), want) << i;
            ASSERT_EQ(letterOf(image.pixel(last)), want) << i;
        }
    }
}

TEST(Flood, NarrowAreasAndTheCircleAreDrawnSolid)
{
    EXPECT_TRUE(floodIsSolid(QRect(0, 0, 17, 10), {kwLeftToRight, kwSegmented, 45}));
    EXPECT_FALSE(floodIsSolid(QRect(0, 0, 18, 10), {kwLeftToRight, kwSegmented, 45}));
    EXPECT_TRUE(floodIsSolid(QRect(0, 0, 100, 100), {kwWideningCircle, kwSegmented, 45}));
    EXPECT_EQ(drawn(17, 1,
                    [](QPainter& p) {
                        drawFlood(p, QRect(0, 0, 17, 1), {kwLeftToRight, kwSegmented, 45}, Qt::blue,
                                  false, Qt::red, QFont());
                    }),
              QStringLiteral("BBBBBBB.........."));
    // A circle stays inside its square and covers its centre.
    QImage image = canvas(100, 60);
    QPainter p(&image);
    drawFlood(p, image.rect(), {kwWideningCircle, kwSolid, 45}, Qt::blue, false, Qt::red, QFont());
    p.end();
    const QRect circle = boundsOf(image, Qt::blue);
    EXPECT_TRUE(QRect(36, 17, 27, 26).contains(circle)) << circle.x() << circle.width();
    EXPECT_GE(circle.width(), 25);
    EXPECT_EQ(letterOf(image.pixel(49, 30)), 'B');
    EXPECT_EQ(floodPercentText(45), QStringLiteral("45%"));
    EXPECT_EQ(floodPercentText(100), QStringLiteral("100%"));
}

TEST(Caption, AlignmentsPlaceTheCaptionAcrossAndDownInTheOrderOfTheirNames)
{
    const QFont font = crispFont(12);
    const QRect box(0, 0, 120, 70);
    QRect bounds[9];
    for (int a = 0; a <= 8; ++a) {
        QImage image = canvas(box.width(), box.height());
        QPainter p(&image);
        drawCaption(p, box, int(captionAlignment(Constants_Alignment(a))), QStringLiteral("M"),
                    font, kwNoneFont3D, {Qt::red, {}, {}});
        p.end();
        bounds[a] = boundsOf(image, Qt::red);
        ASSERT_FALSE(bounds[a].isEmpty()) << a;
    }
    const QFontMetrics fm(font);
    for (int a = 0; a <= 8; ++a) {
        SCOPED_TRACE(a);
        const int across = a / 3, down = a % 3; // left, right, centre; top, middle, bottom
        if (across == 0) {
            EXPECT_LE(bounds[a].left(), 3);
        } else if (across == 1) {
            EXPECT_GE(bounds[a].right(), box.right() - 3);
        } else {
            EXPECT_NEAR(bounds[a].center().x(), box.center().x(), 2);
        }
        if (down == 0) {
            EXPECT_EQ(bounds[a].bottom(), fm.ascent() - 1);
        } else if (down == 1) {
            EXPECT_NEAR(bounds[a].center().y(), box.center().y(), 6);
        } else {
            EXPECT_EQ(bounds[a].bottom(), box.bottom() - fm.descent());
        }
        EXPECT_EQ(bounds[a].size(), bounds[0].size());
    }
    EXPECT_EQ(captionAlignment(kwRightOfCaption), Qt::AlignCenter);
}

// Each style draws its layers (colour, offset) over one another, bottom first, in a rectangle
// that first loses `shrink` pixels at its right and bottom. The expected picture is composed
// here from the glyph's own pixels; placed at the bottom right, the shrink moves every layer.
TEST(Caption, ThreeDimensionalStylesLayerTheCaptionInTheirColoursAndOffsets)
{
    const QColor F = Qt::red, H = kHighlight, S = kShadow;
    struct Layer {
        QColor color;
        int dx, dy;
    };
    struct Case {
        const char* what;
        Constants_Font3D style;
        int points;
        int shrink;
        std::vector<Layer> layers;
    };
    const Case cases[] = {
        {"none", kwNoneFont3D, 12, 0, {{F, 0, 0}}},
        {"raised light", kwRaisedLight, 12, 1, {{H, 0, 0}, {F, 1, 1}}},
        {"inset light", kwInsetLight, 12, 1, {{H, 1, 1}, {F, 0, 0}}},
        {"raised heavy", kwRaisedHeavy, 12, 2, {{H, 0, 0}, {S, 2, 2}, {F, 1, 1}}},
        {"inset heavy", kwInsetHeavy, 12, 2, {{S, 0, 0}, {H, 2, 2}, {F, 1, 1}}},
        {"drop shadow 24 pt", kwDropShadow, 24, 0, {{S, 3, 3}, {F, 0, 0}}},
        {"drop shadow 8 pt", kwDropShadow, 8, 0, {{S, 1, 1}, {F, 0, 0}}},
    };
    const QRect box(0, 0, 90, 60);
    const int flags = int(Qt::AlignRight | Qt::AlignBottom);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QFont font = crispFont(c.points);
        QImage glyph = canvas(box.width(), box.height());
        {
            QPainter p(&glyph);
            p.setFont(font);
            p.setPen(Qt::blue);
            p.drawText(box.adjusted(0, 0, -c.shrink, -c.shrink), flags, QStringLiteral("Ag"));
        }
        QImage expected = canvas(box.width(), box.height());
        for (const Layer& layer : c.layers)
            for (int y = 0; y < glyph.height(); ++y)
                for (int x = 0; x < glyph.width(); ++x)
                    if (glyph.pixel(x, y) == QColor(Qt::blue).rgb() &&
                        expected.rect().contains(x + layer.dx, y + layer.dy))
                        expected.setPixel(x + layer.dx, y + layer.dy, layer.color.rgb());
        QImage actual = canvas(box.width(), box.height());
        QPainter p(&actual);
        drawCaption(p, box, flags, QStringLiteral("Ag"), font, c.style, {F, H, S});
        p.end();
        EXPECT_EQ(pixelMap(actual), pixelMap(expected));
    }
}

TEST(Caption, DisabledCaptionsAreInsetLightInGreyTextOverWhiteWhateverTheStyle)
{
    const QFont font = crispFont(12);
    const QRect box(0, 0, 60, 30);
    QImage disabled = canvas(60, 30), insetLight = canvas(60, 30);
    {
        QPainter p(&disabled);
        drawDisabledCaption(p, box, Qt::AlignCenter, QStringLiteral("Ok"), font, kShadow);
    }
    {
        QPainter p(&insetLight);
        drawCaption(p, box, Qt::AlignCenter, QStringLiteral("Ok"), font, kwInsetLight,
                    {kShadow, kHighlight, Qt::red});
    }
    EXPECT_EQ(pixelMap(disabled), pixelMap(insetLight));
    EXPECT_FALSE(boundsOf(disabled, kHighlight).isEmpty());
}

TEST(Caption, DropShadowOffsetGrowsWithTheFontsPoints)
{
    for (auto [points, offset] : {std::pair{8, 1}, {3, 1}, {12, 1}, {13, 2}, {24, 3}, {72, 7}}) {
        QFont font = crispFont(points);
        EXPECT_EQ(dropShadowOffset(font), offset) << points;
    }
}

TEST(Colors, OleValuesResolveToLiteralsSystemColoursOrTheirSubstitutes)
{
    const TwentyColors platform;
    auto grey = [](int index) {
        return QColor(index * 10, index * 10, index * 10);
    };
    struct Case {
        quint32 value;
        QColor expected;
    };
    const Case cases[] = {
        {0x00336699u, QColor(0x99, 0x66, 0x33)},
        {0x80000000u | 15, grey(15)},
        {0x80000000u | 21, grey(16)},
        {0x80000000u | 22, grey(20)},
        {0x80000000u | 23, grey(8)},
        {0x80000000u | 24, grey(5)},
        {0x80000000u | 25, QColor(0, 0, 0)},
        {0x80000000u | 26, QColor(0, 0, 255)},
        {0x80000000u | 27, grey(2)},
        {0x80000000u | 28, grey(3)},
        {0x80000000u | 99, QColor(0, 0, 0)},
        {0x80FFFF1Au, QColor(0, 0, 0)}, // the index is all 24 low bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolveColor(c.value, platform), c.expected) << std::hex << c.value;

    // This platform lacks index 26 too; the others come from the application palette.
    EXPECT_EQ(resolveColor(0x8000001Au), QColor(0, 0, 255));
    EXPECT_EQ(resolveColor(0x8000000Fu), QGuiApplication::palette().color(QPalette::Button));
    const ColorScheme system = ColorScheme::system(platform);
    EXPECT_EQ(system.face, grey(15));
    EXPECT_EQ(system.shadow, grey(16));
    EXPECT_EQ(system.highlight, grey(20));
    EXPECT_EQ(system.frame, grey(6));
}
