#pragma once

#include <QString>
#include <QStringView>

// How a table outside the default schema is named. A table in "dbo" keeps its bare name
// everywhere, so projects, scripts and audit rows made before schemas were known stay as they are;
// any other table is recorded as "schema.table" and addressed with both parts.
namespace tallix::audit {

// The schema a bare name means.
inline constexpr QLatin1StringView kDefaultSchema("dbo");

// Empty, or "dbo" in any letter case (schema names compare under the database's collation,
// which is case-insensitive by default).
bool isDefaultSchema(QStringView schema);

// The schema as messages name it: "dbo" for the default one.
QString schemaOrDefault(QStringView schema);

// The name Tallix.SourceTable and TallixKeys.SourceTable record for the table, and the name the
// generator's grid and messages show: the bare name in the default schema, else "schema.table".
QString recordedName(QStringView schema, QStringView table);

// The table as the generator's scripts address it: "[table]" in the default schema, else
// "[schema].[table]", "]" doubled. Neither part may hold a control character.
void appendBracketedTable(QString& out, QStringView schema, QStringView table);

// The table as a statement of the viewer writes it: each part as SqlQuoting::statementName does,
// the schema only outside the default one.
QString statementTableName(QStringView schema, QStringView table);

// The schema part of a trigger's name in the scripts, with its dot: "dbo." in the default
// schema, else the schema as SqlQuoting::statementName writes it, then ".".
QString schemaPrefix(QStringView schema);

} // namespace tallix::audit
