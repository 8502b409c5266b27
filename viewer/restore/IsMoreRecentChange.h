#pragma once

#include <QString>

namespace tallix {

class Connection;

// The query counting the audit rows of the same key written after this one.
QString MoreRecentChangeQuery(const QString& keyId, const QString& transactionDate);

// Whether the audited row has changed again after the audit row of `transactionDate` (style 21
// text). A failure is reported and counts as no newer change. `connection` must be open.
bool IsMoreRecentChange(Connection& connection, const QString& keyId,
                        const QString& transactionDate);

// The comment that starts the restore text of a row changed again since.
QString MoreRecentChangeWarning();

} // namespace tallix
