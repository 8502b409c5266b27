#include "viewer/details/DetailText.h"

#include "common/db/Recordset.h"

namespace tallix {

QString NzString(const QVariant& value, const QString& defaultText)
{
    return Recordset::isNull(value) ? defaultText : value.toString();
}

QString FixupString(const QString& raw)
{
    QString text = raw;
    return text.replace(QLatin1String("&apos;"), QLatin1String("'"));
}

QString AuditXmlText(const QString& data)
{
    QString text = data;
    text.replace(QLatin1String(">'<"), QLatin1String(">\r\n<"));
    return text.replace(QLatin1String("><"), QLatin1String(">\r\n<"));
}

} // namespace tallix
