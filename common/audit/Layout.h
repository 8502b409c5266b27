#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

// The two layouts of the audit tables: Narrow (Data text, varchar names and keys), in which the
// server records every character outside the database's code page as "?", and Unicode (Data
// nvarchar(max), nvarchar names and keys), which records every character.
namespace tallix::audit {

enum class Layout { Narrow, Unicode };

// The audit tables whose Tallix.Data column has this type name (columnTypeName's bare name).
// nvarchar(max) is reported like ntext; an unknown type (empty) reads as the narrow layout, which
// every audit database had before the Unicode one.
Layout layoutOfDataType(QStringView dataTypeName);

// What the narrow layout records in place of a character it cannot hold.
inline constexpr QLatin1StringView kLostCharacter("?");

// Whether a recorded value of a column of this type may have lost characters: the layout is
// narrow, the column holds Unicode (isUnicodeType) and the value has a "?" in it. Writing such a
// value back would put "?" over the characters it stood for.
bool mayHaveLostCharacters(Layout layout, QStringView columnType, QStringView value);

// The comment line that says so for one column, CR LF included; the name is written safely for a
// comment.
QString lostCharactersNote(QStringView columnName);

} // namespace tallix::audit
