#pragma once

#include "common/base/Error.h"

#include <QHash>
#include <QString>
#include <iterator>
#include <memory>
#include <vector>

namespace tallix {

// An ordered collection addressed by 1-based position or by an optional text
// key. Keys are unique and compared without regard to letter case; items keep
// their insertion order. The collection owns its items.
template <typename T> class KeyedCollection {
    struct Entry {
        std::unique_ptr<T> item;
        QString key; // case-folded, empty when the item has no key
    };

public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;

        Iterator() = default;
        explicit Iterator(typename std::vector<Entry>::const_iterator it)
            : m_it(it)
        {}
        T& operator*() const { return *m_it->item; }
        T* operator->() const { return m_it->item.get(); }
        Iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++m_it;
            return old;
        }
        bool operator==(const Iterator& other) const = default;

    private:
        typename std::vector<Entry>::const_iterator m_it;
    };

    // Appends `item`; a non-empty key already present fails with the duplicate-key error.
    T& add(std::unique_ptr<T> item, const QString& key = {})
    {
        QString folded = key.toCaseFolded();
        if (!folded.isEmpty()) {
            if (m_byKey.contains(folded))
                throw Error::duplicateKey();
            m_byKey.insert(folded, item.get());
        }
        m_entries.push_back(Entry{std::move(item), std::move(folded)});
        return *m_entries.back().item;
    }

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }

    // 1-based position; outside 1..count fails with "Subscript out of range".
    T& item(int position) const { return *m_entries[checkedIndex(position)].item; }

    // Key lookup without regard to case; an unknown key fails with error 5.
    T& item(const QString& key) const
    {
        if (T* found = find(key))
            return *found;
        throw Error::invalidArgument();
    }

    T* find(const QString& key) const
    {
        if (key.isEmpty())
            return nullptr;
        return m_byKey.value(key.toCaseFolded(), nullptr);
    }

    void remove(int position)
    {
        const std::size_t index = checkedIndex(position);
        if (!m_entries[index].key.isEmpty())
            m_byKey.remove(m_entries[index].key);
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    }

    void remove(const QString& key)
    {
        T* found = find(key);
        if (!found)
            throw Error::invalidArgument();
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].item.get() == found) {
                remove(static_cast<int>(i) + 1);
                return;
            }
        }
    }

    void clear()
    {
        m_byKey.clear();
        m_entries.clear();
    }

    Iterator begin() const { return Iterator(m_entries.cbegin()); }
    Iterator end() const { return Iterator(m_entries.cend()); }

private:
    std::size_t checkedIndex(int position) const
    {
        if (position < 1 || position > count())
            throw Error::subscriptOutOfRange();
        return static_cast<std::size_t>(position - 1);
    }

    std::vector<Entry> m_entries;
    QHash<QString, T*> m_byKey;
};

} // namespace tallix
