#include "window/DisplayPace.h"

#include <QAbstractEventDispatcher>
#include <QBasicTimer>
#include <QCoreApplication>
#include <QTimerEvent>

#include <algorithm>
#include <vector>

namespace tarnelby {

// The frame clock of the program's one GUI thread. It ticks every kFrame while
// some pace has asked for a frame, shows every pace that asked in the same
// pass, and stops after a frame in which none had.
class FrameClock : public QObject {
public:
    using Clock = DisplayPace::Clock;

    static FrameClock* instance()
    {
        if (current_ == nullptr)
            current_ = new FrameClock(QCoreApplication::instance());
        return current_;
    }

    static void leave(DisplayPace* pace)
    {
        if (current_ != nullptr)
            std::erase(current_->paces_, pace);
    }

    static bool isDue(Clock::time_point now)
    {
        return current_ != nullptr && current_->timer_.isActive() && now >= current_->due_;
    }

    ~FrameClock() override { current_ = nullptr; }

    void join(DisplayPace* pace) { paces_.push_back(pace); }

    void wake()
    {
        if (timer_.isActive())
            return;
        timer_.start(static_cast<int>(DisplayPace::kFrame.count()), Qt::PreciseTimer, this);
        due_ = Clock::now() + DisplayPace::kFrame;
    }

protected:
    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() != timer_.timerId()) {
            QObject::timerEvent(event);
            return;
        }
        // When the timer falls due next, to the millisecond above.
        due_ = Clock::now() + std::chrono::milliseconds(
                   QAbstractEventDispatcher::instance()->remainingTime(timer_.timerId()));
        bool shown = false;
        // By index: a `show` may create or destroy paces.
        for (std::size_t i = 0; i < paces_.size(); ++i) {
            DisplayPace* pace = paces_[i];
            if (!pace->requested_)
                continue;
            pace->requested_ = false;
            shown = true;
            pace->show_();
        }
        if (!shown)
            timer_.stop();
    }

private:
    explicit FrameClock(QObject* parent) : QObject(parent) {}

    static inline FrameClock* current_ = nullptr;
    QBasicTimer timer_;
    Clock::time_point due_{};
    std::vector<DisplayPace*> paces_;
};

DisplayPace::DisplayPace(std::function<void()> show, QObject* parent)
    : QObject(parent)
    , show_(std::move(show))
{
    FrameClock::instance()->join(this);
}

DisplayPace::~DisplayPace()
{
    FrameClock::leave(this);
}

void DisplayPace::request()
{
    requested_ = true;
    FrameClock::instance()->wake();
}

bool DisplayPace::frameIsDue(Clock::time_point now)
{
    return FrameClock::isDue(now);
}

} // namespace tarnelby
