#pragma once

#include <QString>
#include <QStringView>

// Writing names into T-SQL text. Anyone who may create a table chooses its name,
// and the script runs with high rights, so a name must never leave the literal,
// bracket or comment it is written into. Ordinary names come out unchanged.
namespace tallix::SqlQuoting {

// A line break or any other control character (C0, DEL, C1, U+2028, U+2029). No
// such character may stand raw in a script: client tools end a line (and with a
// lone "GO" a batch) at it, inside a literal or a bracketed name as well.
bool isControl(QChar c);
bool hasControl(QStringView name);

// The inside of a string literal: apostrophes doubled; a control character closes
// the literal and is added as "' + CHAR(n) + '" (NCHAR above 127), so the
// literal's value is still exactly the name.
void appendLiteral(QString& out, QStringView name);

// The inside of a bracketed name: "]" doubled. The name must hold no control
// character; see hasControl.
void appendBracketed(QString& out, QStringView name);

// Text for a comment line: every control character written as "?".
void appendComment(QString& out, QStringView name);

// A name inside the audit data's NAME attribute, itself inside a string literal:
// an apostrophe is written as the entity "&apos;", as the recorded values are.
void appendAuditName(QString& out, QStringView name);

// Whether a name can stand without brackets: a letter or "_" first, then letters,
// digits, "_", "@", "$" or "#".
bool isRegularIdentifier(QStringView name);

// An object name as the script writes it: as it is when regular, else bracketed.
void appendObjectName(QString& out, QStringView name);

} // namespace tallix::SqlQuoting
