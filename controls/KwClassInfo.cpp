#include "controls/KwClassInfo.h"

#include "controls/ColorScheme.h"
#include "controls/Edges.h"
#include "controls/PanelPainting.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace Solido {

namespace {

using namespace MiscStatus;

constexpr quint32 kEveryControl =
    RecomposeOnResize | CantLinkInside | InsideOut | ActivateWhenVisible | SetClientSiteFirst;
constexpr quint32 kContainer = kEveryControl | SimpleFrame | ActsLikeLabel;

const std::array<KwClassInfo, 6> kClasses = {{
    {"KwFrame", KwFamily::Frame, "KwFrame Control 3.0", "KwFrameWndClass", kContainer, 109,
     "IKwFrame", "DKwFrameEvents", "{3504fa79-8329-4a21-9fb4-eb12a35480f6}"},
    {"KwPanel", KwFamily::Panel, "KwPanel Control 3.0", "KwPanelWndClass", kContainer | Alignable,
     102, "DKwPanel", "DKwPanelEvents", "{a197bbf0-23d7-47ec-a784-5465926477bd}"},
    {"KwOption", KwFamily::Option, "KwOption Control 3.0", "KwOptionWndClass", kEveryControl, 103,
     "DKwOption", "DKwOptionEvents", "{87901ecf-d7e6-4f6b-b0d0-f2fff78cb1cd}"},
    {"KwCheck", KwFamily::Check, "KwCheck Control 3.0", "KwCheckWndClass", kEveryControl, 104,
     "DKwCheck", "DKwCheckEvents", "{ddf0df43-a4b2-4a3d-a4c2-597606b1e2ac}"},
    {"KwRibbon", KwFamily::Ribbon, "KwRibbon Control 3.0", "KwRibbonWndClass",
     kEveryControl | ActsLikeLabel, 105, "IKwRibbon", "DKwRibbonEvents",
     "{15f93270-3bab-439d-8050-a449c4649f27}"},
    {"KwCommand", KwFamily::Command, "KwCommand Control 3.0", "KwCommandWndClass",
     kEveryControl | ActsLikeButton, 106, "IKwCommand", "DKwCommandEvents",
     "{a6182a14-d557-4931-8537-bd839d3f8fc8}"},
}};

const std::array<KwAutomationClass, 2> kAutomation = {{
    {"KwDataObject", "IKwDataObject", "KwDataObject Object"},
    {"KwDataObjectFiles", "IKwDataObjectFiles", "KwDataObjectFiles Object"},
}};

constexpr int kIconSize = 24;

// Each class's toolbox picture: a small likeness of the control.
void drawIcon(QPainter& p, KwFamily family)
{
    const ColorScheme c = ColorScheme::defaults();
    const QRect r(0, 0, kIconSize, kIconSize);
    switch (family) {
    case KwFamily::Panel: {
        p.fillRect(r.adjusted(1, 3, -1, -3), c.face);
        const QRect content = drawPanelFrame(p, r.adjusted(1, 3, -1, -3),
                                             {kwRaisedBevel, kwInsetBevel, 1, 2, false}, c, false);
        drawFlood(p, content, {kwLeftToRight, kwSolid, 60}, QColor(0, 0, 255), false, {}, {});
        break;
    }
    case KwFamily::Frame:
        p.fillRect(r, Qt::transparent);
        p.setPen(c.shadow);
        p.drawRect(QRect(2, 6, 19, 15));
        p.setPen(c.highlight);
        p.drawRect(QRect(3, 7, 19, 15));
        p.fillRect(QRect(5, 3, 9, 6), c.face);
        p.fillRect(QRect(6, 5, 7, 2), c.frame);
        break;
    case KwFamily::Option:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(c.shadow);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(4.5, 4.5, 15, 15));
        p.setBrush(c.frame);
        p.drawEllipse(QRectF(9.5, 9.5, 5, 5));
        break;
    case KwFamily::Check: {
        const QRect inside = drawEdge(p, QRect(4, 4, 16, 16), Edge::Sunken, c);
        p.fillRect(inside, Qt::white);
        p.setPen(QPen(c.frame, 2));
        p.drawPolyline(QPolygon({QPoint(8, 12), QPoint(11, 15), QPoint(16, 8)}));
        break;
    }
    case KwFamily::Ribbon:
        p.fillRect(QRect(2, 4, 20, 16), c.face);
        drawEdge(p, QRect(2, 4, 20, 16), Edge::Sunken, c);
        p.fillRect(QRect(8, 9, 8, 6), QColor(0, 0, 128));
        break;
    case KwFamily::Command:
        p.fillRect(QRect(1, 5, 22, 14), c.face);
        drawButtonEdges(p, QRect(1, 5, 22, 14), {kwWin3X, 2, false, true}, ButtonState::Up, c);
        p.fillRect(QRect(7, 11, 10, 2), c.frame);
        break;
    }
}

} // namespace

QString KwClassInfo::progId() const
{
    return QLatin1String(kLibraryName) + QLatin1Char('.') + QLatin1String(className);
}

QString KwClassInfo::versionedProgId() const
{
    return progId() + QLatin1Char('.') + QString::number(kClassVersion);
}

std::span<const KwClassInfo> controlClasses()
{
    return kClasses;
}

const KwClassInfo& classInfo(KwFamily family)
{
    for (const KwClassInfo& info : kClasses)
        if (info.family == family)
            return info;
    return kClasses.front();
}

std::span<const KwAutomationClass> automationClasses()
{
    return kAutomation;
}

QIcon toolboxIcon(const KwClassInfo& info)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    drawIcon(p, info.family);
    p.end();
    return QIcon(pixmap);
}

} // namespace Solido
