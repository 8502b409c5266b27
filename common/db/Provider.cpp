#include "common/db/Provider.h"

#include <QSqlDatabase>

namespace tallix {

std::unique_ptr<RowStream> Provider::stream(const QString& sql)
{
    return std::make_unique<RowSetStream>(query(sql, 0));
}

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
