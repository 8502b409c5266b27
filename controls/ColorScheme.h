#pragma once

#include "controls/KwEnums.h"
#include "controls/Solido3dExport.h"

#include <QColor>
#include <optional>

namespace Solido {

// The platform's system colours by their OLE index (15 button face, 16 button shadow, ...). An
// index the platform does not know gives no colour.
class SOLIDO3D_EXPORT SystemColors {
public:
    virtual ~SystemColors() = default;
    virtual std::optional<QColor> color(int index) const = 0;
};

// The system colours of this platform, from the application palette. It knows the indexes 0 to
// 20; the later ones (21 to 28) take the substitutes of resolveColor().
SOLIDO3D_EXPORT const SystemColors& platformColors();

// The colour of an OLE colour value: a literal 0x00BBGGRR as it is; with the top bit set, the
// system colour of the index in the low 24 bits, where an index the platform lacks takes a
// substitute (21 button shadow, 22 button highlight, 23 window text, 24 window, 26 pure blue,
// 27 active caption, 28 inactive caption) and any other unknown index black.
SOLIDO3D_EXPORT QColor resolveColor(OleColor value,
                                    const SystemColors& platform = platformColors());

// The four colours one paint draws its edges with.
struct SOLIDO3D_EXPORT ColorScheme {
    QColor face;
    QColor shadow;
    QColor highlight;
    QColor frame;

    // The system's button face, button shadow, button highlight and window frame colours: the
    // scheme every control paints with.
    static ColorScheme system(const SystemColors& platform = platformColors());
    // Light grey, dark grey, white and black.
    static ColorScheme defaults();
    static ColorScheme given(QColor face, QColor shadow, QColor highlight, QColor frame);
};

// System colour indexes the controls use.
namespace SysColor {
constexpr int ActiveCaption = 2;
constexpr int InactiveCaption = 3;
constexpr int Window = 5;
constexpr int WindowFrame = 6;
constexpr int WindowText = 8;
constexpr int ButtonFace = 15;
constexpr int ButtonShadow = 16;
constexpr int GrayText = 17;
constexpr int ButtonText = 18;
constexpr int ButtonHighlight = 20;
constexpr OleColor of(int index)
{
    return 0x80000000u | OleColor(index);
}
} // namespace SysColor

} // namespace Solido
