#include "common/db/DatabaseList.h"

#include "common/db/Connection.h"

namespace tallix {

QStringList ListDatabases(const QString& connectionString)
{
    Connection connection(connectionString);
    connection.Open();
    Recordset catalogs = connection.OpenSchema(SchemaKind::Catalogs);
    connection.Close();
    QStringList names;
    for (catalogs.MoveFirst(); !catalogs.atEnd(); catalogs.MoveNext())
        names << catalogs.Field(0).toString();
    return names;
}

} // namespace tallix
