#include "generator/discovery/SchemaTypes.h"

#include "common/db/ColumnTypeInfo.h"
#include "common/db/Recordset.h"

namespace tallix {

namespace {

// The numeric value of a schema text; anything that is no number reads as 0.
qlonglong number(const QString& text)
{
    return text.trimmed().toLongLong();
}

} // namespace

QString GetDatatype(const QString& dataType, const QString& numericPrecision,
                    const QString& columnFlags, const QString& characterMaximumLength,
                    const QString& datetimePrecision)
{
    const qlonglong flags = number(columnFlags);
    const bool isLong = (flags & columnflag::IsLong) != 0;
    const bool fixed = (flags & columnflag::IsFixedLength) != 0;
    const bool rowVersion = (flags & columnflag::IsRowVersion) != 0;
    const qlonglong length = number(characterMaximumLength);

    switch (number(dataType)) {
    case dbtype::I2:
        return QStringLiteral("smallint");
    case dbtype::I4:
        return QStringLiteral("int");
    case dbtype::R4:
        return QStringLiteral("real");
    case dbtype::R8:
        return QStringLiteral("float");
    case dbtype::CY:
        return number(numericPrecision) == 10 ? QStringLiteral("smallmoney")
                                              : QStringLiteral("money");
    case dbtype::DATE:
    case dbtype::DBTIMESTAMP:
        return number(datetimePrecision) == 0 ? QStringLiteral("smalldatetime")
                                              : QStringLiteral("datetime");
    case dbtype::BOOL:
        return QStringLiteral("bit");
    case 14: // DBTYPE_DECIMAL
    case dbtype::NUMERIC:
        return QStringLiteral("decimal");
    case 16: // DBTYPE_I1
    case dbtype::UI2:
    case dbtype::UI4:
    case dbtype::I8:
    case 21: // DBTYPE_UI8
        return QStringLiteral("numeric");
    case dbtype::UI1:
        return QStringLiteral("tinyint");
    case dbtype::GUID:
        return QStringLiteral("uniqueidentifier");
    case dbtype::BYTES:
        if (isLong || length > 8000)
            return QStringLiteral("image");
        if (rowVersion)
            return QStringLiteral("timestamp");
        return fixed ? QStringLiteral("binary") : QStringLiteral("varbinary");
    case dbtype::STR:
        if (isLong || length > 4000)
            return QStringLiteral("text");
        return fixed ? QStringLiteral("char") : QStringLiteral("varchar");
    case dbtype::WSTR:
        if (isLong || length > 4000)
            return QStringLiteral("ntext");
        return fixed ? QStringLiteral("nchar") : QStringLiteral("nvarchar");
    default:
        return QString();
    }
}

QString FixNulls(const QVariant& value)
{
    return Recordset::isNull(value) ? QString() : value.toString();
}

QString NzString(const QVariant& value, const QVariant& defaultValue)
{
    if (Recordset::isNull(value))
        return Recordset::isNull(defaultValue) ? QString() : defaultValue.toString();
    return value.toString();
}

bool isLargeObjectType(const QString& typeName)
{
    return typeName == QLatin1String("image") || typeName == QLatin1String("text") ||
           typeName == QLatin1String("ntext") || typeName == QLatin1String("binary") ||
           typeName == QLatin1String("varbinary");
}

} // namespace tallix
