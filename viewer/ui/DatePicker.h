#pragma once

#include <QDateTime>
#include <QWidget>
#include <optional>

class QCheckBox;
class QDateTimeEdit;

namespace tallix {

// A date-and-time picker whose value may be absent: a check box in front of the editor. The
// value is kept while unchecked, so checking the box again brings it back.
class DatePicker : public QWidget {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    // The value when the box is checked, nothing otherwise.
    std::optional<QDateTime> value() const;
    // Sets the value and checks the box.
    void setValue(const QDateTime& value);
    // Unchecks the box; the value stays in the editor.
    void clearValue();
    bool hasValue() const;

    QCheckBox* checkBox() const { return m_check; }
    QDateTimeEdit* editor() const { return m_edit; }

signals:
    void valueChanged();

private:
    QCheckBox* m_check;
    QDateTimeEdit* m_edit;
};

} // namespace tallix
