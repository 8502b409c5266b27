#pragma once

#include "common/base/KeyedCollection.h"
#include "viewer/details/AuditDetails.h"

namespace tallix {

// The columns of one audit row in the order they were read, addressed by 1-based position or by
// an optional key (letter case ignored).
class Audit {
public:
    using Iterator = KeyedCollection<AuditDetails>::Iterator;

    // Appends an item with the three texts; a key already present fails with error 457.
    AuditDetails& Add(const QString& fieldName, const QString& beforeValue,
                      const QString& afterValue, const QString& sKey = QString());

    AuditDetails& Item(int position) const { return m_items.item(position); }
    AuditDetails& Item(const QString& key) const { return m_items.item(key); }
    int Count() const { return m_items.count(); }
    void Remove(int position) { m_items.remove(position); }
    void Remove(const QString& key) { m_items.remove(key); }

    Iterator begin() const { return m_items.begin(); }
    Iterator end() const { return m_items.end(); }

private:
    KeyedCollection<AuditDetails> m_items;
};

} // namespace tallix
