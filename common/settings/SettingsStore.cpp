#include "common/settings/SettingsStore.h"

#include <QSettings>

namespace tallix {

namespace {

SettingsStore* g_installed = nullptr;

QString normalizedKey(const QString& key)
{
    QString k = key;
    k.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (k.endsWith(QLatin1Char('\\')))
        k.chop(1);
    while (k.startsWith(QLatin1Char('\\')))
        k.remove(0, 1);
    return k;
}

QString rootPath(RegistryRoot root)
{
    return root == RegistryRoot::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                              : QStringLiteral("HKEY_CURRENT_USER");
}

// A value name addresses one value only: separators would reach into (or remove) a subkey.
bool isValueName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QString valuePath(const QString& group, const QString& name)
{
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

} // namespace

QString tallixRegistryKey()
{
    return QStringLiteral("Software\\Veltorin\\Tallix 2.0");
}

// Where one key lives: a QSettings object and the group inside it; `settings` is null when
// the key does not exist on this platform.
struct SettingsStore::Place {
    QSettings* settings = nullptr;
    std::unique_ptr<QSettings> owned;
    QString group;
};

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Veltorin"),
                                             QStringLiteral("Tallix 2.0")))
{
#ifdef Q_OS_WIN
    m_native = true;
#endif
}

SettingsStore::SettingsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{}

SettingsStore::~SettingsStore() = default;

SettingsStore::Place SettingsStore::placeOf(RegistryRoot root, const QString& key) const
{
    Place place;
    const QString k = normalizedKey(key);
    const QString own = tallixRegistryKey();
    if (root == RegistryRoot::CurrentUser && k.compare(own, Qt::CaseInsensitive) == 0) {
        place.settings = m_settings.get();
    } else if (root == RegistryRoot::CurrentUser &&
               k.startsWith(own + QLatin1Char('\\'), Qt::CaseInsensitive)) {
        place.settings = m_settings.get();
        place.group = k.mid(own.size() + 1);
        place.group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    } else if (m_native) {
        place.owned = std::make_unique<QSettings>(rootPath(root) + QLatin1Char('\\') + k,
                                                  QSettings::NativeFormat);
        place.settings = place.owned.get();
    }
    return place;
}

QString SettingsStore::readValue(RegistryRoot root, const QString& key, const QString& name) const
{
    Place place = placeOf(root, key);
    if (!place.settings || !isValueName(name))
        return {};
    const QVariant value = place.settings->value(valuePath(place.group, name));
    if (value.typeId() != QMetaType::QString)
        return {}; // missing, or a number, list or binary value
    QString text = value.toString();
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

bool SettingsStore::writeValue(RegistryRoot root, const QString& key, const QString& name,
                               const QString& text)
{
    Place place = placeOf(root, key);
    if (!place.settings || !isValueName(name))
        return false;
    place.settings->setValue(valuePath(place.group, name), text);
    if (place.owned)
        place.owned->sync();
    return place.settings->status() == QSettings::NoError;
}

void SettingsStore::deleteValue(RegistryRoot root, const QString& key, const QString& name)
{
    Place place = placeOf(root, key);
    if (!place.settings || !isValueName(name))
        return;
    QSettings& settings = *place.settings;
    const QString path = valuePath(place.group, name);
    if (!settings.contains(path))
        return;
    // QSettings removes a subkey of the same name together with the value; put it back.
    QList<std::pair<QString, QVariant>> subkey;
    settings.beginGroup(path);
    for (const QString& k : settings.allKeys())
        subkey.append({k, settings.value(k)});
    settings.endGroup();
    settings.remove(path);
    for (const auto& [k, v] : subkey)
        settings.setValue(path + QLatin1Char('/') + k, v);
}

bool SettingsStore::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString SettingsStore::location() const
{
    return m_settings->fileName();
}

SettingsStore& settingsStore()
{
    if (g_installed)
        return *g_installed;
    static SettingsStore own;
    return own;
}

SettingsStore* setSettingsStore(SettingsStore* store)
{
    SettingsStore* previous = g_installed;
    g_installed = store;
    return previous;
}

} // namespace tallix
