#include "common/db/sqlite/SqliteProvider.h"

#include "common/db/DbErrors.h"
#include "common/db/SqliteStandIn.h"
#include "common/db/sqlite/SqliteFunctions.h"
#include "common/db/sqlite/TsqlRewriter.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <deque>
#include <sqlite3.h>
#include <utility>
#include <vector>

namespace tallix {

namespace {

QAtomicInt g_connections;

// Finalizes a statement however the scope is left.
struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

QVariant columnValue(sqlite3_stmt* stmt, int i, int type)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: {
        const qint64 n = sqlite3_column_int64(stmt, i);
        if (type == dbtype::BOOL)
            return QVariant(n != 0);
        return QVariant(n);
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                              sqlite3_column_bytes(stmt, i)));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(stmt, i);
        return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt, i)));
    }
    default:
        return QVariant();
    }
}

// The type of a result column: from its declaration when it comes straight from a table column,
// otherwise from the values it holds.
int columnType(const char* declared)
{
    if (!declared)
        return 0;
    return ColumnTypeInfo::of(SqlType::parse(QString::fromUtf8(declared))).dataType;
}

int typeFromValues(const RowSet& rows, int field)
{
    for (int r = 0; r < rows.rowCount(); ++r) {
        const QVariant& v = rows.value(r, field);
        switch (v.typeId()) {
        case QMetaType::LongLong: {
            const qint64 n = v.toLongLong();
            return n >= INT32_MIN && n <= INT32_MAX ? dbtype::I4 : dbtype::I8;
        }
        case QMetaType::Double:
            return dbtype::R8;
        case QMetaType::QByteArray:
            return dbtype::BYTES;
        case QMetaType::QString:
            return dbtype::STR;
        default:
            break;
        }
    }
    return dbtype::STR;
}

// Shares one QString among the equal texts of a result column, so a large result whose columns
// repeat names (tables, users, workstations, transaction types, the keys of often changed rows)
// holds each text once. A column with more distinct texts than that (ids, times) is no longer
// looked up once it has shown them.
class TextInterner {
public:
    QVariant text(const char* bytes, int size)
    {
        const QByteArrayView raw(bytes, size);
        if (!m_active)
            return QVariant(QString::fromUtf8(raw));
        const auto found = m_texts.constFind(raw);
        if (found != m_texts.constEnd())
            return QVariant(found.value());
        const QString value = QString::fromUtf8(raw);
        m_keys.emplace_back(raw.toByteArray());
        m_texts.insert(QByteArrayView(m_keys.back()), value);
        const qsizetype distinct = m_texts.size();
        if (distinct > kMaxDistinct) {
            m_active = false;
            m_texts.clear();
            m_keys.clear();
        }
        return QVariant(value);
    }

private:
    static constexpr qsizetype kMaxDistinct = 1 << 16;
    std::deque<QByteArray> m_keys; // owns the bytes the hash's views point into
    QHash<QByteArrayView, QString> m_texts;
    bool m_active = true;
};

bool isMissingTable(const QString& message)
{
    return message.startsWith(QLatin1String("no such table"), Qt::CaseInsensitive);
}

} // namespace

// A statement stepped one row per next(). Ended (finalized) at its last row, on an error, when
// it goes, or when its connection closes first.
class SqliteRowStream : public RowStream {
public:
    SqliteRowStream(SqliteProvider& provider, sqlite3_stmt* statement, QList<FieldInfo> fields)
        : RowStream(std::move(fields))
        , m_provider(&provider)
        , m_statement(statement)
    {
        for (int i = 0; i < FieldCount(); ++i)
            m_types << columnType(sqlite3_column_decltype(m_statement, i));
        m_provider->m_streams.append(this);
    }

    ~SqliteRowStream() override
    {
        finalize();
        if (m_provider)
            m_provider->m_streams.removeOne(this);
    }

    bool next() override
    {
        setAtRow(false);
        if (!m_statement) {
            if (!m_provider)
                throw dberror::objectClosed();
            return false;
        }
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_DONE) {
            finalize();
            return false;
        }
        if (rc != SQLITE_ROW) {
            const Error error = m_provider->errorFromSqlite(QString());
            finalize();
            throw error;
        }
        QList<QVariant>& values = row();
        values.clear();
        for (int i = 0; i < m_types.size(); ++i)
            values.append(columnValue(m_statement, i, m_types[i]));
        setAtRow(true);
        return true;
    }

    // The connection closes: the statement goes first, and the stream ends.
    void detach()
    {
        finalize();
        m_provider = nullptr;
    }

private:
    void finalize()
    {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }

    SqliteProvider* m_provider;
    sqlite3_stmt* m_statement;
    QList<int> m_types;
};

SqliteProvider::SqliteProvider(QString folder, QString catalog)
    : m_folder(std::move(folder))
    , m_catalog(std::move(catalog))
{}

SqliteProvider::~SqliteProvider()
{
    close();
}

QStringList SqliteProvider::catalogNames(const QString& folder)
{
    QStringList names;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.db")}, QDir::Files | QDir::Readable,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files)
        names << file.chopped(3);
    return names;
}

void SqliteProvider::open()
{
    close();
    // A mistyped folder would otherwise open the empty master and list no database at all.
    if (!QFileInfo(m_folder).isDir())
        throw dberror::failure(QStringLiteral("The server folder \"%1\" does not exist.")
                                   .arg(QDir::toNativeSeparators(m_folder)));
    const QStringList catalogs = catalogNames(m_folder);
    QString file;
    QString chosen;
    for (const QString& name : catalogs) {
        if (name == m_catalog)
            chosen = name;
    }
    if (chosen.isEmpty()) {
        for (const QString& name : catalogs) {
            if (chosen.isEmpty() && name.compare(m_catalog, Qt::CaseInsensitive) == 0)
                chosen = name;
        }
    }
    if (!chosen.isEmpty()) {
        file = QDir(m_folder).filePath(chosen + QStringLiteral(".db"));
    } else if (m_catalog.isEmpty() ||
               m_catalog.compare(QLatin1String("master"), Qt::CaseInsensitive) == 0) {
        file = QStringLiteral(":memory:");
    } else {
        throw dberror::failure(
            QStringLiteral("Cannot open database \"%1\" requested by the login. The login failed.")
                .arg(m_catalog));
    }

    // The address keeps the name unique in the process when a plugin carries its own copy of
    // this layer, and with it its own counter.
    m_connectionName = QStringLiteral("tallix-sqlite-%1-%2")
                           .arg(g_connections.fetchAndAddRelaxed(1))
                           .arg(reinterpret_cast<quintptr>(this), 0, 16);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const QString why = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            m_connectionName.clear();
            throw dberror::failure(
                QStringLiteral("Cannot open database \"%1\": %2").arg(m_catalog, why));
        }
        // Qt's driver hands out the sqlite3 connection it opened; the T-SQL functions are
        // registered on that very connection.
        const QVariant handle = db.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_db = *static_cast<sqlite3* const*>(handle.constData());
    }
    if (!m_db || !registerTsqlFunctions(m_db)) {
        m_db = nullptr;
        close();
        throw dberror::failure(QStringLiteral("The SQLite driver gives no usable connection."));
    }
    m_openCatalog = chosen;
    execute(QStringLiteral("PRAGMA foreign_keys = ON"));
}

void SqliteProvider::close()
{
    for (SqliteRowStream* stream : std::as_const(m_streams))
        stream->detach();
    m_streams.clear();
    m_db = nullptr;
    releaseQtConnection(m_connectionName);
}

Error SqliteProvider::errorFromSqlite(const QString& context) const
{
    const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : context;
    if (isMissingTable(message))
        return dberror::noTable(message);
    return dberror::command(message);
}

sqlite3_stmt* SqliteProvider::prepareNext(const char*& tail, const char* end)
{
    while (tail < end) {
        sqlite3_stmt* handle = nullptr;
        const char* rest = nullptr;
        if (sqlite3_prepare_v2(m_db, tail, static_cast<int>(end - tail), &handle, &rest) !=
            SQLITE_OK)
            throw errorFromSqlite(QString());
        tail = rest;
        if (handle)
            return handle;
        // blanks or comments only
    }
    return nullptr;
}

std::shared_ptr<RowSet> SqliteProvider::run(const QString& sql, int maxRecords, bool wantRows)
{
    if (!m_db)
        throw dberror::objectClosed();
    const QByteArray text = TsqlRewriter::rewrite(sql).toUtf8();
    const char* tail = text.constData();
    const char* const end = text.constData() + text.size();
    std::shared_ptr<RowSet> result;
    while (sqlite3_stmt* const next = prepareNext(tail, end)) {
        Statement stmt{next};
        const int columns = sqlite3_column_count(stmt.handle);
        const bool collect = wantRows && !result && columns > 0;
        QList<int> types;
        std::vector<TextInterner> texts(collect ? static_cast<std::size_t>(columns) : 0);
        if (collect) {
            QList<FieldInfo> fields;
            for (int i = 0; i < columns; ++i) {
                const int type = columnType(sqlite3_column_decltype(stmt.handle, i));
                types << type;
                fields.append({QString::fromUtf8(sqlite3_column_name(stmt.handle, i)), type});
            }
            result = std::make_shared<RowSet>(fields);
        }
        for (;;) {
            const int rc = sqlite3_step(stmt.handle);
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_ROW)
                throw errorFromSqlite(QString());
            if (!collect)
                continue;
            if (maxRecords > 0 && result->rowCount() >= maxRecords)
                break;
            QList<QVariant> values;
            values.reserve(columns);
            for (int i = 0; i < columns; ++i) {
                if (sqlite3_column_type(stmt.handle, i) == SQLITE_TEXT)
                    values.append(texts[static_cast<std::size_t>(i)].text(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt.handle, i)),
                        sqlite3_column_bytes(stmt.handle, i)));
                else
                    values.append(columnValue(stmt.handle, i, types[i]));
            }
            result->appendRow(std::move(values));
        }
        if (collect) {
            // Expression columns have no declared type; their values tell it.
            for (int i = 0; i < columns; ++i) {
                if (result->field(i).type == 0)
                    result->setFieldType(i, typeFromValues(*result, i));
            }
        }
    }
    if (wantRows && !result)
        result = std::make_shared<RowSet>(QList<FieldInfo>{});
    return result;
}

std::shared_ptr<RowSet> SqliteProvider::query(const QString& sql, int maxRecords)
{
    return run(sql, maxRecords, true);
}

std::unique_ptr<RowStream> SqliteProvider::stream(const QString& sql)
{
    if (!m_db)
        throw dberror::objectClosed();
    const QByteArray text = TsqlRewriter::rewrite(sql).toUtf8();
    const char* tail = text.constData();
    const char* const end = text.constData() + text.size();
    while (sqlite3_stmt* const next = prepareNext(tail, end)) {
        Statement stmt{next};
        const int columns = sqlite3_column_count(stmt.handle);
        if (columns == 0) {
            int rc = SQLITE_ROW;
            while (rc == SQLITE_ROW)
                rc = sqlite3_step(stmt.handle);
            if (rc != SQLITE_DONE)
                throw errorFromSqlite(QString());
            continue;
        }
        QList<FieldInfo> fields;
        for (int i = 0; i < columns; ++i)
            fields.append({QString::fromUtf8(sqlite3_column_name(stmt.handle, i)),
                           columnType(sqlite3_column_decltype(stmt.handle, i))});
        sqlite3_stmt* handle = std::exchange(stmt.handle, nullptr);
        return std::make_unique<SqliteRowStream>(*this, handle, std::move(fields));
    }
    return std::make_unique<RowSetStream>(std::make_shared<RowSet>(QList<FieldInfo>{}));
}

void SqliteProvider::execute(const QString& sql)
{
    run(sql, 0, false);
}

std::shared_ptr<RowSet> SqliteProvider::schema(SchemaKind kind)
{
    if (!m_db)
        throw dberror::objectClosed();
    switch (kind) {
    case SchemaKind::Catalogs:
        return schema::catalogs(catalogNames(m_folder));
    case SchemaKind::Tables:
        return tables();
    case SchemaKind::Columns:
        return columns(false);
    case SchemaKind::PrimaryKeys:
        return columns(true);
    }
    return schema::catalogs({});
}

std::shared_ptr<RowSet> SqliteProvider::tables()
{
    const std::shared_ptr<RowSet> rows =
        run(QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view')"),
            0, true);
    QList<TableEntry> entries;
    for (int r = 0; r < rows->rowCount(); ++r) {
        const QString name = rows->value(r, 0).toString();
        const bool view = rows->value(r, 1).toString() == QLatin1String("view");
        QString type = view ? QStringLiteral("VIEW") : QStringLiteral("TABLE");
        if (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            type.prepend(QStringLiteral("SYSTEM "));
        entries.append({m_openCatalog, QString(), name, type});
    }
    return schema::tables(entries);
}

std::shared_ptr<RowSet> SqliteProvider::columns(bool keysOnly)
{
    const std::shared_ptr<RowSet> objects =
        run(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                           "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"),
            0, true);
    QList<ColumnEntry> columns;
    QList<KeyEntry> keys;
    for (int r = 0; r < objects->rowCount(); ++r) {
        const QString table = objects->value(r, 0).toString();
        const QByteArray tableUtf8 = table.toUtf8();
        Statement stmt;
        const char* sql = "SELECT name, type, \"notnull\", dflt_value, pk, hidden "
                          "FROM pragma_table_xinfo(?1)";
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt.handle, nullptr) != SQLITE_OK)
            throw errorFromSqlite(QString());
        sqlite3_bind_text(stmt.handle, 1, tableUtf8.constData(), static_cast<int>(tableUtf8.size()),
                          SQLITE_TRANSIENT);
        QList<ColumnEntry> tableColumns;
        int keyColumns = 0;
        int ordinal = 0;
        bool broken = false;
        for (;;) {
            const int rc = sqlite3_step(stmt.handle);
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_ROW) {
                broken = true; // a view over a table that is gone: it has no columns to show
                break;
            }
            const int hidden = sqlite3_column_int(stmt.handle, 5);
            if (hidden == 1)
                continue;
            ColumnEntry c;
            c.catalog = m_openCatalog;
            c.table = table;
            c.column = columnValue(stmt.handle, 0, 0).toString();
            c.ordinal = ++ordinal;
            const QString declared = columnValue(stmt.handle, 1, 0).toString();
            c.type = SqlType::parse(declared);
            c.defaultText = columnValue(stmt.handle, 3, 0);
            const int pk = sqlite3_column_int(stmt.handle, 4);
            c.nullable = sqlite3_column_int(stmt.handle, 2) == 0 && pk == 0;
            c.computed = hidden == 2 || hidden == 3;
            c.identity = c.type.identity;
            if (pk > 0) {
                ++keyColumns;
                keys.append({m_openCatalog, QString(), table, c.column, pk, QVariant()});
                if (declared.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0) {
                    int autoinc = 0;
                    const QByteArray col = c.column.toUtf8();
                    if (sqlite3_table_column_metadata(m_db, nullptr, tableUtf8.constData(),
                                                      col.constData(), nullptr, nullptr, nullptr,
                                                      nullptr, &autoinc) == SQLITE_OK &&
                        autoinc)
                        c.identity = true;
                }
            }
            tableColumns.append(c);
        }
        if (!broken)
            columns.append(tableColumns);
    }
    return keysOnly ? schema::primaryKeys(keys) : schema::columns(columns);
}

QString SqliteProvider::dateLiteral(const QDateTime& value) const
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

std::unique_ptr<Provider> MakeSqliteProvider(const QString& folder, const QString& catalog)
{
    return std::make_unique<SqliteProvider>(folder, catalog);
}

} // namespace tallix
