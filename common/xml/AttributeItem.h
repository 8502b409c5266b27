#pragma once

#include <QString>

namespace tallix {

// One attribute of a tag, exactly as it stood there: the value between its quotes
// is neither entity-decoded nor changed in its white space.
class AttributeItem {
public:
    AttributeItem(QString name, QString value)
        : m_name(std::move(name))
        , m_value(std::move(value))
    {}

    // The name of this attribute.
    const QString& Name() const { return m_name; }
    // The value of this attribute.
    const QString& Value() const { return m_value; }

private:
    QString m_name;
    QString m_value;
};

} // namespace tallix
