#pragma once

#include <QString>

namespace tallix {

// The title of the viewer's messages that name no other.
inline QString restoreMessageTitle()
{
    return QStringLiteral("Tallix Viewer");
}

} // namespace tallix
