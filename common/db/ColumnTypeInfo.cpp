#include "common/db/ColumnTypeInfo.h"

#include <QHash>
#include <QRegularExpression>

namespace tallix {

namespace {

constexpr int kLongLength = 2147483647;
constexpr int kLongNLength = 1073741823;

QString canonicalName(const QString& name)
{
    static const QHash<QString, QString> synonyms = {
        {QStringLiteral("integer"), QStringLiteral("int")},
        {QStringLiteral("dec"), QStringLiteral("decimal")},
        {QStringLiteral("double precision"), QStringLiteral("float")},
        {QStringLiteral("character"), QStringLiteral("char")},
        {QStringLiteral("character varying"), QStringLiteral("varchar")},
        {QStringLiteral("char varying"), QStringLiteral("varchar")},
        {QStringLiteral("national character"), QStringLiteral("nchar")},
        {QStringLiteral("national char"), QStringLiteral("nchar")},
        {QStringLiteral("national character varying"), QStringLiteral("nvarchar")},
        {QStringLiteral("national char varying"), QStringLiteral("nvarchar")},
        {QStringLiteral("nchar varying"), QStringLiteral("nvarchar")},
        {QStringLiteral("national text"), QStringLiteral("ntext")},
        {QStringLiteral("binary varying"), QStringLiteral("varbinary")},
        {QStringLiteral("rowversion"), QStringLiteral("timestamp")},
    };
    return synonyms.value(name, name);
}

int argOr(const SqlType& t, int index, int fallback)
{
    return index < t.args.size() ? t.args[index] : fallback;
}

} // namespace

SqlType SqlType::parse(const QString& declared)
{
    SqlType t;
    QString text = declared.toLower();
    // IDENTITY with its optional (seed, increment) is a property of the column, not of the type.
    static const QRegularExpression identity(QStringLiteral("\\bidentity\\b\\s*(\\([^)]*\\))?"));
    if (text.contains(identity)) {
        t.identity = true;
        text.remove(identity);
    }
    const qsizetype open = text.indexOf(QLatin1Char('('));
    t.name = canonicalName((open < 0 ? text : text.left(open)).simplified());
    if (open >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char(')'), open);
        const QString inside = text.mid(open + 1, close < 0 ? -1 : close - open - 1);
        for (const QString& piece : inside.split(QLatin1Char(','))) {
            const QString p = piece.trimmed();
            bool ok = false;
            const int n = p.toInt(&ok);
            if (p == QLatin1String("max") ||
                (ok && n == -1)) { // -1: (max) as the catalogue writes it
                t.max = true;
            } else if (ok && n >= 0) {
                t.args.append(n);
            } else {
                t.args.clear(); // a length that is not a number says nothing
                t.max = false;
                break;
            }
        }
    }
    return t;
}

ColumnTypeInfo ColumnTypeInfo::of(const SqlType& t)
{
    using namespace dbtype;
    ColumnTypeInfo info;
    const QString& n = t.name;
    auto fixed = [&](int type) {
        info.dataType = type;
        info.flags = columnflag::IsFixedLength;
    };
    auto exactNumber = [&](int type, int precision) {
        fixed(type);
        info.numericPrecision = precision;
    };
    auto characters = [&](int type, bool isFixed, int longLength, int bytesPerChar) {
        info.dataType = type;
        if (t.max) {
            info.flags = columnflag::IsLong;
            info.characterMaximumLength = longLength;
            info.characterOctetLength = type == WSTR ? 2 * longLength : longLength;
            return;
        }
        info.flags = isFixed ? columnflag::IsFixedLength : 0;
        const int length = argOr(t, 0, 1);
        info.characterMaximumLength = length;
        info.characterOctetLength = length * bytesPerChar;
    };
    auto longData = [&](int type, int length, int octets) {
        info.dataType = type;
        info.flags = columnflag::IsLong;
        info.characterMaximumLength = length;
        info.characterOctetLength = octets;
    };

    if (n == QLatin1String("bit")) {
        fixed(BOOL);
    } else if (n == QLatin1String("tinyint")) {
        exactNumber(UI1, 3);
    } else if (n == QLatin1String("smallint")) {
        exactNumber(I2, 5);
    } else if (n == QLatin1String("int")) {
        exactNumber(I4, 10);
    } else if (n == QLatin1String("bigint")) {
        exactNumber(I8, 19);
    } else if (n == QLatin1String("decimal") || n == QLatin1String("numeric")) {
        exactNumber(NUMERIC, argOr(t, 0, 18));
        info.numericScale = argOr(t, 1, 0);
    } else if (n == QLatin1String("money")) {
        exactNumber(CY, 19);
    } else if (n == QLatin1String("smallmoney")) {
        exactNumber(CY, 10);
    } else if (n == QLatin1String("real") || (n == QLatin1String("float") && !t.args.isEmpty() &&
                                              t.args[0] >= 1 && t.args[0] <= 24)) {
        exactNumber(R4, 7);
    } else if (n == QLatin1String("float")) {
        exactNumber(R8, 15);
    } else if (n == QLatin1String("datetime")) {
        fixed(DBTIMESTAMP);
        info.datetimePrecision = 3;
    } else if (n == QLatin1String("smalldatetime")) {
        fixed(DBTIMESTAMP);
        info.datetimePrecision = 0;
    } else if (n == QLatin1String("char")) {
        characters(STR, true, kLongLength, 1);
    } else if (n == QLatin1String("varchar")) {
        characters(STR, false, kLongLength, 1);
    } else if (n == QLatin1String("text")) {
        longData(STR, kLongLength, kLongLength);
    } else if (n == QLatin1String("nchar")) {
        characters(WSTR, true, kLongNLength, 2);
    } else if (n == QLatin1String("nvarchar")) {
        characters(WSTR, false, kLongNLength, 2);
    } else if (n == QLatin1String("ntext")) {
        longData(WSTR, kLongNLength, 2 * kLongNLength);
    } else if (n == QLatin1String("binary")) {
        characters(BYTES, true, kLongLength, 1);
    } else if (n == QLatin1String("varbinary")) {
        characters(BYTES, false, kLongLength, 1);
    } else if (n == QLatin1String("image")) {
        longData(BYTES, kLongLength, kLongLength);
    } else if (n == QLatin1String("timestamp")) {
        info.dataType = BYTES;
        info.flags = columnflag::IsFixedLength | columnflag::IsRowVersion;
        info.characterMaximumLength = 8;
        info.characterOctetLength = 8;
        info.writable = false;
    } else if (n == QLatin1String("uniqueidentifier")) {
        fixed(GUID);
    }
    return info;
}

int ColumnTypeInfo::columnFlags(bool nullable, bool identity, bool computed) const
{
    int f = flags;
    if (nullable)
        f |= columnflag::IsNullable | columnflag::MaybeNull;
    if (writable && !identity && !computed)
        f |= columnflag::WriteUnknown;
    return f;
}

} // namespace tallix
