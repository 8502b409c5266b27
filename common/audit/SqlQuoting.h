#pragma once

#include <QString>
#include <QStringView>

// Writing names and values into T-SQL text, for the generator's scripts and the viewer's restore
// statements alike. Anyone who may create a table chooses its name, anyone who may change an
// audited row chooses the values recorded, and the scripts run with high rights, so neither may
// ever leave the literal, bracket or comment it is written into. Ordinary names come out
// unchanged.
namespace tallix::SqlQuoting {

// A line break or any other control character (C0, DEL, C1, U+2028, U+2029). No
// such character may stand raw in a script: client tools end a line (and with a
// lone "GO" a batch) at it, inside a literal or a bracketed name as well.
bool isControl(QChar c);
bool hasControl(QStringView name);

// The kind of string literal a text is written into: '...' (Plain) or N'...' (Unicode, for
// nchar, nvarchar and ntext values, so no character is lost to a code page).
enum class LiteralKind { Plain, Unicode };

// The inside of a string literal: apostrophes doubled; a control character closes
// the literal and is added as "' + CHAR(n) + '", so the literal's value is still
// exactly the text. A plain literal takes NCHAR above 127 (CHAR there would depend on
// the code page); a Unicode literal takes NCHAR for every one and reopens with N'.
void appendLiteral(QString& out, QStringView name, LiteralKind kind = LiteralKind::Plain);

// The whole literal, quotes (and the N of a Unicode one) included.
QString literal(QStringView text, LiteralKind kind = LiteralKind::Plain);

// The inside of a bracketed name: "]" doubled. The name must hold no control
// character; see hasControl.
void appendBracketed(QString& out, QStringView name);

// Text for a comment line: every control character written as "?".
void appendComment(QString& out, QStringView name);

// A name as a message shows it: control characters as "?", and a very long name cut
// with "..." so that a hostile name can neither forge lines nor fill the screen.
QString shownName(QStringView name);

// A name inside the audit data's NAME attribute, itself inside a string literal:
// an apostrophe is written as the entity "&apos;", as the recorded values are.
void appendAuditName(QString& out, QStringView name, LiteralKind kind = LiteralKind::Plain);

// Whether a name can stand without brackets: a letter or "_" first, then letters,
// digits, "_", "@", "$" or "#".
bool isRegularIdentifier(QStringView name);

// Whether the server reserves the word (any letter case), or it is "GO", which would
// end a batch when it stood alone on a line.
bool isReservedWord(QStringView name);

// An object name as the generator's scripts write it: as it is when regular, else
// bracketed.
void appendObjectName(QString& out, QStringView name);

// A table or column name as a statement of the viewer writes it: bare when it is a
// regular identifier of at most 128 characters and no reserved word, so ordinary
// statements read as plain SQL; otherwise bracketed, so "Order Details", "Key" or
// "LineNo" still name their object. The name must hold no control character.
QString statementName(QStringView name);

} // namespace tallix::SqlQuoting
