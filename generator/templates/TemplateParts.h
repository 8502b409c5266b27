#pragma once

// Building blocks shared by the template sources; not part of the public header.

#include "common/audit/SqlQuoting.h"
#include "generator/templates/Templates.h"

#include <QLatin1StringView>
#include <functional>

namespace tallix::templates {

inline constexpr QLatin1StringView kEol("\r\n");

// "i" or "d".
QLatin1StringView aliasLetter(Alias alias);

// Fails with tallix::Error when no column of the table is in the primary key, or
// when a name the triggers would write holds a control character.
void requireAuditable(const CTable& table);

// Appends what KeyExpression returns; requireAuditable must have passed.
void appendKeyExpression(QString& out, const CTable& table, Alias alias, KeyForm form,
                         AuditText text);

// Appends what DataExpression returns.
void appendDataExpression(QString& out, const CTable& table, DataSides sides, AuditText text);

// Appends what ValueExpression returns.
void appendValueExpression(QString& out, const CColumn& column, Alias alias, AuditText text);

// The opening of a string literal of the text mode: ' or N'.
QLatin1StringView literalOpening(AuditText text);
SqlQuoting::LiteralKind literalKind(AuditText text);

// Runs `build` on an empty text and returns the text. Any exception ends the
// routine: the result is empty and `failure`, when given, is set to "Error ("
// routine ") - " and the description.
QString guardedBuild(QLatin1StringView routine, qsizetype reserve, QString* failure,
                     const std::function<void(QString&)>& build);

} // namespace tallix::templates
