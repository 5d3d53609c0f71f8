#include "window/RunTimer.h"

#include "window/FrameClock.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <system_error>
#include <utility>

namespace tarnelby {

namespace {

timespec timespecOf(std::chrono::nanoseconds duration)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((duration - seconds).count())};
}

// Empties the count of periods that ended, which keeps the timer readable.
// Where none ended the read finds nothing, which is as good.
void takeEndedPeriods(int timer)
{
    std::uint64_t ended = 0;
    [[maybe_unused]] const ssize_t taken = read(timer, &ended, sizeof ended);
}

} // namespace

RunTimer::RunTimer(const QString& name, const FrameClock& frames, QObject* parent)
    : QObject(parent)
    , frames_(frames)
{
    setObjectName(name);
    periodic_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (periodic_ < 0)
        throw std::system_error(errno, std::generic_category(), "timerfd_create");
    notifier_ = new QSocketNotifier(periodic_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &RunTimer::run);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { loopMayWait_ = true; });
}

RunTimer::~RunTimer()
{
    delete notifier_;
    close(periodic_);
}

void RunTimer::setInterval(int milliseconds)
{
    interval_ = std::max(0, milliseconds);
    ++schedule_;
    if (interval_ > 0) {
        armFrom(Clock::now() + std::chrono::milliseconds(interval_));
        return;
    }
    // Disarmed, with the periods it counted forgotten.
    const itimerspec stopped{};
    timerfd_settime(periodic_, 0, &stopped, nullptr);
}

void RunTimer::armFrom(Clock::time_point first)
{
    due_ = first;
    const itimerspec schedule{timespecOf(std::chrono::milliseconds(interval_)),
                              timespecOf(first.time_since_epoch())};
    timerfd_settime(periodic_, TFD_TIMER_ABSTIME, &schedule, nullptr);
}

void RunTimer::run()
{
    takeEndedPeriods(periodic_);
    // Only a pass of the event loop that was free to wait is held; a caller
    // that asked for the events at hand gets them at once.
    const bool mayWait = std::exchange(loopMayWait_, false);
    const Clock::time_point heldSince = Clock::now();
    const unsigned schedule = schedule_;
    while (interval_ > 0) {
        Clock::time_point now = Clock::now();
        if (now >= due_) {
            if (now - due_ > kStallLimit)
                armFrom(now);
            due_ += std::chrono::milliseconds(interval_);
            emit timeout();
            // The handler may have stopped or restarted the timer.
            if (schedule_ != schedule)
                return;
            now = Clock::now();
        }
        // The event loop gets its turn when a frame is due, also behind
        // schedule (the kernel timer, readable again, brings the thread
        // straight back for the ticks owed), and before a wait for a tick
        // beyond kLongestHold.
        if (frames_.isFrameDue(now) || now - heldSince >= kLongestHold
            || (now < due_ && (!mayWait || due_ - heldSince > kLongestHold)))
            break;
        if (now < due_) {
            const timespec deadline = timespecOf(due_.time_since_epoch());
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr);
        }
    }
    // The periods that ended meanwhile were served here.
    if (Clock::now() < due_)
        takeEndedPeriods(periodic_);
}

} // namespace tarnelby
