#pragma once

#include "controls/KwClassInfo.h"
#include "controls/Solido3dExport.h"

#include <QString>

class QWidget;

namespace Solido {

class KwControl;

// The library's class object: makes a control by the name a container knows it by.
class SOLIDO3D_EXPORT KwFactory {
public:
    // The class of a ProgID ("Solido.KwPanel", "Solido.KwPanel.3", letter case ignored) or a
    // class identifier (with or without braces); null when the library has no such class.
    static const KwClassInfo* find(const QString& progIdOrClassId);

    // A new control of that class in `parent`; null for an unknown name.
    static QWidget* create(const QString& progIdOrClassId, QWidget* parent = nullptr);
    static QWidget* create(const KwClassInfo& info, QWidget* parent = nullptr);

    // The library's side of a control made here (or any of the six classes); null otherwise.
    static KwControl* control(QWidget* widget);
};

} // namespace Solido
