#pragma once

#include <QBasicTimer>
#include <QObject>

#include <chrono>

namespace tarnelby {

// Paces what the screen shows to the display. A run changes the picture and
// the dot counter 1,000 times a second, but no eye sees more than about 60
// frames a second: what changed asks for the next frame with request(), and
// frame() is emitted once every kFrame while requests come, so that all of it
// is shown together and the window is painted once a frame. The clock stops
// after a frame for which nothing asked.
class FrameClock : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kFrame{16};

    explicit FrameClock(QObject* parent);

    // Asks for the next frame. Cheap enough for every step: it only notes
    // the wish while the clock runs, and allocates nothing.
    void request();

signals:
    // Show what changed since the last frame.
    void frame();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer timer_;
    bool requested_ = false;
};

} // namespace tarnelby
