#pragma once

#include "common/xml/AttributeItem.h"

#include <QStringView>
#include <vector>

namespace tallix {

class Parser;

// The attributes of one tag in the order in which they stand; a name may occur
// more than once. Positions are 1-based. Filled only by the parser.
class Attributes {
public:
    using Iterator = std::vector<AttributeItem>::const_iterator;

    // By 1-based position; outside 1..Count fails with error 9.
    const AttributeItem& Item(int index) const;
    // The first item of that name, compared case-sensitively; an unknown name
    // fails with error 9 like a position out of range.
    const AttributeItem& Item(QStringView name) const;

    int Count() const { return static_cast<int>(m_items.size()); }
    int getLength() const { return Count(); }
    const QString& getName(int index) const { return Item(index).Name(); }
    const QString& getValue(int index) const { return Item(index).Value(); }

    Iterator begin() const { return m_items.begin(); }
    Iterator end() const { return m_items.end(); }

private:
    friend class Parser;
    void append(QString name, QString value)
    {
        m_items.emplace_back(std::move(name), std::move(value));
    }
    void clear() { m_items.clear(); }

    std::vector<AttributeItem> m_items;
};

} // namespace tallix
