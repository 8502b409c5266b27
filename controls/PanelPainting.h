#pragma once

#include "controls/ColorScheme.h"
#include "controls/KwEnums.h"
#include "controls/Solido3dExport.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;

// The panel's frame and its flood (progress indicator), to the pixel. Rectangles as in Edges.h.
namespace Solido {

struct PanelFrame {
    Constants_Bevel outer = kwRaisedBevel;
    Constants_Bevel inner = kwNoneBevel;
    int bevelWidth = 1;
    int borderWidth = 3;
    bool outline = false;
};

// The client area less (W if the outer bevel is present) + (G + W if the inner bevel is
// present) + (1 with the outline) on every side: the border counts only with an inner bevel.
SOLIDO3D_EXPORT QRect panelContentArea(const QRect& client, const PanelFrame& frame);

// Draws the outline (frame colour; with `roundedCorners` its corner pixels are left to the
// background), the outer bevel, the border gap and the inner bevel. Returns the content area.
SOLIDO3D_EXPORT QRect drawPanelFrame(QPainter& p, const QRect& client, const PanelFrame& frame,
                                     const ColorScheme& scheme, bool roundedCorners);

struct Flood {
    Constants_FloodType type = kwNoneFlood;
    Constants_FloodFillStyle fill = kwSolid;
    int percent = 0;
};

// The part of the content area a solid flood covers. For kwWideningCircle the square the
// circle is drawn in.
SOLIDO3D_EXPORT QRect floodArea(const QRect& content, const Flood& flood);

// Solid fill is used for kwSolid, for the circle, and for a content area narrower than 18.
SOLIDO3D_EXPORT bool floodIsSolid(const QRect& content, const Flood& flood);

// The ten segments of a segmented flood along its direction, from its starting edge, and the
// filled parts of them (whole segments, then part of the next).
struct FloodSegments {
    std::vector<QRect> segments;
    std::vector<QRect> filled;
};
SOLIDO3D_EXPORT FloodSegments floodSegments(const QRect& content, const Flood& flood);

// "45%" for 45.
SOLIDO3D_EXPORT QString floodPercentText(int percent);

// Fills the flood in `color` and, with `showPercent`, draws the percentage over it in
// `textColor`, centred on one line in the content area with a transparent background.
SOLIDO3D_EXPORT void drawFlood(QPainter& p, const QRect& content, const Flood& flood,
                               const QColor& color, bool showPercent, const QColor& textColor,
                               const QFont& font);

} // namespace Solido
