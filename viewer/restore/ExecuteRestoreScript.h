#pragma once

#include <QStringList>

namespace tallix {

// The batches of a script: the texts between lines that hold only "GO" (letter case and blanks
// around it ignored). "GO" inside a line, as in a value 'GOLD', separates nothing. Batches with
// nothing but blanks and comment lines are left out.
QStringList SplitBatches(const QString& script);

// Runs a restore script batch by batch on the database of `connectionString`. A failure is
// reported ("Tallix does not appear to be running/configured for this database." for a missing
// audit table, else "Error: " and the description); the batches before it stay executed.
// Returns whether every batch ran; an empty connection string runs nothing.
bool ExecuteRestoreScript(const QString& connectionString, const QString& script);

} // namespace tallix
