#pragma once

#include <QObject>

namespace tallix {

// Discards every typed character (and Backspace and Delete) on the widgets it watches, so a
// combo box can only be chosen from; navigation keys still move through the list.
class IgnoreTyping : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Lets only the digits 0 to 9 through as typed characters; every other typed character,
// Backspace included, is discarded.
class DigitsOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tallix
