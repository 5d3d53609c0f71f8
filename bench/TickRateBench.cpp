// Runs the real window for a while and reports how many chaos steps a second
// its run timer delivers and what each costs, beside the floor: a bare process
// that only wakes at 1 ms deadlines, measured in the same seconds. The cost
// of a step divided by the cost of a bare wake-up is the figure to steer by:
// it holds on a noisy machine where absolute times do not. For comparison,
// the same handler is then driven by a plain repeating 1 ms Qt timer, which
// drops the ticks it is late for where the run timer makes them up. Last, a
// bare widget keeps a run's pace with nothing to do, beside the bare loop
// again: about the least that ticks and 60 frames a second cost in Qt's
// widgets on this machine, in the same measure.

#include "program/Startup.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

using namespace tarnelby;

namespace {

constexpr long kNanosecondsPerSecond = 1'000'000'000;
constexpr long kWakeUpPeriodNs = 1'000'000;

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

long wakeUpsIn(double seconds)
{
    return static_cast<long>(seconds * kNanosecondsPerSecond / kWakeUpPeriodNs);
}

void advance(timespec& time, long nanoseconds)
{
    time.tv_nsec += nanoseconds;
    while (time.tv_nsec >= kNanosecondsPerSecond) {
        time.tv_nsec -= kNanosecondsPerSecond;
        ++time.tv_sec;
    }
}

void sleepUntil(const timespec& deadline)
{
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) != 0) {
    }
}

// What the bare loop measured: its CPU per wake-up in microseconds.
struct Floor {
    double cpuMicrosPerWakeUp = 0;
    long wakeUps = 0;
};

// The floor: a process that sleeps to absolute 1 ms deadlines and does nothing
// when it wakes. It is forked before the toolkit starts any thread, waits for
// the word on `go`, runs for the seconds it is sent and writes what it
// measured to `result`.
class FloorProcess {
public:
    FloorProcess()
    {
        int goPipe[2];
        int resultPipe[2];
        if (pipe(goPipe) != 0 || pipe(resultPipe) != 0) {
            std::perror("pipe");
            std::exit(1);
        }
        pid_ = fork();
        if (pid_ < 0) {
            std::perror("fork");
            std::exit(1);
        }
        if (pid_ == 0) {
            close(goPipe[1]);
            close(resultPipe[0]);
            Start start{};
            if (read(goPipe[0], &start, sizeof start) == sizeof start) {
                const Floor floor = wakeUpFor(start);
                if (write(resultPipe[1], &floor, sizeof floor) != sizeof floor)
                    _exit(1);
            }
            _exit(0);
        }
        close(goPipe[0]);
        close(resultPipe[1]);
        go_ = goPipe[1];
        result_ = resultPipe[0];
    }

    ~FloorProcess()
    {
        close(go_);
        close(result_);
        waitpid(pid_, nullptr, 0);
    }

    FloorProcess(const FloorProcess&) = delete;
    FloorProcess& operator=(const FloorProcess&) = delete;

    // Starts wake-ups at the run's tick times shifted by half a period, for
    // `seconds`: `runStart` is when the run's schedule began.
    void start(timespec runStart, double seconds)
    {
        const Start start{runStart, seconds};
        if (write(go_, &start, sizeof start) != sizeof start)
            std::perror("starting the floor");
    }

    Floor result()
    {
        Floor floor;
        if (read(result_, &floor, sizeof floor) != sizeof floor)
            std::fprintf(stderr, "the floor reported nothing\n");
        return floor;
    }

private:
    struct Start {
        timespec runStart;
        double seconds;
    };

    static Floor wakeUpFor(Start start)
    {
        const long wakeUps = wakeUpsIn(start.seconds);
        const double cpuBefore = usageNow().cpuSeconds;
        timespec deadline = start.runStart;
        advance(deadline, kWakeUpPeriodNs / 2);
        for (long i = 0; i < wakeUps; ++i) {
            advance(deadline, kWakeUpPeriodNs);
            sleepUntil(deadline);
        }
        const double cpu = usageNow().cpuSeconds - cpuBefore;
        return {wakeUps > 0 ? cpu / wakeUps * 1e6 : 0, wakeUps};
    }

    pid_t pid_ = -1;
    int go_ = -1;
    int result_ = -1;
};

// A widget that keeps a run's pace with nothing else to do: it sleeps to each
// 1 ms deadline as the bare loop does, and once a frame it sets one more pixel
// of its picture, asks for just that pixel to be repainted and lets the event
// loop serve what waits: no pass of the event loop between frames at all.
class BarePace : public QWidget {
public:
    BarePace()
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(picture_.size());
        picture_.fill(Qt::black);
    }

    // Ticks at 1 ms deadlines after `start` for `seconds`; returns the CPU
    // each tick cost, in microseconds.
    double run(timespec start, double seconds)
    {
        const long ticksPerFrame = std::chrono::nanoseconds(MainWindow::kFrame).count() / kWakeUpPeriodNs;
        const long ticks = wakeUpsIn(seconds);
        const double cpuBefore = usageNow().cpuSeconds;
        timespec deadline = start;
        for (long tick = 0; tick < ticks; ++tick) {
            advance(deadline, kWakeUpPeriodNs);
            sleepUntil(deadline);
            if (tick % ticksPerFrame == 0) {
                showOneMorePixel();
                QCoreApplication::processEvents();
            }
        }
        return ticks > 0 ? (usageNow().cpuSeconds - cpuBefore) / ticks * 1e6 : 0;
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        for (const QRect& rect : event->region())
            painter.drawImage(rect, picture_, rect);
    }

private:
    void showOneMorePixel()
    {
        const QPoint pixel(shown_ % picture_.width(), shown_ / picture_.width() % picture_.height());
        ++shown_;
        picture_.setPixel(pixel, qRgb(255, 255, 255));
        update(QRect(pixel, QSize(1, 1)));
    }

    QImage picture_{640, 480, QImage::Format_RGB32};
    int shown_ = 0;
};

struct Measure {
    double stepsPerSecond;
    double cpuMicrosPerStep;
    double cpuShare;
};

// Runs the event loop for `seconds` and measures the steps taken meanwhile.
Measure measure(MainWindow& window, double seconds)
{
    const Long startCount = window.experiment().count();
    const Usage start = usageNow();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = wall.nsecsElapsed() / 1e9;
    const double cpu = usageNow().cpuSeconds - start.cpuSeconds;
    const double steps = window.experiment().count() - startCount;
    return {steps / elapsed, steps > 0 ? cpu / steps * 1e6 : 0, cpu / elapsed};
}

} // namespace

int main(int argc, char* argv[])
{
    FloorProcess floorProcess;
    FloorProcess barePaceFloorProcess;
    choosePlatformSettings(); // as the program does
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

    timespec runStart{};
    clock_gettime(CLOCK_MONOTONIC, &runStart);
    window.toggleRun();
    floorProcess.start(runStart, seconds);
    const Measure runTimer = measure(window, seconds);
    const Floor floor = floorProcess.result();
    window.toggleRun();

    QTimer plain;
    plain.setTimerType(Qt::PreciseTimer);
    plain.setInterval(1);
    QObject::connect(&plain, &QTimer::timeout, &window, &MainWindow::step);
    plain.start();
    const Measure plainTimer = measure(window, seconds);
    plain.stop();

    window.hide();

    BarePace barePace;
    barePace.show();
    if (!QTest::qWaitForWindowExposed(&barePace)) {
        std::fprintf(stderr, "the bare widget was never shown\n");
        return 1;
    }
    timespec barePaceStart{};
    clock_gettime(CLOCK_MONOTONIC, &barePaceStart);
    barePaceFloorProcess.start(barePaceStart, seconds);
    const double barePaceMicrosPerTick = barePace.run(barePaceStart, seconds);
    const Floor barePaceFloor = barePaceFloorProcess.result();
    const double barePaceRatio =
        barePaceFloor.cpuMicrosPerWakeUp > 0 ? barePaceMicrosPerTick / barePaceFloor.cpuMicrosPerWakeUp : 0;

    const long peakKiB = usageNow().peakKiB;
    const double ratio = floor.cpuMicrosPerWakeUp > 0 ? runTimer.cpuMicrosPerStep / floor.cpuMicrosPerWakeUp : 0;
    std::printf("platform %s, %.0f s each\n", qPrintable(platform), seconds);
    std::printf("  run timer:   %7.1f steps/s, %6.1f us CPU a step, %5.1f%% of a core\n",
                runTimer.stepsPerSecond, runTimer.cpuMicrosPerStep, runTimer.cpuShare * 100);
    std::printf("  bare wake-up loop meanwhile: %ld wake-ups, %6.1f us CPU each; a step costs %.2f of them\n",
                floor.wakeUps, floor.cpuMicrosPerWakeUp, ratio);
    std::printf("  plain timer: %7.1f steps/s, %6.1f us CPU a step, %5.1f%% of a core\n",
                plainTimer.stepsPerSecond, plainTimer.cpuMicrosPerStep, plainTimer.cpuShare * 100);
    std::printf("  bare widget at the same pace, one new pixel a frame: %6.1f us CPU a tick, %.2f bare wake-ups\n",
                barePaceMicrosPerTick, barePaceRatio);
    std::printf("  peak resident memory %ld KiB\n", peakKiB);
    std::printf("{\"platform\":\"%s\",\"seconds\":%.0f,\"steps_per_s\":%.1f,\"cpu_us_per_step\":%.2f,"
                "\"cpu_share\":%.4f,\"floor_cpu_us_per_wakeup\":%.2f,\"ratio\":%.3f,"
                "\"plain_steps_per_s\":%.1f,\"plain_cpu_share\":%.4f,\"gain\":%.4f,\"bare_pace_ratio\":%.3f,"
                "\"peak_rss_kib\":%ld}\n",
                qPrintable(platform), seconds, runTimer.stepsPerSecond, runTimer.cpuMicrosPerStep,
                runTimer.cpuShare, floor.cpuMicrosPerWakeUp, ratio, plainTimer.stepsPerSecond,
                plainTimer.cpuShare, runTimer.stepsPerSecond / plainTimer.stepsPerSecond, barePaceRatio, peakKiB);
    return 0;
}
