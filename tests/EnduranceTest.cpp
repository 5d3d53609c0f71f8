#include "WindowFixture.h"

#include "window/DrawingArea.h"

#include <QCoreApplication>
#include <QTest>

#include <fstream>
#include <unistd.h>

using namespace tarnelby;
using tarnelby::testing::WindowFixture;
using tarnelby::testing::kWhiteRgb;

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
    // Neither a million steps nor a drawing area of any size takes more
    // memory. Only the drawing area grows, inside a window of the usual size:
    // what counts is the program's own memory, not the platform's backing
    // store for a window that large.
    void memoryStaysBoundedThroughAMillionStepsAndEverySize()
    {
        constexpr int kSteps = 1'000'000;
        constexpr int kStepsBetweenFrames = 1000;
        constexpr long kBoundKiB = 80 * 1024;
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
        QTRY_COMPARE(w.counter(), QString::number(kSteps + kStepsBetweenFrames * 10));
        if (kMemoryIsMeasurable)
            QVERIFY2(grown < 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));

        DrawingArea* area = w.window().drawingArea();
        const QSize usual = area->size();
        area->plotDot({9000, 5000});
        for (const QSize size : {QSize(10000, 8000), usual, QSize(32767, 32767), QSize(3000, 200),
                                 QSize(200, 3000), usual}) {
            area->resize(size);
            QCoreApplication::processEvents();
            if (area->width() > 2200 && area->height() > 2200)
                area->plotDot({32767, 32767}); // the farthest a twip position reaches
        }
        const long resident = residentKiB();

        area->resize(2300, 2300);
        const QImage picture = area->picture();
        QCOMPARE(picture.pixel(600, 333) & 0xFFFFFF, kWhiteRgb);
        QCOMPARE(picture.pixel(2184, 2184) & 0xFFFFFF, kWhiteRgb);
        QCOMPARE(picture.pixel(2299, 2299) & 0xFFFFFF, tarnelby::testing::kBlackRgb);
        if (kMemoryIsMeasurable)
            QVERIFY2(resident < kBoundKiB, qPrintable(QString("%1 KiB resident").arg(resident)));
    }
};

QTEST_MAIN(EnduranceTest)
#include "EnduranceTest.moc"
