// Runs the real window for a while and reports how many chaos steps a second
// its run timer delivers and what each costs, beside the floor: a bare process
// that only wakes at 1 ms deadlines, measured in the same seconds. The cost
// of a step divided by the cost of a bare wake-up is the figure to steer by:
// it holds on a noisy machine where absolute times do not. For comparison,
// the same handler is then driven by a plain repeating 1 ms Qt timer. Last, a
// bare widget shows one new pixel a frame, beside the bare loop again: the
// least that 60 frames a second cost in Qt's widgets on this machine, as a
// share of the 1,000 wake-ups a run needs.

#include "program/PlatformSettings.h"
#include "window/DisplayPace.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
        const long wakeUps = static_cast<long>(start.seconds * kNanosecondsPerSecond / kWakeUpPeriodNs);
        const double cpuBefore = usageNow().cpuSeconds;
        timespec deadline = start.runStart;
        deadline.tv_nsec += kWakeUpPeriodNs / 2;
        if (deadline.tv_nsec >= kNanosecondsPerSecond) {
            deadline.tv_nsec -= kNanosecondsPerSecond;
            ++deadline.tv_sec;
        }
        for (long i = 0; i < wakeUps; ++i) {
            deadline.tv_nsec += kWakeUpPeriodNs;
            if (deadline.tv_nsec >= kNanosecondsPerSecond) {
                deadline.tv_nsec -= kNanosecondsPerSecond;
                ++deadline.tv_sec;
            }
            while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) != 0) {
            }
        }
        const double cpu = usageNow().cpuSeconds - cpuBefore;
        return {wakeUps > 0 ? cpu / wakeUps * 1e6 : 0, wakeUps};
    }

    pid_t pid_ = -1;
    int go_ = -1;
    int result_ = -1;
};

// A widget that sets one more pixel of its picture every frame and repaints
// just that pixel: a frame with as little in it as a frame can have.
class BareFrames : public QWidget {
public:
    BareFrames()
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(picture_.size());
        picture_.fill(Qt::black);
    }

    void start() { timer_.start(static_cast<int>(DisplayPace::kFrame.count()), Qt::PreciseTimer, this); }
    void stop() { timer_.stop(); }

protected:
    void timerEvent(QTimerEvent*) override
    {
        const QPoint pixel(shown_ % picture_.width(), shown_ / picture_.width() % picture_.height());
        ++shown_;
        picture_.setPixel(pixel, qRgb(255, 255, 255));
        update(QRect(pixel, QSize(1, 1)));
    }

    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        for (const QRect& rect : event->region())
            painter.drawImage(rect, picture_, rect);
    }

private:
    QImage picture_{640, 480, QImage::Format_RGB32};
    QBasicTimer timer_;
    int shown_ = 0;
};

struct Measure {
    double stepsPerSecond;
    double cpuMicrosPerStep;
    double cpuShare;
};

// What running the event loop for a while cost.
struct Spent {
    double cpuSeconds;
    double wallSeconds;
};

Spent runEventLoopFor(double seconds)
{
    const Usage start = usageNow();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return {usageNow().cpuSeconds - start.cpuSeconds, wall.nsecsElapsed() / 1e9};
}

// Runs the event loop for `seconds` and measures the steps taken meanwhile.
Measure measure(MainWindow& window, double seconds)
{
    const Long startCount = window.experiment().DotCount;
    const Spent spent = runEventLoopFor(seconds);
    const double steps = window.experiment().DotCount - startCount;
    return {steps / spent.wallSeconds, steps > 0 ? spent.cpuSeconds / steps * 1e6 : 0,
            spent.cpuSeconds / spent.wallSeconds};
}

} // namespace

int main(int argc, char* argv[])
{
    FloorProcess floorProcess;
    FloorProcess framesFloorProcess;
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

    BareFrames bareFrames;
    bareFrames.show();
    if (!QTest::qWaitForWindowExposed(&bareFrames)) {
        std::fprintf(stderr, "the bare window was never shown\n");
        return 1;
    }
    timespec framesStart{};
    clock_gettime(CLOCK_MONOTONIC, &framesStart);
    bareFrames.start();
    framesFloorProcess.start(framesStart, seconds);
    const double framesCpu = runEventLoopFor(seconds).cpuSeconds;
    bareFrames.stop();
    const Floor framesFloor = framesFloorProcess.result();
    const double floorCpu = framesFloor.cpuMicrosPerWakeUp * framesFloor.wakeUps / 1e6;
    const double framesShare = floorCpu > 0 ? framesCpu / floorCpu : 0;

    const long peakKiB = usageNow().peakKiB;
    const double ratio = floor.cpuMicrosPerWakeUp > 0 ? runTimer.cpuMicrosPerStep / floor.cpuMicrosPerWakeUp : 0;
    std::printf("platform %s, %.0f s each\n", qPrintable(platform), seconds);
    std::printf("  run timer:   %7.1f steps/s, %6.1f us CPU a step, %5.1f%% of a core\n",
                runTimer.stepsPerSecond, runTimer.cpuMicrosPerStep, runTimer.cpuShare * 100);
    std::printf("  bare wake-up loop meanwhile: %ld wake-ups, %6.1f us CPU each; a step costs %.2f of them\n",
                floor.wakeUps, floor.cpuMicrosPerWakeUp, ratio);
    std::printf("  plain timer: %7.1f steps/s, %6.1f us CPU a step, %5.1f%% of a core\n",
                plainTimer.stepsPerSecond, plainTimer.cpuMicrosPerStep, plainTimer.cpuShare * 100);
    std::printf("  bare frames: a bare widget showing one new pixel every %lld ms costs %.2f of the bare loop's "
                "1,000 wake-ups a second\n",
                static_cast<long long>(DisplayPace::kFrame.count()), framesShare);
    std::printf("  peak resident memory %ld KiB\n", peakKiB);
    std::printf("{\"platform\":\"%s\",\"seconds\":%.0f,\"steps_per_s\":%.1f,\"cpu_us_per_step\":%.2f,"
                "\"cpu_share\":%.4f,\"floor_cpu_us_per_wakeup\":%.2f,\"ratio\":%.3f,"
                "\"plain_steps_per_s\":%.1f,\"plain_cpu_share\":%.4f,\"gain\":%.4f,\"bare_frames_share\":%.3f,"
                "\"peak_rss_kib\":%ld}\n",
                qPrintable(platform), seconds, runTimer.stepsPerSecond, runTimer.cpuMicrosPerStep,
                runTimer.cpuShare, floor.cpuMicrosPerWakeUp, ratio, plainTimer.stepsPerSecond,
                plainTimer.cpuShare, runTimer.stepsPerSecond / plainTimer.stepsPerSecond, framesShare, peakKiB);
    return 0;
}
