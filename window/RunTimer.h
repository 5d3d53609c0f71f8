#pragma once

#include <QObject>

#include <chrono>

class QSocketNotifier;

namespace tarnelby {

class FrameClock;

// The window's timer. Interval 0 means stopped; an interval of n > 0 ticks
// every n ms on a fixed schedule: a tick that comes late does not push the
// later ones back, and each tick that falls due is delivered as its own
// timeout(), so a 1 ms run keeps close to 1,000 ticks a second. After a stall
// longer than kStallLimit (a modal dialog, a dragged window) the missed ticks
// are dropped, not delivered in a burst.
//
// The schedule is a kernel timer that wakes the event loop at the first tick.
// From there, in a pass of the event loop that was free to wait for events,
// the run timer keeps the thread between its ticks, sleeping to each one's
// deadline, and hands it back to the event loop when the display's next frame
// is due (FrameClock), or after kLongestHold where no frame is waited for: a
// pass of the event loop costs about half as much again as the wake-up itself,
// and a tick needs none. Input, other timers and repaints therefore wait at
// most about one frame, as the screen would. A pass that was not to wait
// (processEvents() from a handler) only gets the ticks already due.
class RunTimer : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kStallLimit{50};
    static constexpr std::chrono::milliseconds kLongestHold{16};

    // Throws std::system_error where the kernel has no timer to give.
    RunTimer(const QString& name, const FrameClock& frames, QObject* parent);
    ~RunTimer() override;

    int interval() const { return interval_; }

    // Starts the schedule afresh at n ms, or stops the timer for 0.
    void setInterval(int milliseconds);

signals:
    void timeout();

private:
    using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC, the kernel timer's clock

    void armFrom(Clock::time_point first);
    void run();

    const FrameClock& frames_;
    int periodic_ = -1;  // the kernel's periodic timer, on the same grid as due_
    QSocketNotifier* notifier_ = nullptr;
    Clock::time_point due_{};
    int interval_ = 0;
    unsigned schedule_ = 0;  // counts the schedules started, to notice a restart within a tick
    bool loopMayWait_ = false;  // the event loop's pass now running was free to wait
};

} // namespace tarnelby
