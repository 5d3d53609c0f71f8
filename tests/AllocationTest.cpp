// A running window allocates nothing per tick: across 10,000 ticks of the real
// run timer, every heap allocation on the GUI thread is counted except those
// made while a frame is shown (the display's pace, the repaint, the labels'
// layout), which come 60 times a second and not with the ticks.
//
// The test runs on Qt's own event dispatcher (QT_NO_GLIB, set by CTest): the
// GLib one grows its list of ready sources whenever more of them are ready at
// once than ever before, at moments no test can foresee, which is not per tick.

#include "WindowFixture.h"

#include "window/RunTimer.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <cstddef>

using namespace tarnelby;
using tarnelby::testing::WindowFixture;

namespace {

thread_local bool tGuiThread = false;
thread_local int tShowingFrame = 0;
bool gCounting = false;
long gAllocations = 0;

void noteAllocation()
{
    if (tGuiThread && gCounting && tShowingFrame == 0)
        ++gAllocations;
}

// The events by which a frame is shown: the display pace's timer (any timer
// but the run's), the repaint it asks for, the paint events and the layout a
// new text asks for.
bool showsAFrame(const QObject* receiver, const QEvent* event, const QObject* runTimer)
{
    const QEvent::Type type = event->type();
    return (type == QEvent::Timer && receiver != runTimer) || type == QEvent::UpdateRequest || type == QEvent::UpdateLater
        || type == QEvent::Paint || type == QEvent::LayoutRequest;
}

class CountingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool frame = showsAFrame(receiver, event, runTimer);
        frames += event->type() == QEvent::UpdateRequest;
        tShowingFrame += frame;
        const bool handled = QApplication::notify(receiver, event);
        tShowingFrame -= frame;
        return handled;
    }

    long frames = 0;
    const QObject* runTimer = nullptr;
};

} // namespace

// Every allocation, C++ or C, Qt's included, passes through these.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);

void* malloc(std::size_t size) { noteAllocation(); return __libc_malloc(size); }
void* calloc(std::size_t count, std::size_t size) { noteAllocation(); return __libc_calloc(count, size); }
void* realloc(void* block, std::size_t size) { noteAllocation(); return __libc_realloc(block, size); }
}

class AllocationTest : public QObject {
    Q_OBJECT

private slots:
    void tenThousandTicksOfARunningWindowAllocateNothing()
    {
        constexpr Long kWarmUp = 1000;
        constexpr Long kTicks = 10'000;
        // Else the count below would be nothing whatever the window does.
        gAllocations = 0;
        gCounting = true;
        const QString counted = QString::number(1234567);
        gCounting = false;
        QCOMPARE(gAllocations, 1L);
        auto* app = static_cast<CountingApplication*>(QCoreApplication::instance());
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        app->runTimer = w.window().runTimer();
        for (QPoint pixel : {QPoint(300, 100), QPoint(500, 100), QPoint(400, 300)})
            w.clickAt(pixel);
        w.beginOrStop();

        // Counting starts and ends in the checker's timer events, which are
        // themselves left out. An error in a step would stop the run before
        // they were all counted: the test then runs into its time limit.
        const Experiment& experiment = w.window().experiment();
        Long start = -1;
        long framesBefore = 0;
        QEventLoop loop;
        QTimer checker;
        checker.setInterval(20);
        connect(&checker, &QTimer::timeout, [&] {
            if (start < 0 && experiment.count() >= kWarmUp) {
                start = experiment.count();
                framesBefore = app->frames;
                gAllocations = 0;
                gCounting = true;
            } else if (start >= 0 && experiment.count() - start >= kTicks) {
                gCounting = false;
                loop.quit();
            }
        });
        checker.start();
        loop.exec();
        w.beginOrStop();

        QVERIFY(app->frames > framesBefore);
        QCOMPARE(gAllocations, 0L);
    }
};

int main(int argc, char* argv[])
{
    tGuiThread = true;
    CountingApplication app(argc, argv);
    AllocationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AllocationTest.moc"
