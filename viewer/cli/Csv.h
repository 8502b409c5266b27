#pragma once

#include "common/db/Recordset.h"

#include <QString>
#include <QStringList>

namespace tallix::cli {

// One CSV field as RFC 4180 writes it: in double quotes, with its quotes doubled, when it holds
// a comma, a double quote, a carriage return or a line feed; as it is otherwise.
QString csvField(const QString& value);

// One record: the fields joined by commas, ended by CR LF.
QString csvRecord(const QStringList& fields);

// A header record of the field names, then one record per row; NULL is an empty field.
QString csvTable(Recordset rows);

} // namespace tallix::cli
