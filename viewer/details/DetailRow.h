#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tallix {

// Background colours of the details grid, as OLE colour values (blue-green-red).
inline constexpr quint32 kChangedColour = 0xFFFF00;        // cyan: before and after differ
inline constexpr quint32 kCurrentDiffersColour = 0x00FFFF; // yellow: now differs from after
inline constexpr quint32 kPlainColour = 0xFFFFFF;          // white

// One column of an audit row as the details grid shows it.
struct DetailRow {
    QString field;
    QString before;
    QString after;
    QString current; // empty unless "Show Current" is checked
    bool changed = false;
    bool currentDiffers = false;
    // Whether the grid shows it ("Show All Fields", or the values differ).
    bool shown = false;

    // The colour of the cells Field, Before Value and After Value; none for an unchanged row.
    std::optional<quint32> valueColour() const
    {
        return changed ? std::optional<quint32>(kChangedColour) : std::nullopt;
    }
    quint32 currentColour() const { return currentDiffers ? kCurrentDiffersColour : kPlainColour; }
};

} // namespace tallix
