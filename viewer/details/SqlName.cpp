#include "viewer/details/SqlName.h"

#include <QSet>

namespace tallix {

namespace {

// The server's reserved keywords, and GO, which would end a batch when a name stood alone on a
// line.
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
            set.insert(QLatin1String(w));
        return set;
    }();
    return words;
}

bool isRegularIdentifier(const QString& name)
{
    if (name.isEmpty() || name.size() > 128)
        return false;
    const QChar first = name.front();
    if (!first.isLetter() && first != QLatin1Char('_'))
        return false;
    for (QChar c : name) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('@') &&
            c != QLatin1Char('$') && c != QLatin1Char('#'))
            return false;
    }
    return !reservedWords().contains(name.toUpper());
}

} // namespace

QString SqlName(const QString& name)
{
    if (isRegularIdentifier(name))
        return name;
    QString escaped = name;
    escaped.replace(QLatin1String("]"), QLatin1String("]]"));
    return QLatin1Char('[') + escaped + QLatin1Char(']');
}

} // namespace tallix
