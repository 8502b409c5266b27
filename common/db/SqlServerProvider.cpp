#include "common/db/SqlServerProvider.h"

#include "common/db/DbErrors.h"
#include "common/db/OdbcConnectionString.h"
#include "common/db/SqlServerCatalog.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tallix {

namespace {

QAtomicInt g_connections;

QString driverText(const QSqlError& error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return sqlserver::cleanMessage(text);
}

bool failed(const QSqlError& error)
{
    return error.type() != QSqlError::NoError;
}

} // namespace

SqlServerProvider::SqlServerProvider(ConnectionOptions options)
    : m_options(std::move(options))
{}

SqlServerProvider::~SqlServerProvider()
{
    close();
}

QString SqlServerProvider::isoDateLiteral(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QString SqlServerProvider::dateLiteral(const QDateTime& value) const
{
    return isoDateLiteral(value);
}

void SqlServerProvider::open()
{
    close();
    // The address keeps the name unique in the process when a plugin carries its own copy of
    // this layer, and with it its own counter.
    const QString name = QStringLiteral("tallix-mssql-%1-%2")
                             .arg(g_connections.fetchAndAddRelaxed(1))
                             .arg(reinterpret_cast<quintptr>(this), 0, 16);
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        if (!db.isValid()) {
            why = QStringLiteral("The ODBC driver of Qt is not installed.");
        } else {
            db.setDatabaseName(
                OdbcConnectionString::translate(m_options, OdbcConnectionString::driver()));
            db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15"));
            if (db.open()) {
                m_connectionName = name;
                return;
            }
            why = driverText(db.lastError());
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (why.isEmpty())
        why = QStringLiteral("The server could not be reached.");
    throw dberror::failure(m_options.scrub(why));
}

void SqlServerProvider::close()
{
    releaseQtConnection(m_connectionName);
}

Error SqlServerProvider::statementError(const QSqlError& error) const
{
    const QString message = m_options.scrub(driverText(error));
    if (sqlserver::isMissingTable(message, error.nativeErrorCode()))
        return dberror::noTable(message);
    return dberror::command(message);
}

std::shared_ptr<RowSet> SqlServerProvider::query(const QString& sql, int maxRecords)
{
    class Builder : public RowSink {
    public:
        void begin(const QList<FieldInfo>& fields) override
        {
            rows = std::make_shared<RowSet>(fields);
        }
        void row(const QList<QVariant>& values) override { rows->appendRow(values); }
        std::shared_ptr<RowSet> rows;
    } builder;
    stream(sql, maxRecords, builder);
    return builder.rows ? builder.rows : std::make_shared<RowSet>(QList<FieldInfo>{});
}

void SqlServerProvider::stream(const QString& sql, int maxRecords, RowSink& sink)
{
    if (!isOpen())
        throw dberror::objectClosed();
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw statementError(q.lastError());
    while (!q.isSelect()) {
        if (!q.nextResult()) {
            if (failed(q.lastError()))
                throw statementError(q.lastError());
            return;
        }
    }
    const QSqlRecord record = q.record();
    QList<FieldInfo> fields;
    for (int i = 0; i < record.count(); ++i)
        fields.append({record.fieldName(i), sqlserver::dbTypeFromOdbc(record.field(i).typeID())});
    sink.begin(fields);
    int rows = 0;
    QList<QVariant> values;
    while ((maxRecords <= 0 || rows < maxRecords) && q.next()) {
        values.clear();
        values.reserve(record.count());
        for (int i = 0; i < record.count(); ++i) {
            if (q.isNull(i)) {
                values.append(QVariant());
                continue;
            }
            const QVariant v = q.value(i);
            switch (fields[i].type) {
            case dbtype::GUID:
                values.append(sqlserver::guidValue(v));
                break;
            case dbtype::BOOL:
                values.append(QVariant(v.toInt() != 0));
                break;
            default:
                values.append(v);
            }
        }
        sink.row(values);
        ++rows;
    }
    if (failed(q.lastError()))
        throw statementError(q.lastError());
}

void SqlServerProvider::execute(const QString& sql)
{
    if (!isOpen())
        throw dberror::objectClosed();
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw statementError(q.lastError());
    // The statements after the first report their errors as their results are reached.
    while (q.nextResult()) {
    }
    if (failed(q.lastError()))
        throw statementError(q.lastError());
}

std::shared_ptr<RowSet> SqlServerProvider::schema(SchemaKind kind)
{
    switch (kind) {
    case SchemaKind::Catalogs: {
        const auto rows = query(sqlserver::catalogsQuery(), 0);
        QStringList names;
        for (int r = 0; r < rows->rowCount(); ++r)
            names << rows->value(r, 0).toString();
        return schema::catalogs(names);
    }
    case SchemaKind::Tables: {
        const auto rows = query(sqlserver::tablesQuery(), 0);
        QList<TableEntry> entries;
        for (int r = 0; r < rows->rowCount(); ++r) {
            entries.append({rows->value(r, 0).toString(), rows->value(r, 1).toString(),
                            rows->value(r, 2).toString(), rows->value(r, 3).toString()});
        }
        return schema::tables(entries);
    }
    case SchemaKind::Columns: {
        const auto rows = query(sqlserver::columnsQuery(), 0);
        QList<ColumnEntry> entries;
        for (int r = 0; r < rows->rowCount(); ++r) {
            QList<QVariant> row;
            for (int f = 0; f < rows->fieldCount(); ++f)
                row.append(rows->value(r, f));
            entries.append(sqlserver::columnEntry(row));
        }
        return schema::columns(entries);
    }
    case SchemaKind::PrimaryKeys: {
        const auto rows = query(sqlserver::primaryKeysQuery(), 0);
        QList<KeyEntry> entries;
        for (int r = 0; r < rows->rowCount(); ++r) {
            entries.append({rows->value(r, 0).toString(), rows->value(r, 1).toString(),
                            rows->value(r, 2).toString(), rows->value(r, 3).toString(),
                            rows->value(r, 4).toInt(), rows->value(r, 5)});
        }
        const auto names = query(sqlserver::columnNamesQuery(), 0);
        QList<QStringList> columns;
        columns.reserve(names->rowCount());
        for (int r = 0; r < names->rowCount(); ++r) {
            columns.append({names->value(r, 0).toString(), names->value(r, 1).toString(),
                            names->value(r, 2).toString()});
        }
        sqlserver::spellKeyColumns(entries, columns);
        return schema::primaryKeys(entries);
    }
    }
    return schema::catalogs({});
}

} // namespace tallix
