#pragma once

#include "controls/ColorScheme.h"
#include "controls/KwEnums.h"
#include "controls/Solido3dExport.h"

#include <QRect>

class QPainter;

// The edges the controls are drawn with, to the pixel. A rectangle's left and top edges are its
// first column and row; its right and bottom edges (R, B) are one past its last ones.
namespace Solido {

// Ring i of a rectangle: `topLeft` on row T + i from column L + i to R - 2 - i and on column L + i
// from row T + i to B - 2 - i; `bottomRight` on row B - 1 - i from column L + i to R - 1 - i and
// on column R - 1 - i from row T + i to B - 1 - i, so it owns the top-right and bottom-left
// corners. A strip that runs backwards is empty and draws nothing.
SOLIDO3D_EXPORT void drawRing(QPainter& p, const QRect& r, int i, const QColor& topLeft,
                              const QColor& bottomRight);

// A bevel of `width` rings: highlight over shadow when raised, shadow over highlight when inset.
SOLIDO3D_EXPORT void drawBevel(QPainter& p, const QRect& r, int width, bool raised,
                               const ColorScheme& scheme);

// The outline of a Win 3.x button: the outermost pixels in the frame colour; with
// `roundCorners` its four corner pixels are then set back to the face colour.
SOLIDO3D_EXPORT void drawWin3xOutline(QPainter& p, const QRect& r, const ColorScheme& scheme,
                                      bool roundCorners);

// The pressed shadow of a Win 3.x button, `depth` lines deep (at least 1), on the top and left
// sides only.
SOLIDO3D_EXPORT void drawWin3xPressedShadow(QPainter& p, const QRect& r, int depth,
                                            const ColorScheme& scheme);

// The standard two-line edges and one-line edges; each returns what lies inside it.
enum class Edge { Raised, Sunken, ThinRaised, ThinSunken };
SOLIDO3D_EXPORT QRect drawEdge(QPainter& p, const QRect& r, Edge edge, const ColorScheme& scheme);

// A button is up, held down by the pointer or the keyboard, or latched down (a ribbon button
// whose Value is true).
enum class ButtonState { Up, Pressed, Latched };

struct ButtonLook {
    Constants_ButtonStyle style = kwFollowOS;
    int bevelWidth = 2;
    bool outline = false;        // a one-pixel frame around the styles that have none of their own
    bool roundedCorners = false; // a Win 3.x outline restores its corner pixels
};

// kwFollowOS as this platform draws it: the raised two-line edges.
SOLIDO3D_EXPORT Constants_ButtonStyle resolvedButtonStyle(Constants_ButtonStyle style);

// The caption area inside a button's edges.
SOLIDO3D_EXPORT QRect buttonInterior(const QRect& r, const ButtonLook& look);

// Draws a command or ribbon button's edges for its style and state (kwWin3X: the outline, then
// a raised bevel of the bevel width when up or the pressed shadow when down; kwWin95: the raised
// edge when up, the sunken edge when latched, a one-pixel frame in the shadow colour while
// pressed; kwActiveBorders: the one-line raised edge when up, the one-line sunken edge when
// down; kwBorderless: nothing). Returns the caption area.
SOLIDO3D_EXPORT QRect drawButtonEdges(QPainter& p, const QRect& r, const ButtonLook& look,
                                      ButtonState state, const ColorScheme& scheme);

} // namespace Solido
