#pragma once

#include "common/base/KeyedCollection.h"
#include "generator/model/CColumn.h"

namespace tallix {

// A table's columns in catalogue order, addressed by 1-based position.
class CColumns {
public:
    using Iterator = KeyedCollection<CColumn>::Iterator;

    CColumn& Add(const QString& ColumnName, const QString& datatype, std::int32_t Size,
                 std::int16_t NumericPrecision, std::int16_t NumericScale, bool Nulls,
                 bool InPrimaryKey, bool Identity, bool Include, const QString& sKey = {});

    CColumn& Item(int position) const { return m_items.item(position); }
    CColumn& Item(const QString& key) const { return m_items.item(key); }
    int Count() const { return m_items.count(); }
    void Remove(int position) { m_items.remove(position); }
    void Remove(const QString& key) { m_items.remove(key); }

    Iterator begin() const { return m_items.begin(); }
    Iterator end() const { return m_items.end(); }

    QString Save() const { return ObjectToXML(); }
    void Load(const QString& strXML) { XMLToObject(strXML); }
    // The model is rebuilt by the project reader through Add, so the text changes nothing.
    void XMLToObject(const QString&) {}

    // The COLUMNS element of one table as the project file holds it.
    QString ObjectToXML() const;
    void appendXML(QString& out) const;

private:
    KeyedCollection<CColumn> m_items;
};

} // namespace tallix
