#include "common/db/SqlServerCatalog.h"

#include <QHash>
#include <QRegularExpression>

namespace tallix::sqlserver {

namespace {

QString objectId(const char* schema, const char* table)
{
    return QStringLiteral("OBJECT_ID(QUOTENAME(%1) + '.' + QUOTENAME(%2))")
        .arg(QLatin1String(schema), QLatin1String(table));
}

bool flagSet(const QVariant& v)
{
    return v.isValid() && !v.isNull() && v.toInt() == 1;
}

} // namespace

QString catalogsQuery()
{
    return QStringLiteral("SELECT name FROM master.dbo.sysdatabases ORDER BY name");
}

QString tablesQuery()
{
    return QStringLiteral(
               "SELECT TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, "
               "CASE WHEN OBJECTPROPERTY(%1, 'IsMSShipped') = 1 THEN 'SYSTEM ' ELSE '' END + "
               "CASE TABLE_TYPE WHEN 'VIEW' THEN 'VIEW' ELSE 'TABLE' END AS TABLE_TYPE "
               "FROM INFORMATION_SCHEMA.TABLES")
        .arg(objectId("TABLE_SCHEMA", "TABLE_NAME"));
}

QString columnsQuery()
{
    const QString id = objectId("c.TABLE_SCHEMA", "c.TABLE_NAME");
    return QStringLiteral("SELECT c.TABLE_CATALOG, c.TABLE_SCHEMA, c.TABLE_NAME, c.COLUMN_NAME, "
                          "c.ORDINAL_POSITION, c.COLUMN_DEFAULT, c.IS_NULLABLE, c.DATA_TYPE, "
                          "c.CHARACTER_MAXIMUM_LENGTH, c.NUMERIC_PRECISION, c.NUMERIC_SCALE, "
                          "COLUMNPROPERTY(%1, c.COLUMN_NAME, 'IsIdentity') AS IS_IDENTITY, "
                          "COLUMNPROPERTY(%1, c.COLUMN_NAME, 'IsComputed') AS IS_COMPUTED "
                          "FROM INFORMATION_SCHEMA.COLUMNS c")
        .arg(id);
}

QString primaryKeysQuery()
{
    return QStringLiteral(
        "SELECT k.TABLE_CATALOG, k.TABLE_SCHEMA, k.TABLE_NAME, k.COLUMN_NAME, "
        "k.ORDINAL_POSITION AS ORDINAL, k.CONSTRAINT_NAME AS PK_NAME "
        "FROM INFORMATION_SCHEMA.TABLE_CONSTRAINTS t "
        "JOIN INFORMATION_SCHEMA.KEY_COLUMN_USAGE k "
        "ON k.CONSTRAINT_CATALOG = t.CONSTRAINT_CATALOG AND k.CONSTRAINT_SCHEMA = "
        "t.CONSTRAINT_SCHEMA "
        "AND k.CONSTRAINT_NAME = t.CONSTRAINT_NAME AND k.TABLE_NAME = t.TABLE_NAME "
        "WHERE t.CONSTRAINT_TYPE = 'PRIMARY KEY'");
}

SqlType typeFromInformationSchema(const QString& dataType, const QVariant& characterMaximumLength,
                                  const QVariant& numericPrecision, const QVariant& numericScale)
{
    SqlType t = SqlType::parse(dataType);
    const QString& n = t.name;
    auto known = [](const QVariant& v) {
        return v.isValid() && !v.isNull();
    };
    const bool sized = n == QLatin1String("char") || n == QLatin1String("varchar") ||
                       n == QLatin1String("nchar") || n == QLatin1String("nvarchar") ||
                       n == QLatin1String("binary") || n == QLatin1String("varbinary");
    if (sized && known(characterMaximumLength)) {
        const int length = characterMaximumLength.toInt();
        if (length < 0)
            t.max = true;
        else
            t.args = {length};
    } else if ((n == QLatin1String("decimal") || n == QLatin1String("numeric")) &&
               known(numericPrecision)) {
        t.args = {numericPrecision.toInt(), known(numericScale) ? numericScale.toInt() : 0};
    } else if (n == QLatin1String("float") && known(numericPrecision)) {
        t.args = {numericPrecision.toInt()};
    }
    return t;
}

ColumnEntry columnEntry(const QList<QVariant>& row)
{
    ColumnEntry c;
    auto at = [&](int i) {
        return i < row.size() ? row[i] : QVariant();
    };
    c.catalog = at(0).toString();
    c.schema = at(1).toString();
    c.table = at(2).toString();
    c.column = at(3).toString();
    c.ordinal = at(4).toInt();
    c.defaultText = at(5).isNull() ? QVariant() : QVariant(at(5).toString());
    c.nullable = at(6).toString().trimmed().compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0;
    c.type = typeFromInformationSchema(at(7).toString(), at(8), at(9), at(10));
    c.identity = flagSet(at(11));
    c.computed = flagSet(at(12));
    return c;
}

int dbTypeFromOdbc(int odbcType)
{
    switch (odbcType) {
    case 1:  // SQL_CHAR
    case 12: // SQL_VARCHAR
    case -1: // SQL_LONGVARCHAR
        return dbtype::STR;
    case -8:  // SQL_WCHAR
    case -9:  // SQL_WVARCHAR
    case -10: // SQL_WLONGVARCHAR
        return dbtype::WSTR;
    case 2: // SQL_NUMERIC
    case 3: // SQL_DECIMAL
        return dbtype::NUMERIC;
    case 4: // SQL_INTEGER
        return dbtype::I4;
    case 5: // SQL_SMALLINT
        return dbtype::I2;
    case -6: // SQL_TINYINT
        return dbtype::UI1;
    case -5: // SQL_BIGINT
        return dbtype::I8;
    case 7: // SQL_REAL
        return dbtype::R4;
    case 6: // SQL_FLOAT
    case 8: // SQL_DOUBLE
        return dbtype::R8;
    case -7: // SQL_BIT
        return dbtype::BOOL;
    case -2: // SQL_BINARY
    case -3: // SQL_VARBINARY
    case -4: // SQL_LONGVARBINARY
        return dbtype::BYTES;
    case 91: // SQL_TYPE_DATE
        return dbtype::DBDATE;
    case 92: // SQL_TYPE_TIME
        return dbtype::DBTIME;
    case 11: // SQL_TIMESTAMP (ODBC 2)
    case 93: // SQL_TYPE_TIMESTAMP
        return dbtype::DBTIMESTAMP;
    case -11: // SQL_GUID
        return dbtype::GUID;
    default:
        return dbtype::VARIANT;
    }
}

QVariant guidValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    QString text = value.toString().trimmed().toUpper();
    if (!text.startsWith(QLatin1Char('{')))
        text = QLatin1Char('{') + text + QLatin1Char('}');
    return QVariant(text);
}

QString cleanMessage(const QString& driverText)
{
    static const QRegularExpression prefix(QStringLiteral(
        "\\[(?:unixODBC|FreeTDS|SQL Server|Microsoft|Driver Manager|ODBC[^\\]]*)\\]"));
    QString text = driverText;
    text.remove(prefix);
    return text.simplified();
}

bool isMissingTable(const QString& message, const QString& nativeCode)
{
    // Not 'column "c" of relation "t" does not exist', which names a missing column.
    static const QRegularExpression relation(
        QStringLiteral("(?<!of )\\brelation \"[^\"]*\" does not exist"),
        QRegularExpression::CaseInsensitiveOption);
    const QString code = nativeCode.trimmed();
    // 33557097 is that engine's number for many failures, so only its words say "no table".
    return code == QLatin1String("208") ||
           message.contains(QLatin1String("Invalid object name"), Qt::CaseInsensitive) ||
           message.contains(relation);
}

QString columnNamesQuery()
{
    return QStringLiteral(
        "SELECT TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME FROM INFORMATION_SCHEMA.COLUMNS");
}

void spellKeyColumns(QList<KeyEntry>& keys, const QList<QStringList>& columns)
{
    QHash<QString, QString> spelling; // schema, table, lower-case name -> name
    const QChar sep(1);
    for (const QStringList& c : columns) {
        if (c.size() >= 3)
            spelling.insert(c[0].toLower() + sep + c[1].toLower() + sep + c[2].toLower(), c[2]);
    }
    for (KeyEntry& key : keys) {
        const auto found = spelling.constFind(key.schema.toLower() + sep + key.table.toLower() +
                                              sep + key.column.toLower());
        if (found != spelling.constEnd())
            key.column = found.value();
    }
}

} // namespace tallix::sqlserver
