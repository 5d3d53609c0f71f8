#include "window/RunTimer.h"

#include <QTimerEvent>

#include <algorithm>

namespace tarnelby {

void RunTimer::setInterval(int milliseconds)
{
    interval_ = std::max(0, milliseconds);
    if (interval_ == 0) {
        wakeUp_.stop();
        return;
    }
    due_ = Schedule::now() + std::chrono::milliseconds(interval_);
    wakeUp_.start(interval_, Qt::PreciseTimer, this);
}

void RunTimer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != wakeUp_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    const Schedule::time_point now = Schedule::now();
    if (now - due_ > kStallLimit)
        due_ = now;
    while (now >= due_) {
        due_ += std::chrono::milliseconds(interval_);
        emit timeout();
        // The handler may have stopped the timer; one that restarted it set
        // the next tick after `now`.
        if (!wakeUp_.isActive())
            return;
    }
}

} // namespace tarnelby
