#pragma once

#include <QString>

namespace tallix {

// The WHERE condition that finds an audited row from its key-values text (name=value pairs
// joined by CHAR(1)): per key column its name, "=" and its value in apostrophes, joined by
// " AND ". Values are literals and names bracketed where they need it (SqlQuoting), so a key value
// can never change what the statement does. Lenient, for the current-row query: a piece without
// "=" is a bare literal. Restore statements read the key strictly (audit::readKeyValues).
QString KeyCondition(const QString& keyValues);

// The name of the first key column: the text before the first "=".
QString FirstKeyColumn(const QString& keyValues);

} // namespace tallix
