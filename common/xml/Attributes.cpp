#include "common/xml/Attributes.h"

#include "common/base/Error.h"

namespace tallix {

const AttributeItem& Attributes::Item(int index) const
{
    if (index < 1 || index > Count())
        throw Error::subscriptOutOfRange();
    return m_items[static_cast<std::size_t>(index - 1)];
}

const AttributeItem& Attributes::Item(QStringView name) const
{
    for (const AttributeItem& item : m_items) {
        if (item.Name() == name)
            return item;
    }
    throw Error::subscriptOutOfRange();
}

} // namespace tallix
