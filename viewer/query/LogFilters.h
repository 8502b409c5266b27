#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace tallix {

// What the user asked of the audit rows: the texts of the filter controls as typed or chosen,
// and the two date bounds when their pickers have a value. An empty text filters nothing.
struct LogFilters {
    QString table{};
    QString transactionType{}; // "Insert", "Update", "Delete"; anything else filters nothing
    QString user{};
    QString application{};
    QString workstation{};
    std::optional<QDateTime> from{};
    // The window's To picker: rows before the moment one day after it, so a date means "through
    // that day".
    std::optional<QDateTime> to{};
    // Rows before this very moment (a time given on the command line).
    std::optional<QDateTime> before{};
    // Matched literally against the key text as the list shows it (" | " between key columns).
    QString keyContains{};
};

} // namespace tallix
