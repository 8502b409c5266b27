#pragma once

#include <QStringView>

// The sizes of the audit tables' text columns, and how a text is measured against them.
namespace tallix::audit {

// Tallix.SourceTable and TallixKeys.SourceTable are varchar(64): a trigger of a table with a
// longer name would fail every write to that table.
inline constexpr qsizetype kSourceTableLength = 64;

// TallixKeys.KeyValues is varchar(900), or nvarchar(450) in the Unicode layout: both fill the
// 900 bytes an index key may take.
inline constexpr qsizetype kKeyValuesLength = 900;
inline constexpr qsizetype kUnicodeKeyValuesLength = 450;

inline constexpr qsizetype keyValuesLength(bool unicode)
{
    return unicode ? kUnicodeKeyValuesLength : kKeyValuesLength;
}

// Username, Workstation and Application are varchar(64), and so are the triggers' variables that
// fill them.
inline constexpr qsizetype kSessionTextLength = 64;

// The longest name of a table or column (sysname, nvarchar(128)).
inline constexpr qsizetype kNameLength = 128;

// The length a text takes in those columns, counted in UTF-16 code units, as the server counts:
// names come from the catalogue as nvarchar, where a character outside the Basic Multilingual
// Plane is a surrogate pair that LEN counts twice under every collation without the supplementary
// flag (the default ones), and converting it into a varchar of a code page gives one byte per code
// unit (one "?" each). Counting characters would pass a name the column cannot hold.
inline qsizetype storedLength(QStringView text)
{
    return text.size();
}

// Whether the SourceTable columns hold the table name whole.
inline bool fitsSourceTable(QStringView tableName)
{
    return storedLength(tableName) <= kSourceTableLength;
}

} // namespace tallix::audit
