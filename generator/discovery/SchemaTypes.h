#pragma once

#include <QString>
#include <QVariant>

namespace tallix {

// The SQL Server type name of a column from the five schema values that decide it, each given as
// text (an empty value as "0"): the OLE DB type number, the numeric precision, the column flags,
// the maximum character length and the date-time precision. Empty for a type number it does not
// know.
QString GetDatatype(const QString& dataType, const QString& numericPrecision,
                    const QString& columnFlags, const QString& characterMaximumLength,
                    const QString& datetimePrecision);

// A NULL gives an empty text, anything else its text form.
QString FixNulls(const QVariant& value);

// A NULL gives the text form of `defaultValue` (empty when none is given), anything else its
// text form.
QString NzString(const QVariant& value, const QVariant& defaultValue = QVariant());

// "image", "text", "ntext", "binary" and "varbinary": columns whose values are never recorded.
bool isLargeObjectType(const QString& typeName);

} // namespace tallix
