#include "controls/MarqueeMotion.h"

#include <algorithm>

namespace Solido {

namespace {

// Right-to-left and bottom-to-top run towards the start of the axis.
bool backwards(Constants_MarqueeDirection direction)
{
    return direction == kwMDRightToLeft || direction == kwMDBottomToTop;
}

} // namespace

void MarqueeMotion::reset()
{
    *this = MarqueeMotion();
}

MarqueeMotion::Events MarqueeMotion::step(Constants_MarqueeStyle style,
                                          Constants_MarqueeDirection direction, int amount,
                                          const Geometry& g)
{
    Events events;
    const bool back = backwards(direction);
    const int entry = back ? g.area : -g.text;
    const int move = back ? -amount : amount;
    switch (style) {
    case kwScrollingMarquee:
        if (!m_started) {
            m_started = events.cycleBegan = true;
            m_position = entry;
            break;
        }
        m_position += move;
        if (back ? m_position + g.text <= 0 : m_position >= g.area) {
            events.cycleEnded = true;
            m_started = false;
        }
        break;
    case kwSlidingMarquee:
        if (!m_started) {
            m_started = events.cycleBegan = true;
            m_resting = false;
            m_position = entry;
            break;
        }
        if (m_resting)
            break;
        m_position += move;
        if (back ? m_position <= g.rest : m_position >= g.rest) {
            m_position = g.rest;
            m_resting = events.cycleEnded = true;
        }
        break;
    case kwBlinkingMarquee:
        m_position = g.rest;
        if (!m_started) {
            m_started = events.cycleBegan = true;
            m_visible = true;
            break;
        }
        m_visible = !m_visible;
        (m_visible ? events.cycleBegan : events.cycleEnded) = true;
        break;
    case kwBouncingMarquee: {
        const int low = std::min(0, g.area - g.text), high = std::max(0, g.area - g.text);
        const int start = back ? high : low;
        if (!m_started) {
            m_started = events.cycleBegan = true;
            m_position = start;
            m_sense = back ? -1 : 1;
            break;
        }
        m_position = std::clamp(m_position + m_sense * amount, low, high);
        if (m_position == (m_sense > 0 ? high : low))
            m_sense = -m_sense;
        if (m_position == start && amount > 0) {
            events.cycleEnded = true;
            m_started = false;
        }
        break;
    }
    case kwNoneMarquee:
        reset();
        m_position = g.rest;
        break;
    }
    return events;
}

} // namespace Solido
