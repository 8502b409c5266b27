#include "common/ui/OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace tallix {

namespace {

// The system colours the programs use, by their Windows index, taken from the palette.
QColor systemColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 2: // active title bar
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6: // window frame
        return palette.color(QPalette::Shadow);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 15: // button face
        return palette.color(QPalette::Button);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 24: // tool-tip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return {};
    }
}

} // namespace

QColor fromOleColor(quint32 ole)
{
    if (ole & 0x80000000u)
        return systemColor(static_cast<int>(ole & 0xFFu));
    return QColor(static_cast<int>(ole & 0xFFu), static_cast<int>((ole >> 8) & 0xFFu),
                  static_cast<int>((ole >> 16) & 0xFFu));
}

quint32 toOleColor(const QColor& color)
{
    return static_cast<quint32>(color.red()) | (static_cast<quint32>(color.green()) << 8) |
           (static_cast<quint32>(color.blue()) << 16);
}

} // namespace tallix
