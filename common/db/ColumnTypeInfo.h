#pragma once

#include "common/audit/SchemaCodes.h"

#include <QList>
#include <QString>
#include <optional>

namespace tallix {

// A SQL Server type as a column declares it: "varchar(20)", "decimal(10, 2)", "nvarchar(max)",
// "int identity(1,1)". The name is in lower case with blanks collapsed and synonyms resolved
// ("integer" is "int", "double precision" is "float", "rowversion" is "timestamp"); `max` stands
// for the (max) length (also written (-1), since SQLite cannot declare (max) unquoted); `identity`
// is set when the declaration carries IDENTITY.
struct SqlType {
    QString name;
    QList<int> args;
    bool max = false;
    bool identity = false;

    static SqlType parse(const QString& declared);
};

// What the schema rowsets report for a column of one SQL Server type. Empty optionals are NULL.
struct ColumnTypeInfo {
    int dataType = dbtype::VARIANT;
    int flags = 0; // fixed length, long and row version bits only
    std::optional<int> characterMaximumLength;
    std::optional<int> characterOctetLength;
    std::optional<int> numericPrecision;
    std::optional<int> numericScale;
    std::optional<int> datetimePrecision;
    bool writable = true; // false for a row-version column

    // An unknown type reports DBTYPE_VARIANT, a number the programs' type tables do not list.
    static ColumnTypeInfo of(const SqlType& type);

    // The whole COLUMN_FLAGS value: the type's bits, nullable (32 + 64), and writable (8) unless
    // the column is an identity or computed one or the type is never written.
    int columnFlags(bool nullable, bool identity, bool computed) const;
};

} // namespace tallix
