#pragma once

#include <QString>

namespace tallix {

class Connection;
class SchemaCache;
struct DetailsResult;

// The restore text of one audit row as the Restore tab shows it: the warning when the row has
// changed again since, then the statement that undoes the change. A deleted row is inserted with
// every recorded column, so values that equal nothing (an empty text) come back as well.
// `connection` must be open.
QString RestoreText(Connection& connection, const SchemaCache& cache, const DetailsResult& details);

} // namespace tallix
