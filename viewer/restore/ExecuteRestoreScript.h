#pragma once

#include <QStringList>

namespace tallix {

// The batches of a script: the texts between lines that hold only "GO" (letter case and blanks
// around it ignored). "GO" inside a line, as in a value 'GOLD', separates nothing. Batches with
// nothing but blanks and comment lines are left out.
QStringList SplitBatches(const QString& script);

// How running a restore script ended.
struct RestoreRun {
    bool ok = false;
    // What the user is told about a failure: "Tallix does not appear to be running/configured
    // for this database." for a missing audit table, else "Error: " and the description. Empty
    // when every batch ran, or when nothing was run for want of a connection string.
    QString failure;
    explicit operator bool() const { return ok; }
};

// Runs a restore script batch by batch on the database of `connectionString`. The batches before
// a failing one stay executed; an empty connection string runs nothing.
RestoreRun ExecuteRestoreScript(const QString& connectionString, const QString& script);

} // namespace tallix
