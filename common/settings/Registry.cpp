#include "common/settings/Registry.h"

namespace tallix {

QString ReadRegistryValue(RegistryRoot root, const QString& key, const QString& name)
{
    return settingsStore().readValue(root, key, name);
}

bool WriteRegistryValue(RegistryRoot root, const QString& key, const QString& name,
                        const QString& text)
{
    return settingsStore().writeValue(root, key, name, text);
}

void DeleteRegistryValue(RegistryRoot root, const QString& key, const QString& name)
{
    settingsStore().deleteValue(root, key, name);
}

} // namespace tallix
