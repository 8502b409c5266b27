#include "tests/controls/ControlFixtures.h"

#include "controls/KwError.h"

#include <QPaintEvent>

namespace solido_test {

long errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Solido::KwError& e) {
        return e.number();
    }
    return 0;
}

bool PaintRecorder::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        painted.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
}

} // namespace solido_test
