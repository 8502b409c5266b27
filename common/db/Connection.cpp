#include "common/db/Connection.h"

#include "common/db/DbErrors.h"
#include "common/db/SqlServerProvider.h"
#include "common/db/SqliteStandIn.h"

namespace tallix {

Connection::Connection() = default;

Connection::Connection(const QString& connectionString)
    : m_connectionString(connectionString)
{}

Connection::Connection(std::unique_ptr<Provider> provider)
    : m_provider(std::move(provider))
    , m_injected(m_provider != nullptr)
{}

Connection::~Connection()
{
    Close();
}

Connection::Kind Connection::kindOf(const ConnectionOptions& options)
{
    return SqliteFolderOf(options.value(QStringLiteral("Data Source"))) ? Kind::SQLite
                                                                        : Kind::SqlServer;
}

void Connection::SetConnectionString(const QString& connectionString)
{
    Close();
    m_connectionString = connectionString;
}

std::unique_ptr<Provider> Connection::makeProvider() const
{
    if (m_connectionString.trimmed().isEmpty())
        throw dberror::failure(QStringLiteral("The connection string is empty."));
    ConnectionOptions options = ConnectionOptions::parse(m_connectionString);
    if (const auto folder = SqliteFolderOf(options.value(QStringLiteral("Data Source"))))
        return MakeSqliteProvider(*folder, options.value(QStringLiteral("Initial Catalog")));
    return std::make_unique<SqlServerProvider>(std::move(options));
}

void Connection::Open()
{
    if (!m_injected) {
        Close();
        m_provider = makeProvider();
    }
    m_provider->open();
}

void Connection::Open(const QString& connectionString)
{
    SetConnectionString(connectionString);
    Open();
}

void Connection::Close()
{
    if (!m_provider)
        return;
    m_provider->close();
    if (!m_injected)
        m_provider.reset();
}

bool Connection::IsOpen() const
{
    return m_provider && m_provider->isOpen();
}

Provider& Connection::openProvider() const
{
    if (!IsOpen())
        throw dberror::objectClosed();
    return *m_provider;
}

Recordset Connection::OpenRecordset(const QString& sql, int maxRecords)
{
    if (maxRecords < 0)
        throw dberror::invalidArgument(QStringLiteral("The row limit is below 0."));
    return Recordset(openProvider().query(sql, maxRecords));
}

void Connection::Stream(const QString& sql, int maxRecords, RowSink& sink)
{
    if (maxRecords < 0)
        throw dberror::invalidArgument(QStringLiteral("The row limit is below 0."));
    const std::unique_ptr<RowStream> rows = OpenStream(sql);
    QList<FieldInfo> fields;
    for (int i = 0; i < rows->FieldCount(); ++i)
        fields.append({rows->FieldName(i), rows->FieldType(i)});
    sink.begin(fields);
    QList<QVariant> values;
    for (int n = 0; (maxRecords == 0 || n < maxRecords) && rows->next(); ++n) {
        values.clear();
        for (int i = 0; i < rows->FieldCount(); ++i)
            values.append(rows->value(i));
        sink.row(values);
    }
}

Recordset Connection::OpenForwardOnly(const QString& sql)
{
    return Recordset(openProvider().query(sql, 0), Recordset::Cursor::ForwardOnly);
}

std::unique_ptr<RowStream> Connection::OpenStream(const QString& sql)
{
    return openProvider().stream(sql);
}

void Connection::Execute(const QString& sql)
{
    openProvider().execute(sql);
}

Recordset Connection::OpenSchema(SchemaKind kind)
{
    return Recordset(openProvider().schema(kind));
}

QString Connection::dateLiteral(const QDateTime& value) const
{
    if (m_provider)
        return m_provider->dateLiteral(value);
    return makeProvider()->dateLiteral(value);
}

} // namespace tallix
