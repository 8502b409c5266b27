#include "samples/pubsserver/MiddleTierConnection.h"

#include "common/base/Error.h"
#include "common/settings/ConnectionString.h"

#include <algorithm>

namespace tallix::pubs {

namespace {

bool hasControl(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

Error refused(const char* what, const QString& name, const QString& reason)
{
    return Error(Error::InvalidArgument,
                 QStringLiteral("The %1 \"%2\" cannot be passed to the audit triggers: %3.")
                     .arg(QLatin1String(what), name, reason));
}

QString tooLong(qsizetype limit)
{
    return QStringLiteral("it is longer than the %1 characters the triggers record").arg(limit);
}

} // namespace

QString ApplicationNameWithUser(const QString& application, const QString& user)
{
    if (user.isEmpty())
        throw refused("real user", user, QStringLiteral("it is empty"));
    if (user.size() > kMaxRecordedName)
        throw refused("real user", user, tooLong(kMaxRecordedName));
    if (user.contains(QLatin1String(">>")))
        throw refused("real user", user,
                      QStringLiteral("it holds \">>\", where the triggers end the name"));
    if (user.endsWith(QLatin1Char('>')))
        throw refused("real user", user,
                      QStringLiteral("it ends in \">\", which the triggers would read as the "
                                     "start of \">>\""));
    if (hasControl(user))
        throw refused("real user", user, QStringLiteral("it holds a control character"));
    if (application.contains(QLatin1String("<<")))
        throw refused(
            "application name", application,
            QStringLiteral("it holds \"<<\", where the triggers would look for the user"));
    if (application.size() > kMaxRecordedName)
        throw refused("application name", application, tooLong(kMaxRecordedName));
    if (hasControl(application))
        throw refused("application name", application,
                      QStringLiteral("it holds a control character"));
    const QString name = application + QStringLiteral(" <<") + user + QStringLiteral(">>");
    if (name.size() > kMaxApplicationName)
        throw refused("application name", name,
                      QStringLiteral("it is longer than the %1 characters a server keeps")
                          .arg(kMaxApplicationName));
    return name;
}

QString MiddleTierConnectionString(const PubsSettings& settings, const QString& applicationName)
{
    // A later key replaces an earlier one, so this application name is the one the server sees.
    QString quoted = applicationName;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return BuildConnectionString(settings.server, settings.database, settings.login,
                                 settings.password) +
           QStringLiteral(";Application Name=\"") + quoted + QLatin1Char('"');
}

} // namespace tallix::pubs
