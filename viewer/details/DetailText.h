#pragma once

#include <QString>

namespace tallix {

// The text with every "&apos;" turned back into the apostrophe the triggers replaced; no other
// entity is touched.
QString FixupString(const QString& raw);

// The audit data as the XML tab shows it: one element per line.
QString AuditXmlText(const QString& data);

// The note beside the details of a row whose data text cannot be read whole, with the reason.
QString IncompleteDetailsText(const QString& reason);

} // namespace tallix
