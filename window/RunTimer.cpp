#include "window/RunTimer.h"

#include <QTimerEvent>

namespace tarnelby {

RunTimer::RunTimer(const QString& name, QObject* parent)
    : QObject(parent)
{
    setObjectName(name);
}

void RunTimer::setInterval(int milliseconds)
{
    interval_ = std::max(0, milliseconds);
    timer_.stop();
    if (interval_ == 0)
        return;
    due_ = Clock::now() + std::chrono::milliseconds(interval_);
    waitForNextTick();
}

void RunTimer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    timer_.stop();
    const auto now = Clock::now();
    if (now < due_) {
        waitForNextTick();
        return;
    }
    if (now - due_ > kStallLimit)
        due_ = now;
    due_ += std::chrono::milliseconds(interval_);
    emit timeout();
    // The handler may have stopped or restarted the timer.
    if (interval_ > 0 && !timer_.isActive())
        waitForNextTick();
}

void RunTimer::waitForNextTick()
{
    using namespace std::chrono;
    const auto wait = due_ - Clock::now();
    // Qt's timers count whole milliseconds: wake at the due time or just
    // after it, never before; a tick already due goes out on the next pass
    // of the event loop.
    const auto ms = wait > Clock::duration::zero() ? ceil<milliseconds>(wait) : milliseconds(0);
    timer_.start(static_cast<int>(ms.count()), Qt::PreciseTimer, this);
}

} // namespace tarnelby
