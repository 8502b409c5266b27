#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The audit data text that the triggers write into Tallix.Data:
//   <AUDIT><COLUMN NAME='n' BEFORE='b' AFTER='a'/>...</AUDIT>
// Column names and the values of guid and character columns have each apostrophe written as
// "&apos;"; nothing else is escaped.
namespace tallix::audit {

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
