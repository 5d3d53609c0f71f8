#pragma once

#include <QObject>

#include <chrono>
#include <functional>

namespace tarnelby {

// Holds back repaints to the display's pace. A run changes the picture and
// the dot counter 1,000 times a second, but the screen shows at most about 60
// frames a second: request() asks for one call of `show` within kFrame, and
// further requests meanwhile are folded into it. All paces share one frame
// clock, so the parts that changed are shown together and the window is
// painted and handed to the screen once a frame. request() only notes the
// wish: it is cheap enough for every step, and while the frame clock runs it
// allocates nothing.
class DisplayPace : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kFrame{16};

    DisplayPace(std::function<void()> show, QObject* parent);
    ~DisplayPace() override;

    void request();

    // True when a frame is due at `now` and waits for the event loop to show
    // it. Never before the frame clock's timer has fallen due.
    static bool frameIsDue(Clock::time_point now);

private:
    friend class FrameClock;

    std::function<void()> show_;
    bool requested_ = false;
};

} // namespace tarnelby
