#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace tallix {

// CONVERT(type, value[, style]) with SQL Server's rules, for a database that stores date-times as
// text 'yyyy-MM-dd HH:mm:ss.zzz' and GUIDs as text '{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}'.
// Values are SQLite's kinds: NULL (invalid), qint64, double, QString, QByteArray.
//  - character types give text, cut to the length ((n) or, without one, 30 as in SQL Server;
//    char/nchar are padded with blanks); styles 20/120 and 21/121 turn a date-time text into
//    'yyyy-mm-dd hh:mi:ss' and 'yyyy-mm-dd hh:mi:ss.mmm'; other texts pass unchanged.
//  - integer types and bit give whole numbers (fractions cut toward zero), with range checks;
//  - decimal/numeric/money/float/real give numbers rounded to their scale;
//  - datetime/smalldatetime give the stored date-time text (smalldatetime to the minute);
//  - uniqueidentifier gives the stored GUID text; binary types give bytes.
// A value that cannot be converted fails with an Error whose text is the server's kind of message.
class TsqlConversion {
public:
    static QVariant convert(const QString& type, const QVariant& value,
                            std::optional<int> style = std::nullopt);

    // A date-time in one of the text forms SQL Server reads without regard to language:
    // 'yyyy-MM-dd[ T]HH:mm[:ss[.fff]]', 'yyyy-MM-dd', 'yyyyMMdd[ HH:mm[:ss[.fff]]]'.
    static std::optional<QDateTime> parseDateTime(const QString& text);

    static QString storedDateTime(const QDateTime& value); // 'yyyy-MM-dd HH:mm:ss.zzz'
    static QString newGuid();                              // '{...}' in upper case
};

} // namespace tallix
