#pragma once

#include <QBasicTimer>
#include <QObject>

#include <chrono>

namespace tarnelby {

// The window's timer. Interval 0 means stopped; an interval of n > 0 ticks
// every n ms on a fixed schedule: a tick that comes late does not push the
// later ones back, and each tick that falls due is delivered as its own
// timeout(), so a 1 ms run keeps to 1,000 ticks a second. After a stall
// longer than kStallLimit (a modal dialog, a dragged window) the missed ticks
// are dropped, not delivered in a burst.
//
// Qt's precise timer wakes the event loop about once an interval; it only
// reschedules from the time it fired, so each wake-up delivers the ticks
// that have fallen due since the last by the schedule's own clock.
class RunTimer : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kStallLimit{50};

    explicit RunTimer(QObject* parent) : QObject(parent) {}

    int interval() const { return interval_; }

    // Starts the schedule afresh at n ms, or stops the timer for 0.
    void setInterval(int milliseconds);

signals:
    void timeout();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    using Schedule = std::chrono::steady_clock;

    QBasicTimer wakeUp_;
    Schedule::time_point due_{};  // the next tick's time
    int interval_ = 0;
};

} // namespace tarnelby
