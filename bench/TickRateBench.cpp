// Runs the real window for a while and reports how many chaos steps a second
// its run timer delivers, what each costs, and the same for a plain repeating
// 1 ms Qt timer driving the same handler.

#include "window/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

using namespace tarnelby;

namespace {

struct Usage {
    double cpuSeconds;
    long peakKiB;
};

Usage usageNow()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {seconds(u.ru_utime) + seconds(u.ru_stime), u.ru_maxrss};
}

struct Measure {
    double stepsPerSecond;
    double cpuMicrosPerStep;
    double cpuShare;
};

// Runs the event loop for `seconds` and measures the steps taken meanwhile.
Measure measure(MainWindow& window, double seconds)
{
    const Long startCount = window.experiment().DotCount;
    const Usage start = usageNow();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = wall.nsecsElapsed() / 1e9;
    const double cpu = usageNow().cpuSeconds - start.cpuSeconds;
    const double steps = window.experiment().DotCount - startCount;
    return {steps / elapsed, steps > 0 ? cpu / steps * 1e6 : 0, cpu / elapsed};
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const QString platform = QGuiApplication::platformName();

    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    window.closeReadMe();
    for (QPointF point : {QPointF(4500, 1500), QPointF(7500, 1500), QPointF(6000, 4500)})
        window.pickPoint(point);

    window.toggleRun();
    const Measure runTimer = measure(window, seconds);
    window.toggleRun();

    QTimer plain;
    plain.setTimerType(Qt::PreciseTimer);
    plain.setInterval(1);
    QObject::connect(&plain, &QTimer::timeout, &window, &MainWindow::step);
    plain.start();
    const Measure plainTimer = measure(window, seconds);
    plain.stop();

    const long peakKiB = usageNow().peakKiB;
    std::printf("platform %s, %.0f s each\n", qPrintable(platform), seconds);
    std::printf("  run timer:   %7.1f steps/s, %6.1f us CPU a step, %5.1f%% of a core\n",
                runTimer.stepsPerSecond, runTimer.cpuMicrosPerStep, runTimer.cpuShare * 100);
    std::printf("  plain timer: %7.1f steps/s, %6.1f us CPU a step, %5.1f%% of a core\n",
                plainTimer.stepsPerSecond, plainTimer.cpuMicrosPerStep, plainTimer.cpuShare * 100);
    std::printf("  peak resident memory %ld KiB\n", peakKiB);
    std::printf("{\"platform\":\"%s\",\"seconds\":%.0f,\"steps_per_s\":%.1f,\"cpu_us_per_step\":%.2f,"
                "\"cpu_share\":%.4f,\"plain_steps_per_s\":%.1f,\"plain_cpu_share\":%.4f,"
                "\"gain\":%.4f,\"peak_rss_kib\":%ld}\n",
                qPrintable(platform), seconds, runTimer.stepsPerSecond, runTimer.cpuMicrosPerStep,
                runTimer.cpuShare, plainTimer.stepsPerSecond, plainTimer.cpuShare,
                runTimer.stepsPerSecond / plainTimer.stepsPerSecond, peakKiB);
    return 0;
}
