#include "controls/KwFactory.h"

#include "controls/KwCheck.h"
#include "controls/KwCommand.h"
#include "controls/KwFrame.h"
#include "controls/KwOption.h"
#include "controls/KwPanel.h"
#include "controls/KwRibbon.h"

namespace Solido {

const KwClassInfo* KwFactory::find(const QString& progIdOrClassId)
{
    const QString name = progIdOrClassId.trimmed();
    const QUuid uuid = QUuid::fromString(name);
    for (const KwClassInfo& info : controlClasses()) {
        if (name.compare(info.progId(), Qt::CaseInsensitive) == 0 ||
            name.compare(info.versionedProgId(), Qt::CaseInsensitive) == 0)
            return &info;
        if (!uuid.isNull() && uuid == info.uuid())
            return &info;
    }
    return nullptr;
}

QWidget* KwFactory::create(const QString& progIdOrClassId, QWidget* parent)
{
    const KwClassInfo* info = find(progIdOrClassId);
    return info ? create(*info, parent) : nullptr;
}

QWidget* KwFactory::create(const KwClassInfo& info, QWidget* parent)
{
    switch (info.family) {
    case KwFamily::Frame:
        return new KwFrame(parent);
    case KwFamily::Panel:
        return new KwPanel(parent);
    case KwFamily::Option:
        return new KwOption(parent);
    case KwFamily::Check:
        return new KwCheck(parent);
    case KwFamily::Ribbon:
        return new KwRibbon(parent);
    case KwFamily::Command:
        break;
    }
    return new KwCommand(parent);
}

KwControl* KwFactory::control(QWidget* widget)
{
    return dynamic_cast<KwControl*>(widget);
}

} // namespace Solido
