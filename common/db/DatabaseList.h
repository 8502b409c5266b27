#pragma once

#include <QStringList>

namespace tallix {

// The databases of the server that `connectionString` reaches, in the order of its catalogs
// schema rowset, over a connection opened and closed here. Fails with the provider's error when
// the server cannot be reached or will not list them.
QStringList ListDatabases(const QString& connectionString);

} // namespace tallix
