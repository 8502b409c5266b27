#include "common/db/DbErrors.h"

namespace tallix::dberror {

Error invalidArgument(const QString& detail)
{
    QString text = QStringLiteral("Arguments are of the wrong type, are out of acceptable range, "
                                  "or are in conflict with one another.");
    if (!detail.isEmpty())
        text += QLatin1Char(' ') + detail;
    return Error(AdErrInvalidArgument, text);
}

Error noCurrentRecord()
{
    return Error(AdErrNoCurrentRecord,
                 QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                "deleted. Requested operation requires a current record."));
}

Error objectClosed()
{
    return Error(AdErrObjectClosed,
                 QStringLiteral("Operation is not allowed when the object is closed."));
}

Error notAllowed()
{
    return Error(AdErrNotAllowed, QStringLiteral("Operation is not allowed in this context."));
}

Error itemNotFound(const QString& name)
{
    return Error(AdErrItemNotFound,
                 QStringLiteral("Item cannot be found in the collection corresponding to the "
                                "requested name or ordinal. (%1)")
                     .arg(name));
}

Error noTable(const QString& description)
{
    return Error(DB_E_NOTABLE, description);
}

Error command(const QString& description)
{
    return Error(DB_E_ERRORSINCOMMAND, description);
}

Error failure(const QString& description)
{
    return Error(DB_E_FAIL, description);
}

} // namespace tallix::dberror
