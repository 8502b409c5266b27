#include "viewer/details/DetailText.h"

#include "common/audit/AuditData.h"

namespace tallix {

QString FixupString(const QString& raw)
{
    return audit::decodeValue(raw);
}

QString AuditXmlText(const QString& data)
{
    QString text = data;
    text.replace(QLatin1String(">'<"), QLatin1String(">\r\n<"));
    return text.replace(QLatin1String("><"), QLatin1String(">\r\n<"));
}

QString IncompleteDetailsText(const QString& reason)
{
    return QStringLiteral("The details are incomplete: they show only what could be read of the "
                          "audit data. ") +
           reason;
}

} // namespace tallix
