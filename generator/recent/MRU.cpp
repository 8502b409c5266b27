#include "generator/recent/MRU.h"

#include "common/settings/SettingsStore.h"

namespace tallix {

int MRU::indexOf(const QString& path) const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_paths.at(i).compare(path, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void MRU::Add(const QString& path)
{
    Remove(path);
    m_paths.prepend(path);
    if (Count() > m_number)
        m_paths.removeLast();
}

void MRU::Remove(const QString& path)
{
    const int i = indexOf(path);
    if (i >= 0)
        m_paths.removeAt(i);
}

QString MRU::valueName(int index)
{
    return QStringLiteral("RecentFiles%1").arg(index);
}

void MRU::Load()
{
    Load(settingsStore());
}

void MRU::Load(const SettingsStore& store)
{
    m_paths.clear();
    for (int i = 1; i <= m_number; ++i) {
        const QString path =
            store.readValue(RegistryRoot::CurrentUser, tallixRegistryKey(), valueName(i));
        if (!path.isEmpty() && indexOf(path) < 0)
            m_paths.append(path);
    }
}

void MRU::Save() const
{
    Save(settingsStore());
}

void MRU::Save(SettingsStore& store) const
{
    const QString key = tallixRegistryKey();
    for (int i = 1; i <= m_number; ++i)
        store.deleteValue(RegistryRoot::CurrentUser, key, valueName(i));
    for (int i = 1; i <= Count(); ++i)
        store.writeValue(RegistryRoot::CurrentUser, key, valueName(i), Item(i));
    store.sync();
}

} // namespace tallix
