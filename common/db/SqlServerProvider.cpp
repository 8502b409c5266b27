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

QList<QVariant> rowValues(const QSqlQuery& q, const QList<FieldInfo>& fields)
{
    QList<QVariant> values;
    for (int i = 0; i < fields.size(); ++i) {
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
    return values;
}

QList<FieldInfo> fieldsOf(const QSqlRecord& record)
{
    QList<FieldInfo> fields;
    for (int i = 0; i < record.count(); ++i)
        fields.append({record.fieldName(i), sqlserver::dbTypeFromOdbc(record.field(i).typeID())});
    return fields;
}

} // namespace

// A forward-only query read one row per next(); ended at its last row, on an error, when it
// goes, or when its connection closes first.
class SqlServerRowStream : public RowStream {
public:
    SqlServerRowStream(SqlServerProvider& provider, std::unique_ptr<QSqlQuery> query,
                       QList<FieldInfo> fields)
        : RowStream(fields)
        , m_provider(&provider)
        , m_query(std::move(query))
        , m_fields(std::move(fields))
    {
        m_provider->m_streams.append(this);
    }

    ~SqlServerRowStream() override
    {
        if (m_provider)
            m_provider->m_streams.removeOne(this);
    }

    bool next() override
    {
        setAtRow(false);
        if (!m_query) {
            if (!m_provider)
                throw dberror::objectClosed();
            return false;
        }
        if (!m_query->next()) {
            const QSqlError error = m_query->lastError();
            m_query.reset();
            if (failed(error))
                throw m_provider->statementError(error);
            return false;
        }
        row() = rowValues(*m_query, m_fields);
        setAtRow(true);
        return true;
    }

    void detach()
    {
        m_query.reset();
        m_provider = nullptr;
    }

private:
    SqlServerProvider* m_provider;
    std::unique_ptr<QSqlQuery> m_query;
    QList<FieldInfo> m_fields;
};

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
    for (SqlServerRowStream* stream : std::as_const(m_streams))
        stream->detach();
    m_streams.clear();
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
            return std::make_shared<RowSet>(QList<FieldInfo>{});
        }
    }
    const QList<FieldInfo> fields = fieldsOf(q.record());
    auto rows = std::make_shared<RowSet>(fields);
    while ((maxRecords <= 0 || rows->rowCount() < maxRecords) && q.next()) {
        rows->appendRow(rowValues(q, fields));
    }
    if (failed(q.lastError()))
        throw statementError(q.lastError());
    return rows;
}

std::unique_ptr<RowStream> SqlServerProvider::stream(const QString& sql)
{
    if (!isOpen())
        throw dberror::objectClosed();
    auto q = std::make_unique<QSqlQuery>(QSqlDatabase::database(m_connectionName, false));
    q->setForwardOnly(true);
    if (!q->exec(sql))
        throw statementError(q->lastError());
    while (!q->isSelect()) {
        if (!q->nextResult()) {
            if (failed(q->lastError()))
                throw statementError(q->lastError());
            return std::make_unique<RowSetStream>(std::make_shared<RowSet>(QList<FieldInfo>{}));
        }
    }
    QList<FieldInfo> fields = fieldsOf(q->record());
    return std::make_unique<SqlServerRowStream>(*this, std::move(q), std::move(fields));
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
