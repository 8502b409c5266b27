#pragma once

#include <QColor>
#include <QtGlobal>

namespace tallix {

// Colours as the programs write them: OLE colour values. A plain value is 0x00BBGGRR (blue in the
// high byte, so &H80FFFF is red FF, green FF, blue 80: pale yellow); a value with the top bit set
// names a system colour by its index in the low byte (0x8000000F is the button face).
QColor fromOleColor(quint32 ole);
// The plain OLE value of a colour (no system colour is ever produced).
quint32 toOleColor(const QColor& color);

} // namespace tallix
