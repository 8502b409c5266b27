#include "viewer/ui/DatePicker.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>

namespace tallix {

DatePicker::DatePicker(QWidget* parent)
    : QWidget(parent)
    , m_check(new QCheckBox(this))
    , m_edit(new QDateTimeEdit(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);
    m_edit->setCalendarPopup(true);
    m_edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    m_edit->setEnabled(false);
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        m_edit->setEnabled(on);
        emit valueChanged();
    });
    connect(m_edit, &QDateTimeEdit::dateTimeChanged, this, &DatePicker::valueChanged);
}

std::optional<QDateTime> DatePicker::value() const
{
    if (!m_check->isChecked())
        return std::nullopt;
    return m_edit->dateTime();
}

void DatePicker::setValue(const QDateTime& value)
{
    m_edit->setDateTime(value);
    m_check->setChecked(true);
}

void DatePicker::clearValue()
{
    m_check->setChecked(false);
}

bool DatePicker::hasValue() const
{
    return m_check->isChecked();
}

} // namespace tallix
