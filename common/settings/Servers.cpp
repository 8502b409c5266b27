#include "common/settings/Servers.h"

#include "common/settings/PasswordScrambling.h"

namespace tallix {

namespace {

QString numbered(const char* name, int n)
{
    return QLatin1String(name) + QString::number(n);
}

// "True"/"False" in any letter case, or a number (non-zero is true). Anything else, a missing
// value included, is false rather than a reason to drop the remaining servers.
bool flagFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool isNumber = false;
    const double number = t.toDouble(&isNumber);
    return isNumber && number != 0.0;
}

constexpr int kClearedEntries = 99;

} // namespace

const Server* Servers::DefaultServer() const
{
    const Server* found = nullptr;
    for (const Server& server : *this) {
        if (server.IsDefault)
            found = &server;
    }
    return found;
}

Server& Servers::Add(const QString& ServerName, const QString& UserID, const QString& Password,
                     const QString& DefaultDatabase, bool IsDefault, const QString& sKey)
{
    auto server = std::make_unique<Server>();
    server->ServerName = ServerName;
    server->UserID = UserID;
    server->Password = Password;
    server->DefaultDatabase = DefaultDatabase;
    server->IsDefault = IsDefault;
    return m_items.add(std::move(server), sKey);
}

void Servers::Remove(int position) noexcept
{
    try {
        m_items.remove(position);
    } catch (...) {
    }
}

void Servers::Remove(const QString& key) noexcept
{
    try {
        m_items.remove(key);
    } catch (...) {
    }
}

void Servers::LoadFromRegistry(const SettingsStore& store)
{
    for (int i = Count(); i >= 1; --i)
        m_items.remove(i);

    const RegistryRoot root = RegistryRoot::CurrentUser;
    const QString key = tallixRegistryKey();
    for (int n = 1;; ++n) {
        const QString name = store.readValue(root, key, numbered("Server", n));
        if (name.isEmpty())
            return;
        try {
            Add(name, store.readValue(root, key, numbered("Username", n)),
                UnscramblePassword(store.readValue(root, key, numbered("Password", n))),
                store.readValue(root, key, numbered("Database", n)),
                flagFromText(store.readValue(root, key, numbered("IsDefault", n))), name);
        } catch (const Error&) {
            return;
        }
    }
}

void Servers::SaveToRegistry(SettingsStore& store) const
{
    const RegistryRoot root = RegistryRoot::CurrentUser;
    const QString key = tallixRegistryKey();
    for (int n = 1; n <= kClearedEntries; ++n) {
        for (const char* name : {"Server", "Username", "Password", "Database", "IsDefault"})
            store.deleteValue(root, key, numbered(name, n));
    }
    int n = 0;
    for (const Server& server : m_items) {
        ++n;
        store.writeValue(root, key, numbered("Server", n), server.ServerName);
        store.writeValue(root, key, numbered("Username", n), server.UserID);
        store.writeValue(root, key, numbered("Password", n), ScramblePassword(server.Password));
        store.writeValue(root, key, numbered("Database", n), server.DefaultDatabase);
        store.writeValue(root, key, numbered("IsDefault", n),
                         server.IsDefault ? QStringLiteral("True") : QStringLiteral("False"));
    }
    if (!store.sync())
        throw Error(75, QStringLiteral("The registered servers could not be saved to %1")
                            .arg(store.location()));
}

} // namespace tallix
