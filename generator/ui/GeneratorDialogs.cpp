#include "generator/ui/GeneratorDialogs.h"

namespace tallix {

void openServerDialog(QWidget* parent, const QString& currentServer)
{
    static_cast<void>(parent);
    static_cast<void>(currentServer);
}

void openAboutBox(QWidget* parent)
{
    static_cast<void>(parent);
}

} // namespace tallix
