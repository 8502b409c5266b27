#pragma once

#include "common/base/KeyedCollection.h"
#include "common/settings/Server.h"
#include "common/settings/SettingsStore.h"

namespace tallix {

// The registered servers in order, each optionally under a key (unique, letter case ignored).
class Servers {
public:
    using Iterator = KeyedCollection<Server>::Iterator;

    // Appends a server, under `sKey` when it is not empty; a key already present fails with the
    // duplicate-key error and adds nothing.
    Server& Add(const QString& ServerName, const QString& UserID, const QString& Password,
                const QString& DefaultDatabase, bool IsDefault, const QString& sKey = {});

    // By 1-based position (out of range fails with error 9) or by key (unknown fails with 5).
    Server& Item(int position) const { return m_items.item(position); }
    Server& Item(const QString& key) const { return m_items.item(key); }
    int Count() const { return m_items.count(); }

    // Removes the server at that position or key; an unknown key or bad position is ignored.
    void Remove(int position) noexcept;
    void Remove(const QString& key) noexcept;

    Iterator begin() const { return m_items.begin(); }
    Iterator end() const { return m_items.end(); }

    // The server both programs select at start: of those marked as default, the last one in the
    // list (a list edited by hand may mark several). Null when none is marked.
    const Server* DefaultServer() const;

    // Replaces the contents by the list stored in the settings: entries 1, 2, ... up to the first
    // missing or empty server name. An entry that cannot be added (a second entry of the same
    // name) ends the loading there; the servers read so far remain.
    void LoadFromRegistry(const SettingsStore& store);
    void LoadFromRegistry() { LoadFromRegistry(settingsStore()); }

    // Clears entries 1 to 99 and writes the list, numbered from 1, with scrambled passwords.
    // Fails with an Error when the store cannot be written.
    void SaveToRegistry(SettingsStore& store) const;
    void SaveToRegistry() const { SaveToRegistry(settingsStore()); }

private:
    KeyedCollection<Server> m_items;
};

} // namespace tallix
