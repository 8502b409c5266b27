#pragma once

struct sqlite3;

namespace tallix {

// Registers the T-SQL functions the programs' SQL texts use on one SQLite connection:
// CONVERT(type text, value[, style]) (after TsqlRewriter has made the type a text), GETDATE(),
// NEWID(), and LIKE with SQL Server's patterns (TsqlLike). Returns false when SQLite refused a
// registration.
bool registerTsqlFunctions(sqlite3* db);

} // namespace tallix
