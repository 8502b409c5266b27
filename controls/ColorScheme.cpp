#include "controls/ColorScheme.h"

#include <QGuiApplication>
#include <QPalette>

namespace Solido {

namespace {

// The Windows 3.x/95 system colours, each mapped to the palette role that plays its part.
class PaletteColors : public SystemColors {
public:
    std::optional<QColor> color(int index) const override
    {
        const QPalette p = QGuiApplication::palette();
        switch (index) {
        case 0: // scroll bar
            return p.color(QPalette::Button);
        case 1: // desktop
            return p.color(QPalette::Dark);
        case 2: // active caption
            return p.color(QPalette::Active, QPalette::Highlight);
        case 3: // inactive caption
            return p.color(QPalette::Inactive, QPalette::Highlight);
        case 4:  // menu
        case 10: // active border
        case 11: // inactive border
            return p.color(QPalette::Window);
        case 5: // window
            return p.color(QPalette::Base);
        case 6: // window frame
            return p.color(QPalette::Shadow);
        case 7: // menu text
            return p.color(QPalette::WindowText);
        case 8: // window text
            return p.color(QPalette::Text);
        case 9: // caption text
            return p.color(QPalette::Active, QPalette::HighlightedText);
        case 12: // application workspace
            return p.color(QPalette::Mid);
        case 13: // highlight
            return p.color(QPalette::Highlight);
        case 14: // highlighted text
            return p.color(QPalette::HighlightedText);
        case 15: // button face
            return p.color(QPalette::Button);
        case 16: // button shadow
            return p.color(QPalette::Dark);
        case 17: // grey text
            return p.color(QPalette::Disabled, QPalette::Text);
        case 18: // button text
            return p.color(QPalette::ButtonText);
        case 19: // inactive caption text
            return p.color(QPalette::Inactive, QPalette::HighlightedText);
        case 20: // button highlight
            return p.color(QPalette::Light);
        default:
            return std::nullopt;
        }
    }
};

} // namespace

const SystemColors& platformColors()
{
    static const PaletteColors colors;
    return colors;
}

QColor resolveColor(OleColor value, const SystemColors& platform)
{
    if (!(value & 0x80000000u))
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    const int index = int(value & 0xFFFFFF);
    if (const std::optional<QColor> known = platform.color(index))
        return *known;
    switch (index) {
    case 21:
        return resolveColor(SysColor::of(SysColor::ButtonShadow), platform);
    case 22:
        return resolveColor(SysColor::of(SysColor::ButtonHighlight), platform);
    case 23:
        return resolveColor(SysColor::of(SysColor::WindowText), platform);
    case 24:
        return resolveColor(SysColor::of(SysColor::Window), platform);
    case 26:
        return QColor(0, 0, 255);
    case 27:
        return resolveColor(SysColor::of(SysColor::ActiveCaption), platform);
    case 28:
        return resolveColor(SysColor::of(SysColor::InactiveCaption), platform);
    default:
        return QColor(0, 0, 0);
    }
}

ColorScheme ColorScheme::system(const SystemColors& platform)
{
    return {resolveColor(SysColor::of(SysColor::ButtonFace), platform),
            resolveColor(SysColor::of(SysColor::ButtonShadow), platform),
            resolveColor(SysColor::of(SysColor::ButtonHighlight), platform),
            resolveColor(SysColor::of(SysColor::WindowFrame), platform)};
}

ColorScheme ColorScheme::defaults()
{
    return {QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF),
            QColor(0, 0, 0)};
}

ColorScheme ColorScheme::given(QColor face, QColor shadow, QColor highlight, QColor frame)
{
    return {face, shadow, highlight, frame};
}

} // namespace Solido
