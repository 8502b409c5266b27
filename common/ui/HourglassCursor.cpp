#include "common/ui/HourglassCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace tallix {

HourglassCursor::HourglassCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HourglassCursor::~HourglassCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace tallix
