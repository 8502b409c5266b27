#pragma once

#include "common/db/Provider.h"

#include <QLatin1StringView>
#include <QString>
#include <memory>
#include <optional>

namespace tallix {

// What a connection knows of the SQLite stand-in for a server: when a server's name (the
// connection string's Data Source) asks for it, and how to make its provider. The stand-in itself
// is its own target, common/db/sqlite.

// The prefix that names a folder of SQLite databases whatever its path looks like.
inline constexpr QLatin1StringView kSqlitePrefix("sqlite:");

// The folder a server name asks for, or nothing for a server's name. A name asks for a folder
// only by saying so: "sqlite:" and the folder's path (relative to the current folder, or
// absolute), or a path that holds a "/" or is absolute (the form the programs have always
// registered). A plain name, "demo" or "HOST\INSTANCE", is a SQL Server's name, even when a folder
// of that name happens to exist where the program runs. The folder need not exist.
std::optional<QString> SqliteFolderOf(const QString& serverName);

// The stand-in's provider over `folder` for the database `catalog`. Defined by common/db/sqlite.
std::unique_ptr<Provider> MakeSqliteProvider(const QString& folder, const QString& catalog);

} // namespace tallix
