#pragma once

#include <QString>

namespace tallix {

// One audited column of one audit row: its name and its value before and after the change, as
// texts.
class AuditDetails {
public:
    const QString& FieldName() const { return m_fieldName; }
    void setFieldName(const QString& value) { m_fieldName = value; }
    const QString& BeforeValue() const { return m_beforeValue; }
    void setBeforeValue(const QString& value) { m_beforeValue = value; }
    const QString& AfterValue() const { return m_afterValue; }
    void setAfterValue(const QString& value) { m_afterValue = value; }

private:
    QString m_fieldName;
    QString m_beforeValue;
    QString m_afterValue;
};

} // namespace tallix
