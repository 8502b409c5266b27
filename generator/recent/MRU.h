#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace tallix {

class SettingsStore;

// The project files opened most recently, newest first, kept in the settings store as
// "RecentFiles1" (the newest) to "RecentFiles" + Number. Paths that differ only in letter case are
// one entry.
class MRU {
public:
    // Puts `path` at position 1; an entry of the same path in any case moves up and takes this
    // spelling. The oldest entry drops out beyond Number entries.
    void Add(const QString& path);
    // Removes the entry of that path in any case; an unknown path is ignored.
    void Remove(const QString& path);
    void Clear() { m_paths.clear(); }
    int Count() const { return static_cast<int>(m_paths.size()); }
    // 1 is the newest; 1 <= index <= Count.
    const QString& Item(int index) const { return m_paths.at(index - 1); }

    std::int16_t Number() const { return m_number; }
    void setNumber(std::int16_t value) { m_number = value; }

    // Replaces the list by the stored values; missing and empty values are skipped, so gaps in
    // the numbering close up. A path stored twice is taken once.
    void Load();
    void Load(const SettingsStore& store);
    // Rewrites the stored values from "RecentFiles1" on. Never fails: a store that cannot be
    // written keeps what it had.
    void Save() const;
    void Save(SettingsStore& store) const;
    void Update() {}

    static QString valueName(int index);

private:
    int indexOf(const QString& path) const;

    QStringList m_paths;
    std::int16_t m_number = 5;
};

} // namespace tallix
