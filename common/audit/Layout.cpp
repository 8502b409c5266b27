#include "common/audit/Layout.h"

#include "common/audit/ColumnTypes.h"
#include "common/audit/SqlQuoting.h"

namespace tallix::audit {

Layout layoutOfDataType(QStringView dataTypeName)
{
    return isUnicodeType(dataTypeName) ? Layout::Unicode : Layout::Narrow;
}

bool mayHaveLostCharacters(Layout layout, QStringView columnType, QStringView value)
{
    return layout == Layout::Narrow && isUnicodeType(columnType) && value.contains(kLostCharacter);
}

QString lostCharactersNote(QStringView columnName)
{
    QString note = QStringLiteral("-- NOTE: ");
    SqlQuoting::appendComment(note, columnName);
    note += QStringLiteral(": characters outside the code page were recorded as \"?\"; check the "
                           "value before restoring it.\r\n");
    return note;
}

} // namespace tallix::audit
