#include "common/audit/ColumnTypes.h"

#include "common/audit/AuditData.h"
#include "common/audit/SchemaCodes.h"

#include <utility>

namespace tallix::audit {

namespace {

// The numeric value of a schema text; anything that is no number reads as 0.
qlonglong number(const QString& text)
{
    return text.trimmed().toLongLong();
}

bool isOneOf(QStringView name, std::initializer_list<const char*> names)
{
    for (const char* n : names) {
        if (name == QLatin1StringView(n))
            return true;
    }
    return false;
}

// The name without a size: "nvarchar(40)" is "nvarchar".
QStringView bareName(QStringView typeName)
{
    const qsizetype open = typeName.indexOf(u'(');
    return open < 0 ? typeName : typeName.left(open);
}

} // namespace

QString columnTypeName(const QString& dataType, const QString& numericPrecision,
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
        // A precision that is not reported says nothing about the seconds.
        return !datetimePrecision.trimmed().isEmpty() && number(datetimePrecision) == 0
                   ? QStringLiteral("smalldatetime")
                   : QStringLiteral("datetime");
    case dbtype::BOOL:
        return QStringLiteral("bit");
    case dbtype::DECIMAL:
    case dbtype::NUMERIC:
        return QStringLiteral("decimal");
    case dbtype::I1:
    case dbtype::UI2:
    case dbtype::UI4:
    case dbtype::I8:
    case dbtype::UI8:
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

QString castTypeName(const QString& typeName, const QString& characterMaximumLength,
                     const QString& numericPrecision, const QString& numericScale)
{
    if (isOneOf(typeName, {"char", "varchar", "nchar", "nvarchar"}) &&
        number(characterMaximumLength) > 0)
        return typeName + QLatin1Char('(') + QString::number(number(characterMaximumLength)) +
               QLatin1Char(')');
    if (isOneOf(typeName, {"decimal", "numeric"}) && number(numericPrecision) > 0)
        return typeName + QLatin1Char('(') + QString::number(number(numericPrecision)) +
               QLatin1Char(',') + QString::number(number(numericScale)) + QLatin1Char(')');
    return typeName;
}

bool isLargeObjectType(QStringView typeName)
{
    return isOneOf(typeName, {"image", "text", "ntext", "binary", "varbinary"});
}

bool isUnicodeType(QStringView typeName)
{
    return isOneOf(bareName(typeName), {"nchar", "nvarchar", "ntext"});
}

TypeClass typeClassOf(QStringView typeName)
{
    static constexpr std::pair<const char*, TypeClass> classes[] = {
        {"uniqueidentifier", TypeClass::Guid},
        {"char", TypeClass::Character},
        {"varchar", TypeClass::Character},
        {"nchar", TypeClass::UnicodeCharacter},
        {"nvarchar", TypeClass::UnicodeCharacter},
        {"datetime", TypeClass::DateTime},
        {"timestamp", TypeClass::RowVersion},
        {"money", TypeClass::Money},
        {"smallmoney", TypeClass::Money},
        {"float", TypeClass::Float},
        {"real", TypeClass::Float},
        {"decimal", TypeClass::Decimal},
        {"numeric", TypeClass::Decimal},
    };
    for (const auto& [name, typeClass] : classes) {
        if (typeName == QLatin1StringView(name))
            return typeClass;
    }
    return TypeClass::Default;
}

bool escapesApostrophes(TypeClass typeClass)
{
    return typeClass == TypeClass::Guid || typeClass == TypeClass::Character ||
           typeClass == TypeClass::UnicodeCharacter;
}

QString recordedValue(const std::optional<QString>& converted, TypeClass typeClass)
{
    if (!converted)
        return kNullValue;
    return escapesApostrophes(typeClass) ? recordedText(*converted) : *converted;
}

} // namespace tallix::audit
