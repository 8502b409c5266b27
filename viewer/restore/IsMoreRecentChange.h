#pragma once

#include <QString>

namespace tallix {

class Connection;

// The query counting the audit rows of the same key written after this one.
QString MoreRecentChangeQuery(const QString& keyId, const QString& transactionDate);

// Whether the audited row has changed again after the audit row of `transactionDate` (style 21
// text). When that cannot be told it counts as no newer change, and `failure`, when given, is set
// to what the user is told: "Error - Can't determine if there are recent changes to this
// record : " and the description. `connection` must be open.
bool IsMoreRecentChange(Connection& connection, const QString& keyId,
                        const QString& transactionDate, QString* failure = nullptr);

// The comment that starts the restore text of a row changed again since.
QString MoreRecentChangeWarning();

} // namespace tallix
