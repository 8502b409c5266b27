#pragma once

#include "controls/PropertyTable.h"
#include "controls/Solido3dExport.h"

#include <QIcon>
#include <QString>
#include <QUuid>
#include <span>

namespace Solido {

// The OLE miscellaneous-status bits of the controls.
namespace MiscStatus {
constexpr quint32 RecomposeOnResize = 0x1;
constexpr quint32 CantLinkInside = 0x10;
constexpr quint32 InsideOut = 0x80;
constexpr quint32 ActivateWhenVisible = 0x100;
constexpr quint32 ActsLikeButton = 0x1000;
constexpr quint32 ActsLikeLabel = 0x2000;
constexpr quint32 Alignable = 0x8000;
constexpr quint32 SimpleFrame = 0x10000;
constexpr quint32 SetClientSiteFirst = 0x20000;
} // namespace MiscStatus

// One creatable class of the library: how containers name it and what they know of it.
struct SOLIDO3D_EXPORT KwClassInfo {
    const char* className; // "KwPanel"
    KwFamily family;
    const char* description; // "KwPanel Control 3.0"
    const char* windowClass; // "KwPanelWndClass"
    quint32 miscStatus;
    int toolboxBitmap; // the number of its toolbox picture
    const char* defaultInterface;
    const char* eventInterface;
    const char* classId; // its class identifier, in braces

    // "Solido.KwPanel" and "Solido.KwPanel.3".
    QString progId() const;
    QString versionedProgId() const;
    QUuid uuid() const { return QUuid::fromString(QLatin1String(classId)); }
};

// The type library's name and the classes' version.
inline constexpr const char* kLibraryName = "Solido";
inline constexpr int kClassVersion = 3;

// The six controls, in the order KwFrame, KwPanel, KwOption, KwCheck, KwRibbon, KwCommand.
SOLIDO3D_EXPORT std::span<const KwClassInfo> controlClasses();
SOLIDO3D_EXPORT const KwClassInfo& classInfo(KwFamily family);

// The non-creatable automation classes handed to the drag-and-drop events.
struct KwAutomationClass {
    const char* className;
    const char* interfaceName;
    const char* description;
};
SOLIDO3D_EXPORT std::span<const KwAutomationClass> automationClasses();

// The picture a designer's toolbox shows for the class, drawn with the library's own edges.
SOLIDO3D_EXPORT QIcon toolboxIcon(const KwClassInfo& info);

} // namespace Solido
