#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// What a column's type means for the audit row: its SQL Server type name read from the schema,
// how the triggers turn its values into text, and how the viewer writes them back.
namespace tallix::audit {

// The SQL Server type name of a column from the five schema values that decide it, each as text:
// the OLE DB type number, the numeric precision, the column flags, the maximum character length
// and the date-time precision. The bare name ("varchar", "decimal"); castTypeName adds the sizes.
// An empty text (NULL) reads as 0, except that only a date-time precision given as 0 makes a
// smalldatetime. Empty for a type number it does not know.
QString columnTypeName(const QString& dataType, const QString& numericPrecision,
                       const QString& columnFlags, const QString& characterMaximumLength,
                       const QString& datetimePrecision);

// The type a value is cast to so that the cast neither cuts nor rounds it: char, varchar, nchar
// and nvarchar with their length, decimal and numeric with precision and scale (each only when
// its length or precision is known, above 0); every other name as it is.
QString castTypeName(const QString& typeName, const QString& characterMaximumLength,
                     const QString& numericPrecision, const QString& numericScale);

// image, text, ntext, binary and varbinary: the triggers record no value of these columns and the
// viewer reads none as a current value.
bool isLargeObjectType(QStringView typeName);

// nchar, nvarchar and ntext, with or without a size: their values are written as N'...'.
bool isUnicodeType(QStringView typeName);

// How the triggers turn a column's value into text, chosen by its bare type name.
enum class TypeClass {
    Guid,             // uniqueidentifier
    Character,        // char, varchar
    UnicodeCharacter, // nchar, nvarchar
    DateTime,         // datetime
    RowVersion,       // timestamp
    Money,            // money, smallmoney
    Float,            // float, real
    Decimal,          // decimal, numeric
    Default,          // every other type name, including an empty one
};

// Exact, case-sensitive comparison of the whole type name; "VarChar" is Default.
TypeClass typeClassOf(QStringView typeName);

// Whether a value of the class may hold an apostrophe, which the data text writes as "&apos;":
// guid and character values do, the other conversions never give one.
bool escapesApostrophes(TypeClass typeClass);

// A value as the data text records it: the "NULL" text for a NULL, otherwise the converted text
// with its apostrophes written as "&apos;" where the class escapes them.
QString recordedValue(const std::optional<QString>& converted, TypeClass typeClass);

} // namespace tallix::audit
