#include "common/db/SqliteStandIn.h"

#include <QDir>

namespace tallix {

std::optional<QString> SqliteFolderOf(const QString& serverName)
{
    if (serverName.startsWith(kSqlitePrefix, Qt::CaseInsensitive))
        return serverName.mid(kSqlitePrefix.size());
    // No SQL Server name holds a "/"; a backslash is left to named instances (HOST\INSTANCE).
    if (serverName.contains(QLatin1Char('/')) || QDir::isAbsolutePath(serverName))
        return serverName;
    return std::nullopt;
}

} // namespace tallix
