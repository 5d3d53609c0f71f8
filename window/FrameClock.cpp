#include "window/FrameClock.h"

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
    requested_ = false;
    emit frame();
}

} // namespace tarnelby
