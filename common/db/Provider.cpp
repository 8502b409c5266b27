#include "common/db/Provider.h"

#include <QSqlDatabase>

namespace tallix {

void Provider::releaseQtConnection(QString& connectionName)
{
    if (connectionName.isEmpty())
        return;
    {
        // The handle must be gone before the connection is removed.
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    connectionName.clear();
}

} // namespace tallix
