#include "common/ui/ServerAdd.h"

#include "common/base/Error.h"
#include "common/base/Messages.h"
#include "common/ui/frmServer.h"

namespace tallix {

void ServerAdd(Servers& servers, const QString& currentServerName, const QString& appTitle,
               QWidget* parent, const std::function<void()>& refreshLists)
{
    try {
        {
            frmServer dialog(servers, appTitle, parent);
            dialog.setCurrentServerName(currentServerName);
            dialog.exec();
        }
        if (refreshLists)
            refreshLists();
    } catch (const Error& e) {
        messages().showMessage(QStringLiteral("Error %1 in Globals.ServerAdd: %2")
                                   .arg(e.number())
                                   .arg(e.description()),
                               appTitle, IMessages::Icon::Warning);
    }
}

} // namespace tallix
