#pragma once

#include "generator/model/CTable.h"

namespace tallix {

// The project's tables in insertion order, keyed by schema and table name without regard to case.
// Lookups by name take the name the grid shows (CTable::QualifiedName).
class CTables {
public:
    using Iterator = KeyedCollection<CTable>::Iterator;

    // Set when the whole list or every column mark changes at once; cleared by Save and Load.
    bool IsDirty = false;

    // Exact, case-sensitive comparisons, unlike the key lookup of Item.
    bool DoesKeyExist(const QString& tableName) const;
    CTable* GetTable(const QString& tableName) const;
    bool DoIGenerateScript(const QString& tableName) const;

    // Fails with the duplicate-key error when a table of that name (in any case) exists in the
    // schema. The default schema ("dbo" or empty) is stored as empty.
    CTable& Add(const QString& TableName);
    CTable& Add(const QString& schema, const QString& TableName);
    CTable& Item(int position) const { return m_items.item(position); }
    CTable& Item(const QString& key) const { return m_items.item(key); }
    int Count() const { return m_items.count(); }
    void Remove(int position) { m_items.remove(position); }
    void Remove(const QString& key) { m_items.remove(key); }
    // The key of a table: its bare name in the default schema, else the schema, a NUL (which no
    // project file can hold) and the name, so "a.b" in dbo and "b" in "a" stay apart.
    static QString keyOf(const QString& schema, const QString& tableName);
    void Clear() { m_items.clear(); }

    Iterator begin() const { return m_items.begin(); }
    Iterator end() const { return m_items.end(); }

    QString Save();
    void Load(const QString& strXML);
    void XMLToObject(const QString&) {}

    // The TABLES element with every table's COLUMNS element, as the project file holds it.
    QString ObjectToXML() const;
    void appendXML(QString& out) const;

private:
    KeyedCollection<CTable> m_items;
};

} // namespace tallix
