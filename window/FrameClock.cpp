#include "window/FrameClock.h"

#include <QAbstractEventDispatcher>
#include <QTimerEvent>

namespace tarnelby {

FrameClock::FrameClock(QObject* parent)
    : QObject(parent)
{
    setObjectName("frameClock");
}

void FrameClock::request()
{
    requested_ = true;
    if (timer_.isActive())
        return;
    timer_.start(static_cast<int>(kFrame.count()), Qt::PreciseTimer, this);
    due_ = std::chrono::steady_clock::now() + kFrame;
}

bool FrameClock::isFrameDue(Time now) const
{
    return timer_.isActive() && now >= due_;
}

void FrameClock::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (!requested_) {
        timer_.stop();
        return;
    }
    // When the timer falls due next, to the millisecond above.
    due_ = std::chrono::steady_clock::now()
        + std::chrono::milliseconds(QAbstractEventDispatcher::instance()->remainingTime(timer_.timerId()));
    requested_ = false;
    emit frame();
}

} // namespace tarnelby
