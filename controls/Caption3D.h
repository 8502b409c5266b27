#pragma once

#include "controls/KwEnums.h"
#include "controls/Solido3dExport.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;

// Captions: where a caption stands in its rectangle, and its three-dimensional styles.
namespace Solido {

// The placement of Constants_Alignment 0 to 8: left, right or centred across, and top, middle or
// bottom down, in the order of the names. The picture placements (9 to 12) centre the caption.
SOLIDO3D_EXPORT Qt::Alignment captionAlignment(Constants_Alignment alignment);

// The place of something of `size` in `area` for a placement of 0 to 8, as the caption's; the
// placements beside the caption (9 to 12) are the caller's.
QRect placedIn(const QRect& area, const QSize& size, Constants_Alignment alignment);

// The offset of a drop shadow: max(1, (P + 7) / 10) for a font whose character height is P
// points (rounded), so 3 pixels at 24 points and 1 at 8.
SOLIDO3D_EXPORT int dropShadowOffset(const QFont& font);

struct CaptionColors {
    QColor text;      // F: the resolved ForeColor
    QColor highlight; // H
    QColor shadow;    // S
};

// One layer of a 3-D caption: its colour and how far it moves right and down.
struct CaptionLayer {
    QColor color;
    int dx = 0;
    int dy = 0;
};

// The layers of a style, bottom first, and the pixels the rectangle loses at its right and
// bottom before they are placed (one for the light styles, two for the heavy ones).
struct CaptionLayers {
    int shrink = 0;
    std::vector<CaptionLayer> layers;
};
SOLIDO3D_EXPORT CaptionLayers captionLayers(Constants_Font3D style, const CaptionColors& colors,
                                            const QFont& font);

// Draws the caption in `r` with `flags` (a Qt alignment, with Qt::TextWordWrap for wrapped
// captions) in the style's layers, each on a transparent background.
SOLIDO3D_EXPORT void drawCaption(QPainter& p, const QRect& r, int flags, const QString& text,
                                 const QFont& font, Constants_Font3D style,
                                 const CaptionColors& colors);

// A disabled control's caption: kwInsetLight in the grey-text colour over white, whatever the
// control's Font3D.
SOLIDO3D_EXPORT void drawDisabledCaption(QPainter& p, const QRect& r, int flags,
                                         const QString& text, const QFont& font,
                                         const QColor& grayText);

} // namespace Solido
