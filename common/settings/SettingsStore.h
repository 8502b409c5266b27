#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace tallix {

// The predefined roots that registry paths hang below.
enum class RegistryRoot { CurrentUser, LocalMachine };

// The per-user key both programs keep their values under.
QString tallixRegistryKey();

// The settings store of both programs, addressed like the registry: a root, a key path below it
// (backslashes, as on Windows) and a value name. The application's own key is the QSettings store
// of organisation "Veltorin", application "Tallix 2.0"; on Windows that is the registry key itself
// and every other key is reachable too. Elsewhere only the application's key and the keys below it
// exist: reading anything else gives an empty text and writing it stores nothing.
class SettingsStore {
public:
    // The programs' own per-user store in the platform's native format.
    SettingsStore();
    // A store held in one INI file that stands for the application's key (tests, portable use).
    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The value's text; empty when the key or value is missing or the value is not a text.
    // The text ends before its first zero character.
    QString readValue(RegistryRoot root, const QString& key, const QString& name) const;
    // Sets the value as text, creating the key as needed; false when the key cannot be stored.
    bool writeValue(RegistryRoot root, const QString& key, const QString& name,
                    const QString& text);
    // Removes the value; a missing key or value is not an error.
    void deleteValue(RegistryRoot root, const QString& key, const QString& name);

    // Writes pending changes out; false when the store could not be written.
    bool sync();
    // Where the values live (a file name, or a registry path on Windows).
    QString location() const;

private:
    struct Place;
    Place placeOf(RegistryRoot root, const QString& key) const;

    std::unique_ptr<QSettings> m_settings; // the application's key
    bool m_native = false;                 // the platform registry reaches every key
};

// The store the module-level routines use: the programs' own unless one is installed.
SettingsStore& settingsStore();

// Installs `store` (not owned; nullptr restores the programs' own) and returns the previous one.
SettingsStore* setSettingsStore(SettingsStore* store);

// Installs a store for the lifetime of the guard.
class ScopedSettingsStore {
public:
    explicit ScopedSettingsStore(SettingsStore& store)
        : m_previous(setSettingsStore(&store))
    {}
    ~ScopedSettingsStore() { setSettingsStore(m_previous); }
    ScopedSettingsStore(const ScopedSettingsStore&) = delete;
    ScopedSettingsStore& operator=(const ScopedSettingsStore&) = delete;

private:
    SettingsStore* m_previous;
};

} // namespace tallix
