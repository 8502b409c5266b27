#include "samples/pubsserver/RealUser.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <lmcons.h>
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#include <vector>
#endif

namespace tallix::pubs {

namespace {

QString systemLoginName()
{
#ifdef Q_OS_WIN
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    if (GetUserNameW(name, &size) && size > 0)
        return QString::fromWCharArray(name, static_cast<qsizetype>(size) - 1);
#else
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
#endif
    return QString();
}

} // namespace

QString osLoginName(const QProcessEnvironment& environment)
{
    QString name = systemLoginName().trimmed();
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        if (!name.isEmpty())
            break;
        name = environment.value(QString::fromLatin1(variable)).trimmed();
    }
    return name;
}

QString realUserName(const QString& configured, const QProcessEnvironment& environment)
{
    return configured.isEmpty() ? osLoginName(environment) : configured;
}

} // namespace tallix::pubs
