#include "viewer/details/GetDatatype.h"

#include "viewer/details/DetailText.h"
#include "viewer/query/SchemaCache.h"

namespace tallix {

namespace {

// The OLE DB column flag bits the type names depend on.
constexpr int kFixedLength = 16;
constexpr int kLong = 128;
constexpr int kRowVersion = 512;

} // namespace

QString GetDatatype(const QString& dataType, const QString& numericPrecision,
                    const QString& columnFlags, const QString& characterMaximumLength,
                    const QString& datetimePrecision)
{
    const int flags = columnFlags.toInt();
    const int length = characterMaximumLength.toInt();
    const bool fixed = flags & kFixedLength;
    const bool isLong = flags & kLong;
    const auto is = [&](std::initializer_list<const char*> numbers) {
        for (const char* n : numbers) {
            if (dataType == QLatin1String(n))
                return true;
        }
        return false;
    };

    if (is({"2"}))
        return QStringLiteral("smallint");
    if (is({"3"}))
        return QStringLiteral("int");
    if (is({"4"}))
        return QStringLiteral("real");
    if (is({"5"}))
        return QStringLiteral("float");
    if (is({"6"}))
        return numericPrecision == QLatin1String("10") ? QStringLiteral("smallmoney")
                                                       : QStringLiteral("money");
    if (is({"7", "135"}))
        return datetimePrecision == QLatin1String("0") ? QStringLiteral("smalldatetime")
                                                       : QStringLiteral("datetime");
    if (is({"11"}))
        return QStringLiteral("bit");
    if (is({"14", "131"}))
        return QStringLiteral("decimal");
    if (is({"16", "18", "19", "20", "21"}))
        return QStringLiteral("numeric");
    if (is({"17"}))
        return QStringLiteral("tinyint");
    if (is({"72"}))
        return QStringLiteral("uniqueidentifier");
    if (is({"128"})) {
        if (isLong || length > 8000)
            return QStringLiteral("image");
        if (flags & kRowVersion)
            return QStringLiteral("timestamp");
        return fixed ? QStringLiteral("binary") : QStringLiteral("varbinary");
    }
    if (is({"129"})) {
        if (isLong || length > 4000)
            return QStringLiteral("text");
        return (fixed ? QStringLiteral("char(") : QStringLiteral("varchar(")) +
               characterMaximumLength + QLatin1Char(')');
    }
    if (is({"130"})) {
        if (isLong || length > 4000)
            return QStringLiteral("ntext");
        return fixed ? QStringLiteral("nchar") : QStringLiteral("nvarchar");
    }
    return QString();
}

QString GetDatatype(const SchemaCache& cache, int row)
{
    return GetDatatype(NzString(cache.value(row, SchemaCache::DATA_TYPE)),
                       NzString(cache.value(row, SchemaCache::NUMERIC_PRECISION)),
                       NzString(cache.value(row, SchemaCache::COLUMN_FLAGS)),
                       NzString(cache.value(row, SchemaCache::CHARACTER_MAXIMUM_LENGTH)),
                       NzString(cache.value(row, SchemaCache::DATETIME_PRECISION)));
}

} // namespace tallix
