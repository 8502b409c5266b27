#pragma once

#include <QString>

namespace tallix {

// A table or column name as it goes into a statement: bare when it is a regular identifier that
// is no reserved word, so ordinary statements read as plain SQL; otherwise in brackets with every
// "]" doubled, so "Order Details", "Key" or "LineNo" still name their object.
QString SqlName(const QString& name);

} // namespace tallix
