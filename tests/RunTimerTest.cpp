#include "window/RunTimer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <thread>

using namespace tarnelby;
using namespace std::chrono_literals;

namespace {

// Runs the event loop for `ms` milliseconds.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class RunTimerTest : public QObject {
    Q_OBJECT

private slots:
    void intervalZeroNeverTicks()
    {
        RunTimer timer("runTimer", nullptr);
        int ticks = 0;
        connect(&timer, &RunTimer::timeout, [&] { ++ticks; });
        timer.setInterval(0);
        runFor(30);
        timer.setInterval(1);
        timer.setInterval(0);
        runFor(30);
        QCOMPARE(ticks, 0);
        QCOMPARE(timer.interval(), 0);
    }

    // A handler that runs late now and then (a repaint, a busy moment) does
    // not push the schedule back: the ticks that fell due meanwhile follow.
    void lateTicksAreMadeUpOneByOne()
    {
        RunTimer timer("runTimer", nullptr);
        int ticks = 0;
        connect(&timer, &RunTimer::timeout, [&] {
            if (++ticks % 50 == 0)
                std::this_thread::sleep_for(10ms);
        });
        QElapsedTimer clock;
        clock.start();
        timer.setInterval(1);
        runFor(400);
        timer.setInterval(0);
        const double expected = clock.nsecsElapsed() / 1e6;
        QVERIFY2(ticks >= expected * 0.9 && ticks <= expected + 1,
                 qPrintable(QString("%1 ticks in %2 ms").arg(ticks).arg(expected)));
    }

    void ticksMissedInALongStallAreDropped()
    {
        RunTimer timer("runTimer", nullptr);
        int ticks = 0;
        connect(&timer, &RunTimer::timeout, [&] {
            if (++ticks == 5)
                std::this_thread::sleep_for(300ms);
        });
        timer.setInterval(1);
        runFor(330);
        timer.setInterval(0);
        // Five ticks, the stall, then about 30 more; replaying the stall would give about 330.
        QVERIFY2(ticks < 80, qPrintable(QString::number(ticks)));
        QVERIFY2(ticks > 10, qPrintable(QString::number(ticks)));
    }
};

QTEST_MAIN(RunTimerTest)
#include "RunTimerTest.moc"
