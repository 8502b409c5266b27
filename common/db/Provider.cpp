#include "common/db/Provider.h"

#include <QSqlDatabase>

namespace tallix {

void Provider::stream(const QString& sql, int maxRecords, RowSink& sink)
{
    const std::shared_ptr<RowSet> rows = query(sql, maxRecords);
    QList<FieldInfo> fields;
    for (int f = 0; f < rows->fieldCount(); ++f)
        fields.append(rows->field(f));
    sink.begin(fields);
    QList<QVariant> values;
    for (int r = 0; r < rows->rowCount(); ++r) {
        values.clear();
        for (int f = 0; f < rows->fieldCount(); ++f)
            values.append(rows->value(r, f));
        sink.row(values);
    }
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
