#include "common/audit/SqlQuoting.h"

#include "common/audit/AuditData.h"
#include "common/audit/Limits.h"

#include <QSet>
#include <algorithm>

namespace tallix::SqlQuoting {

namespace {

const QSet<QString>& reservedWords()
{
    static const QSet<QString> words = [] {
        const char* const list[] = {"ADD",
                                    "ALL",
                                    "ALTER",
                                    "AND",
                                    "ANY",
                                    "AS",
                                    "ASC",
                                    "AUTHORIZATION",
                                    "BACKUP",
                                    "BEGIN",
                                    "BETWEEN",
                                    "BREAK",
                                    "BROWSE",
                                    "BULK",
                                    "BY",
                                    "CASCADE",
                                    "CASE",
                                    "CHECK",
                                    "CHECKPOINT",
                                    "CLOSE",
                                    "CLUSTERED",
                                    "COALESCE",
                                    "COLLATE",
                                    "COLUMN",
                                    "COMMIT",
                                    "COMPUTE",
                                    "CONSTRAINT",
                                    "CONTAINS",
                                    "CONTAINSTABLE",
                                    "CONTINUE",
                                    "CONVERT",
                                    "CREATE",
                                    "CROSS",
                                    "CURRENT",
                                    "CURRENT_DATE",
                                    "CURRENT_TIME",
                                    "CURRENT_TIMESTAMP",
                                    "CURRENT_USER",
                                    "CURSOR",
                                    "DATABASE",
                                    "DBCC",
                                    "DEALLOCATE",
                                    "DECLARE",
                                    "DEFAULT",
                                    "DELETE",
                                    "DENY",
                                    "DESC",
                                    "DISK",
                                    "DISTINCT",
                                    "DISTRIBUTED",
                                    "DOUBLE",
                                    "DROP",
                                    "DUMP",
                                    "ELSE",
                                    "END",
                                    "ERRLVL",
                                    "ESCAPE",
                                    "EXCEPT",
                                    "EXEC",
                                    "EXECUTE",
                                    "EXISTS",
                                    "EXIT",
                                    "EXTERNAL",
                                    "FETCH",
                                    "FILE",
                                    "FILLFACTOR",
                                    "FOR",
                                    "FOREIGN",
                                    "FREETEXT",
                                    "FREETEXTTABLE",
                                    "FROM",
                                    "FULL",
                                    "FUNCTION",
                                    "GO",
                                    "GOTO",
                                    "GRANT",
                                    "GROUP",
                                    "HAVING",
                                    "HOLDLOCK",
                                    "IDENTITY",
                                    "IDENTITY_INSERT",
                                    "IDENTITYCOL",
                                    "IF",
                                    "IN",
                                    "INDEX",
                                    "INNER",
                                    "INSERT",
                                    "INTERSECT",
                                    "INTO",
                                    "IS",
                                    "JOIN",
                                    "KEY",
                                    "KILL",
                                    "LEFT",
                                    "LIKE",
                                    "LINENO",
                                    "LOAD",
                                    "MERGE",
                                    "NATIONAL",
                                    "NOCHECK",
                                    "NONCLUSTERED",
                                    "NOT",
                                    "NULL",
                                    "NULLIF",
                                    "OF",
                                    "OFF",
                                    "OFFSETS",
                                    "ON",
                                    "OPEN",
                                    "OPENDATASOURCE",
                                    "OPENQUERY",
                                    "OPENROWSET",
                                    "OPENXML",
                                    "OPTION",
                                    "OR",
                                    "ORDER",
                                    "OUTER",
                                    "OVER",
                                    "PERCENT",
                                    "PIVOT",
                                    "PLAN",
                                    "PRECISION",
                                    "PRIMARY",
                                    "PRINT",
                                    "PROC",
                                    "PROCEDURE",
                                    "PUBLIC",
                                    "RAISERROR",
                                    "READ",
                                    "READTEXT",
                                    "RECONFIGURE",
                                    "REFERENCES",
                                    "REPLICATION",
                                    "RESTORE",
                                    "RESTRICT",
                                    "RETURN",
                                    "REVERT",
                                    "REVOKE",
                                    "RIGHT",
                                    "ROLLBACK",
                                    "ROWCOUNT",
                                    "ROWGUIDCOL",
                                    "RULE",
                                    "SAVE",
                                    "SCHEMA",
                                    "SECURITYAUDIT",
                                    "SELECT",
                                    "SEMANTICKEYPHRASETABLE",
                                    "SEMANTICSIMILARITYDETAILSTABLE",
                                    "SEMANTICSIMILARITYTABLE",
                                    "SESSION_USER",
                                    "SET",
                                    "SETUSER",
                                    "SHUTDOWN",
                                    "SOME",
                                    "STATISTICS",
                                    "SYSTEM_USER",
                                    "TABLE",
                                    "TABLESAMPLE",
                                    "TEXTSIZE",
                                    "THEN",
                                    "TO",
                                    "TOP",
                                    "TRAN",
                                    "TRANSACTION",
                                    "TRIGGER",
                                    "TRUNCATE",
                                    "TRY_CONVERT",
                                    "TSEQUAL",
                                    "UNION",
                                    "UNIQUE",
                                    "UNPIVOT",
                                    "UPDATE",
                                    "UPDATETEXT",
                                    "USE",
                                    "USER",
                                    "VALUES",
                                    "VARYING",
                                    "VIEW",
                                    "WAITFOR",
                                    "WHEN",
                                    "WHERE",
                                    "WHILE",
                                    "WITH",
                                    "WRITETEXT"};
        QSet<QString> set;
        for (const char* w : list)
            set.insert(QLatin1StringView(w));
        return set;
    }();
    return words;
}

} // namespace

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

bool hasControl(QStringView name)
{
    return std::any_of(name.begin(), name.end(), isControl);
}

void appendLiteral(QString& out, QStringView name, LiteralKind kind)
{
    const bool unicode = kind == LiteralKind::Unicode;
    for (const QChar c : name) {
        if (c == QLatin1Char('\'')) {
            out += QLatin1StringView("''");
        } else if (isControl(c)) {
            out += unicode || c.unicode() >= 0x80 ? QLatin1StringView("' + NCHAR(")
                                                  : QLatin1StringView("' + CHAR(");
            out += QString::number(c.unicode());
            out += unicode ? QLatin1StringView(") + N'") : QLatin1StringView(") + '");
        } else {
            out += c;
        }
    }
}

QString literal(QStringView text, LiteralKind kind)
{
    QString out;
    out.reserve(text.size() + 3);
    if (kind == LiteralKind::Unicode)
        out += QLatin1Char('N');
    out += QLatin1Char('\'');
    appendLiteral(out, text, kind);
    out += QLatin1Char('\'');
    return out;
}

void appendBracketed(QString& out, QStringView name)
{
    for (const QChar c : name) {
        out += c;
        if (c == QLatin1Char(']'))
            out += c;
    }
}

void appendComment(QString& out, QStringView name)
{
    for (const QChar c : name)
        out += isControl(c) ? QLatin1Char('?') : c;
}

QString shownName(QStringView name)
{
    constexpr qsizetype kLongest = 100;
    QString out;
    appendComment(out, name.left(kLongest));
    if (name.size() > kLongest)
        out += QLatin1StringView("...");
    return out;
}

void appendAuditName(QString& out, QStringView name, LiteralKind kind)
{
    appendLiteral(out, audit::recordedText(name), kind);
}

bool isRegularIdentifier(QStringView name)
{
    if (name.isEmpty() || !(name.front().isLetter() || name.front() == QLatin1Char('_')))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [](QChar c) {
        return c.isLetter() || c.isDigit() || c == QLatin1Char('_') || c == QLatin1Char('@') ||
               c == QLatin1Char('$') || c == QLatin1Char('#');
    });
}

bool isReservedWord(QStringView name)
{
    return reservedWords().contains(name.toString().toUpper());
}

void appendObjectName(QString& out, QStringView name)
{
    if (isRegularIdentifier(name)) {
        out += name;
        return;
    }
    out += QLatin1Char('[');
    appendBracketed(out, name);
    out += QLatin1Char(']');
}

QString statementName(QStringView name)
{
    if (audit::storedLength(name) <= audit::kNameLength && isRegularIdentifier(name) &&
        !isReservedWord(name))
        return name.toString();
    QString out;
    out.reserve(name.size() + 2);
    out += QLatin1Char('[');
    appendBracketed(out, name);
    out += QLatin1Char(']');
    return out;
}

} // namespace tallix::SqlQuoting
