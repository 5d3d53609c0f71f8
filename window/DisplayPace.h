#pragma once

#include <QBasicTimer>
#include <QObject>

#include <chrono>
#include <functional>

namespace tarnelby {

// Holds back repaints to the display's pace. A run changes the picture and
// the dot counter 1,000 times a second, but the screen shows at most about 60
// frames a second: request() asks for one call of `show` within kFrame, and
// further requests meanwhile are folded into it.
class DisplayPace : public QObject {
public:
    static constexpr std::chrono::milliseconds kFrame{16};

    DisplayPace(std::function<void()> show, QObject* parent);

    void request();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer timer_;
    std::function<void()> show_;
};

} // namespace tarnelby
