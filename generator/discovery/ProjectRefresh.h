#pragma once

#include <QStringList>

namespace tallix {

class CTables;

// Brings a project's table list in step with its database as discovery read it. Tables and
// columns are matched by schema and name without regard to letter case. What still exists keeps
// the user's choices (the audit flags of a table, the Include mark of a column, except that a
// column that became a large-object type is no longer recorded); the catalogue facts (type, size,
// key, nulls, identity, large key) come from the database. New tables come unselected, new columns
// with discovery's default, and vanished ones go. The list follows the database's order.
//
// Returns one line per change, in list order: "table added: NAME", "table removed: NAME",
// "column added: TABLE.COLUMN TYPE", "column removed: TABLE.COLUMN",
// "column type changed: TABLE.COLUMN OLD -> NEW", "column key changed: TABLE.COLUMN now in the
// primary key" (or "no longer in the primary key"). Names are shown as messages show them, so a
// name cannot forge a line.
QStringList RefreshTables(CTables& tables, const CTables& database);

// The changes RefreshTables would report, without changing anything.
QStringList TableChanges(const CTables& tables, const CTables& database);

} // namespace tallix
