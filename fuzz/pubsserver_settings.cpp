// The sample server component reads pubsserver.ini, which anyone may edit, and puts the real
// user from it into its connection string: reading must survive any file, and a user name it
// accepts must reach the connection as exactly that application name, whole for the triggers.

#include "common/base/Error.h"
#include "common/db/ConnectionOptions.h"
#include "samples/pubsserver/MiddleTierConnection.h"
#include "samples/pubsserver/PubsSettings.h"

#include <QTemporaryFile>
#include <cstdint>
#include <cstdlib>

namespace {

void checkUser(const QString& user)
{
    QString name;
    try {
        name = tallix::pubs::ApplicationNameWithUser(QStringLiteral("pubsserver"), user);
    } catch (const tallix::Error&) {
        return;
    }
    if (user.size() > tallix::pubs::kMaxRecordedName || user.contains(QLatin1String(">>")) ||
        user.endsWith(QLatin1Char('>')) ||
        !name.endsWith(QLatin1String("<<") + user + QLatin1String(">>")))
        std::abort();
    const tallix::pubs::PubsSettings settings{QStringLiteral("SQLPROD01"), QStringLiteral("pubs"),
                                              QStringLiteral("svc"), QStringLiteral("pw"), user};
    const auto options =
        tallix::ConnectionOptions::parse(tallix::pubs::MiddleTierConnectionString(settings, name));
    if (options.value(QStringLiteral("Application Name")) != name ||
        options.value(QStringLiteral("Data Source")) != settings.server ||
        options.entries().size() != 11)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkUser(QString::fromUtf8(bytes));

    QTemporaryFile file;
    if (!file.open())
        return 0;
    file.write(bytes);
    file.close();
    try {
        const auto settings = tallix::pubs::PubsSettings::load(file.fileName(), {});
        checkUser(settings.realUser);
    } catch (const tallix::Error&) {
    }
    return 0;
}
