#pragma once

#include "controls/Solido3dExport.h"

#include <Qt>

// The arguments of the controls' mouse and key events, in the numbers containers expect.
namespace Solido {

// 1 left, 2 right, 4 middle.
SOLIDO3D_EXPORT int mouseButtonMask(Qt::MouseButtons buttons);
// 1 Shift, 2 Ctrl, 4 Alt.
SOLIDO3D_EXPORT int shiftMask(Qt::KeyboardModifiers modifiers);
// The virtual key code of a Qt key (letters and digits are their upper-case character codes,
// Return 13, Escape 27, the arrows 37 to 40, F1 112 ...); 0 for a key that has none.
SOLIDO3D_EXPORT int virtualKeyCode(int qtKey);

} // namespace Solido
