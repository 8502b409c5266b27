#pragma once

#include "common/settings/SettingsStore.h"

namespace tallix {

// The module-level registry routines over the store in use (settingsStore()).

// The value's text, or an empty text when the key or value is missing or is not a text.
QString ReadRegistryValue(RegistryRoot root, const QString& key, const QString& name);

// Sets the value, creating the key as needed; false when it could not be stored.
bool WriteRegistryValue(RegistryRoot root, const QString& key, const QString& name,
                        const QString& text);

// Deletes the value; a missing key or value is not reported.
void DeleteRegistryValue(RegistryRoot root, const QString& key, const QString& name);

} // namespace tallix
