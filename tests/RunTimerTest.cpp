#include "window/RunTimer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <functional>
#include <thread>

using namespace tarnelby;
using namespace std::chrono_literals;

namespace {

struct Run {
    int ticks = 0;
    double ms = 0;
};

// Runs a 1 ms run timer for about `ms` milliseconds, `handler` told each
// tick's number.
Run runTicking(int ms, const std::function<void(int tick)>& handler)
{
    RunTimer timer(nullptr);
    Run run;
    QObject::connect(&timer, &RunTimer::timeout, [&] { handler(++run.ticks); });
    QElapsedTimer clock;
    clock.start();
    timer.setInterval(1);
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    timer.setInterval(0);
    run.ms = clock.nsecsElapsed() / 1e6;
    return run;
}

} // namespace

class RunTimerTest : public QObject {
    Q_OBJECT

private slots:
    // A handler that runs late now and then (a repaint, a busy moment) does
    // not push the schedule back: the ticks that fell due meanwhile follow.
    void lateTicksAreMadeUpOneByOne()
    {
        const Run run = runTicking(400, [](int tick) {
            if (tick % 50 == 0)
                std::this_thread::sleep_for(10ms);
        });
        QVERIFY2(run.ticks >= run.ms * 0.9 && run.ticks <= run.ms + 1,
                 qPrintable(QString("%1 ticks in %2 ms").arg(run.ticks).arg(run.ms)));
    }

    // Five ticks, the stall, then about 30 more; replaying the stall would give about 330.
    void ticksMissedInALongStallAreDropped()
    {
        const Run run = runTicking(330, [](int tick) {
            if (tick == 5)
                std::this_thread::sleep_for(300ms);
        });
        QVERIFY2(run.ticks > 10 && run.ticks < 80, qPrintable(QString::number(run.ticks)));
    }
};

QTEST_MAIN(RunTimerTest)
#include "RunTimerTest.moc"
