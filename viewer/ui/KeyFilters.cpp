#include "viewer/ui/KeyFilters.h"

#include <QKeyEvent>
#include <algorithm>

namespace tallix {

namespace {

bool typesText(const QKeyEvent* key)
{
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
        return true;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // shortcuts
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

} // namespace

bool IgnoreTyping::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && typesText(static_cast<QKeyEvent*>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

bool DigitsOnly::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace)
            return true;
        if (typesText(key) && key->key() != Qt::Key_Delete) {
            const QString text = key->text();
            const bool digits =
                !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
                    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                });
            if (!digits)
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tallix
