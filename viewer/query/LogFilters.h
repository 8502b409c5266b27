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
    std::optional<QDateTime> to{};
    QString keyContains{};
};

} // namespace tallix
