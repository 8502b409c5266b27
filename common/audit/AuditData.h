#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The audit data text that the triggers write into Tallix.Data:
//   <AUDIT><COLUMN NAME='n' BEFORE='b' AFTER='a'/>...</AUDIT>
// Column names and the values of guid and character columns have each apostrophe written as
// "&apos;"; nothing else is escaped.
namespace tallix::audit {

// The names of the elements, and of a COLUMN's attributes in the order they stand.
inline constexpr QLatin1StringView kAuditElement("AUDIT");
inline constexpr QLatin1StringView kColumnElement("COLUMN");
inline constexpr QLatin1StringView kNameAttribute("NAME");
inline constexpr QLatin1StringView kBeforeAttribute("BEFORE");
inline constexpr QLatin1StringView kAfterAttribute("AFTER");

// What an apostrophe of a name or of a guid or character value is written as. Nothing else is
// escaped, so a recorded text that holds this entity itself reads back as an apostrophe.
inline constexpr QLatin1StringView kApostropheEntity("&apos;");

// What a NULL value is recorded as. A character value that is this very text is recorded alike:
// the data text cannot tell the two apart, and the viewer reads both as NULL.
inline constexpr QLatin1StringView kNullValue("NULL");

// The fixed pieces of a data text, in writing order: dataStart(), then per column columnStart(),
// the recorded name, beforeStart(), the recorded before value, afterStart(), the recorded after
// value and columnEnd(); last dataEnd(). The triggers write them as literals around the value
// expressions; a writer in C++ joins them with columnElement and dataText.
const QString& dataStart();   // <AUDIT>
const QString& columnStart(); // <COLUMN NAME='
const QString& beforeStart(); // ' BEFORE='
const QString& afterStart();  // ' AFTER='
const QString& columnEnd();   // '/>
const QString& dataEnd();     // </AUDIT>

// A name or value as the data text records it: every apostrophe written as "&apos;".
QString recordedText(QStringView text);

// One COLUMN element of texts already in their recorded form (recordedText, recordedValue).
QString columnElement(QStringView name, QStringView before, QStringView after);

// The whole data text of COLUMN elements.
QString dataText(const QStringList& columnElements);

// One recorded column, its texts with "&apos;" turned back into apostrophes.
struct DataColumn {
    QString name;
    QString before;
    QString after;

    bool operator==(const DataColumn&) const = default;
};

// What could be read of a data text.
struct DataReading {
    QList<DataColumn> columns; // every column read whole, in order
    QString error;             // why the text could not be read whole; empty when it was

    bool complete() const { return error.isEmpty(); }
};

// Reads a data text strictly: it must be exactly the triggers' form from its first character
// to its last (blanks and line ends may stand between elements and attributes, and a value may
// be in double quotes), every COLUMN must have the attributes NAME, BEFORE and AFTER in that
// order and nothing else, every name must be non-empty and no column may be named twice (letter
// case ignored, as the server compares names). Anything else, such as a value cut short by an
// apostrophe that was not written as "&apos;", makes the reading incomplete: the error says what
// and where, and `columns` holds what came before it.
DataReading readData(QStringView data);

// A recorded text as it was: every "&apos;" turned back into an apostrophe, left to right, no
// other entity touched.
QString decodeValue(QStringView raw);

} // namespace tallix::audit
