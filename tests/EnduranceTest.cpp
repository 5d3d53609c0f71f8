#include "WindowFixture.h"

#include <QCoreApplication>
#include <QTest>

#include <fstream>
#include <unistd.h>

using namespace tarnelby;
using tarnelby::testing::WindowFixture;

namespace {

long residentKiB()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeasurable = false; // the sanitizer holds freed memory back on purpose
#else
constexpr bool kMemoryIsMeasurable = true;
#endif

} // namespace

class EnduranceTest : public QObject {
    Q_OBJECT

private slots:
    void aMillionStepsKeepMemoryFlat()
    {
        constexpr int kSteps = 1'000'000;
        constexpr int kStepsBetweenFrames = 1000;
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        w.clickAt({300, 100});
        w.clickAt({500, 100});
        w.clickAt({400, 300});

        w.tick(kStepsBetweenFrames * 10); // let every cache and buffer reach its size
        QCoreApplication::processEvents();
        const long before = residentKiB();
        for (int done = 0; done < kSteps; done += kStepsBetweenFrames) {
            w.tick(kStepsBetweenFrames);
            QCoreApplication::processEvents();
        }
        const long grown = residentKiB() - before;

        QCOMPARE(w.window().experiment().DotCount, Long{kSteps + kStepsBetweenFrames * 10});
        QCOMPARE(w.counter(), QString::number(kSteps + kStepsBetweenFrames * 10));
        QVERIFY(w.errors.isEmpty());
        if (kMemoryIsMeasurable)
            QVERIFY2(grown < 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
    }
};

QTEST_MAIN(EnduranceTest)
#include "EnduranceTest.moc"
