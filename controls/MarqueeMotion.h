#pragma once

#include "controls/KwEnums.h"
#include "controls/Solido3dExport.h"

namespace Solido {

// Where a marquee caption stands after each step. Positions are the caption's leading edge
// along the direction's axis (left edge across, top edge down), from the start of the area.
//
// - scrolling: enters from the side the direction comes from, leaves at the other, again;
// - sliding: enters and stops where the caption's alignment puts it;
// - blinking: shown and hidden by turns;
// - bouncing: runs from one edge of the area to the other and back.
// A cycle begins when the caption (re)enters, is shown, or leaves its starting edge, and ends
// when it has left the area, come to rest, been hidden, or come back.
class SOLIDO3D_EXPORT MarqueeMotion {
public:
    struct Geometry {
        int area = 0; // the caption area's length along the axis
        int text = 0; // the caption's length along the axis
        int rest = 0; // where the alignment puts the caption
    };
    struct Events {
        bool cycleBegan = false;
        bool cycleEnded = false;
    };

    // Starts over: the next step begins a new cycle.
    void reset();
    Events step(Constants_MarqueeStyle style, Constants_MarqueeDirection direction, int amount,
                const Geometry& geometry);

    int position() const { return m_position; }
    bool visible() const { return m_visible; }
    bool started() const { return m_started; }

private:
    bool m_started = false;
    bool m_resting = false;
    bool m_visible = true;
    int m_position = 0;
    int m_sense = 1;
};

} // namespace Solido
