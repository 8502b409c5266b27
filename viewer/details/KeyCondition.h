#pragma once

#include <QString>

namespace tallix {

// The WHERE condition that finds an audited row from its key-values text (name=value pairs
// joined by CHAR(1)): per key column its name, "=" and its value in apostrophes, joined by
// " AND ". Apostrophes in values are doubled and names that need it are bracketed, so a key value
// can never change what the statement does.
QString KeyCondition(const QString& keyValues);

// The name of the first key column: the text before the first "=".
QString FirstKeyColumn(const QString& keyValues);

} // namespace tallix
