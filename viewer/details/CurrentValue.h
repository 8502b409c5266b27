#pragma once

#include <QString>
#include <QVariant>

namespace tallix {

// A current value as the details show it, by the OLE DB type of its field: NULL as "NULL",
// currency with two decimals, booleans as "1" or "0", GUIDs without braces, date-times (as a
// smalldatetime arrives) as "Jan  5 2001 9:05AM", anything else as its text.
QString CurrentValueText(const QVariant& value, int fieldType);

} // namespace tallix
