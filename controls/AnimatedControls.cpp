#include "controls/AnimatedControls.h"

#include "controls/KwControl.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QPointer>
#include <QTimerEvent>
#include <algorithm>

namespace Solido {

AnimationStep nextAnimationFrame(int frame, int frames, int playsLeft)
{
    AnimationStep step{frame + 1, playsLeft, false};
    if (step.frame >= frames) {
        step.frame = 0;
        if (step.playsLeft > 0 && --step.playsLeft == 0)
            step.stop = true;
    }
    return step;
}

AnimatedControls::AnimatedControls(QObject* parent)
    : QObject(parent)
{}

namespace {

// Owned by the application, so its timers end with the event loop that runs them.
QPointer<AnimatedControls>& theList()
{
    static QPointer<AnimatedControls> list;
    return list;
}

} // namespace

AnimatedControls& AnimatedControls::instance()
{
    if (!theList())
        theList() = new AnimatedControls(QCoreApplication::instance());
    return *theList();
}

AnimatedControls* AnimatedControls::existing()
{
    return theList().data();
}

int AnimatedControls::timerOf(const KwControl* control) const
{
    for (auto it = m_byTimer.cbegin(); it != m_byTimer.cend(); ++it)
        if (it.value() == control)
            return it.key();
    return 0;
}

void AnimatedControls::start(KwControl* control, int delayMs)
{
    stop(control);
    const int id = startTimer(std::max(1, delayMs));
    if (id == 0)
        return;
    QMutexLocker lock(&m_lock);
    m_byTimer.insert(id, control);
}

void AnimatedControls::stop(KwControl* control)
{
    int id = 0;
    {
        QMutexLocker lock(&m_lock);
        id = timerOf(control);
        if (id)
            m_byTimer.remove(id);
    }
    if (id)
        killTimer(id);
}

bool AnimatedControls::contains(const KwControl* control) const
{
    QMutexLocker lock(&m_lock);
    return timerOf(control) != 0;
}

int AnimatedControls::count() const
{
    QMutexLocker lock(&m_lock);
    return int(m_byTimer.size());
}

void AnimatedControls::timerEvent(QTimerEvent* event)
{
    KwControl* control = nullptr;
    {
        QMutexLocker lock(&m_lock);
        control = m_byTimer.value(event->timerId());
    }
    if (!control) {
        killTimer(event->timerId());
        return;
    }
    if (!control->advanceAnimation())
        stop(control);
}

} // namespace Solido
