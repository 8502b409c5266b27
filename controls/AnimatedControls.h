#pragma once

#include "controls/Solido3dExport.h"

#include <QHash>
#include <QMutex>
#include <QObject>

namespace Solido {

class KwControl;

// One step of a picture animation: the frame counter moves on; at the number of frames it goes
// back to 0 and, while a play count is in force (above 0), the count goes down; when it reaches
// 0 the animation stops. The frame then shown is `frame`.
struct AnimationStep {
    int frame = 0;
    int playsLeft = 0;
    bool stop = false;
};
SOLIDO3D_EXPORT AnimationStep nextAnimationFrame(int frame, int frames, int playsLeft);

// Every control whose picture is animating, each with its own timer. Timer ticks find their
// control by timer identifier; the list is guarded by a lock because ticks and the controls'
// own starts and stops reach it independently.
class SOLIDO3D_EXPORT AnimatedControls : public QObject {
    Q_OBJECT
public:
    static AnimatedControls& instance();
    // The list if it was made and the application still runs, else null.
    static AnimatedControls* existing();

    // Starts (or restarts with a new delay) the control's timer.
    void start(KwControl* control, int delayMs);
    void stop(KwControl* control);
    bool contains(const KwControl* control) const;
    int count() const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    explicit AnimatedControls(QObject* parent);
    int timerOf(const KwControl* control) const; // under the lock

    mutable QMutex m_lock;
    QHash<int, KwControl*> m_byTimer;
};

} // namespace Solido
