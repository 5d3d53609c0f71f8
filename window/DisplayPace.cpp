#include "window/DisplayPace.h"

#include <QTimerEvent>

namespace tarnelby {

DisplayPace::DisplayPace(std::function<void()> show, QObject* parent)
    : QObject(parent)
    , show_(std::move(show))
{
}

void DisplayPace::request()
{
    if (!timer_.isActive())
        timer_.start(static_cast<int>(kFrame.count()), Qt::CoarseTimer, this);
}

void DisplayPace::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    timer_.stop();
    show_();
}

} // namespace tarnelby
