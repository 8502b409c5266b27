#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace tallix::pubs {

// The login name of the person running the program: the operating system's name for the
// process's user, else USER, USERNAME or LOGNAME of `environment`; empty when none is known.
QString osLoginName(const QProcessEnvironment& environment);

// The name the component passes as the real user: the configured override when there is one,
// else osLoginName().
QString realUserName(const QString& configured, const QProcessEnvironment& environment);

} // namespace tallix::pubs
