#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace tallix {

// OLE DB type numbers (DBTYPE_*) that the schema rowsets and results report.
namespace dbtype {
inline constexpr int I2 = 2, I4 = 3, R4 = 4, R8 = 5, CY = 6, DATE = 7, BOOL = 11, VARIANT = 12,
                     UI1 = 17, UI2 = 18, UI4 = 19, I8 = 20, GUID = 72, BYTES = 128, STR = 129,
                     WSTR = 130, NUMERIC = 131, DBDATE = 133, DBTIME = 134, DBTIMESTAMP = 135;
}

// OLE DB column flag bits (DBCOLUMNFLAGS_*).
namespace columnflag {
inline constexpr int WriteUnknown = 0x8, IsFixedLength = 0x10, IsNullable = 0x20, MaybeNull = 0x40,
                     IsLong = 0x80, IsRowVersion = 0x200;
}

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
