#include "viewer/details/Audit.h"

namespace tallix {

AuditDetails& Audit::Add(const QString& fieldName, const QString& beforeValue,
                         const QString& afterValue, const QString& sKey)
{
    auto item = std::make_unique<AuditDetails>();
    item->setFieldName(fieldName);
    item->setBeforeValue(beforeValue);
    item->setAfterValue(afterValue);
    return m_items.add(std::move(item), sKey);
}

} // namespace tallix
