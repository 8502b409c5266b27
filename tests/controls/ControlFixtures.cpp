#include "tests/controls/ControlFixtures.h"

#include <QPaintEvent>

namespace solido_test {

bool PaintRecorder::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        painted.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
}

} // namespace solido_test
