#include "WindowFixture.h"

#include "window/DrawingArea.h"
#include "window/RunTimer.h"

#include <QLineF>
#include <QPainter>
#include <QPolygon>
#include <QScreen>
#include <QTest>

#include <limits>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

constexpr auto kBothHidden = WindowFixture::Panels::BothHidden;

// White pixels of the picture inside `region` (pixels).
int whitePixelsIn(const QImage& picture, const QPolygon& region)
{
    QImage inside(picture.size(), QImage::Format_RGB32);
    inside.fill(Qt::black);
    QPainter painter(&inside);
    painter.setClipRegion(QRegion(region, Qt::OddEvenFill));
    painter.drawImage(0, 0, picture);
    return whitePixelsOf(inside);
}

// Counts the timer events that reach any object of the program while it lives.
class TimerEvents : public QObject {
public:
    TimerEvents() { QCoreApplication::instance()->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Timer ? 1 : 0;
        return false;
    }
};

} // namespace

class RunControlTest : public QObject {
    Q_OBJECT

private slots:
    void beginTwiceLeavesTheWindowIdle()
    {
        WindowFixture w(kBothHidden);
        w.beginOrStop();
        QTRY_VERIFY(w.window().experiment().count() > 20);
        w.beginOrStop();
        const Long stopped = w.window().experiment().count();
        QTest::qWait(50); // the screen catches up
        QCOMPARE(w.counter(), QString::number(stopped));
        // Nothing wakes an idle program: neither the run's timer nor the screen's frames.
        TimerEvents wakeUps;
        QTest::qWait(200);
        QCOMPARE(wakeUps.count, 0);
        QCOMPARE(w.window().experiment().count(), stopped);
    }

    // The run goes on, counting again from 0 and heading for the old first
    // point: its first nine steps plot nothing, the tenth lands one pixel
    // short of the point, the rest on it. A clear wipes the picture back to
    // how it started, and shows the count 0 also where no run is there to show it.
    void clearWhileRunningKeepsTheRunAndTheOldPoints()
    {
        WindowFixture w(kBothHidden);
        const QImage fresh = w.window().drawingArea()->picture();
        w.clickAt({300, 100});
        w.clickAt({500, 100});
        w.clickAt({400, 300});
        w.beginOrStop();
        QTRY_VERIFY(w.window().experiment().count() > 50);
        w.clear();
        QCOMPARE(w.window().drawingArea()->picture(), fresh);
        QTRY_VERIFY(w.window().experiment().count() > 30);
        w.beginOrStop();
        QCOMPARE(w.pixelAtTwips(4500, 1500), kWhiteRgb);
        QCOMPARE(w.whitePixels(), 2);
        w.clear();
        QCOMPARE(w.counter(), QString("0"));
    }

    // The third point, picked after a few steps of the run, joins the rolls.
    void threePointsLeaveTheMiddleTriangleEmpty()
    {
        WindowFixture w(kBothHidden);
        const QPoint a(100, 350), b(500, 350), c(300, 20);
        w.clickAt(a);
        w.clickAt(b);
        w.tick(30);
        w.clickAt(c);
        w.tick(20000 - 30);
        const QImage picture = w.window().drawingArea()->picture();
        QVERIFY(whitePixelsIn(picture, QPolygon({a, b, c})) > 3000);

        // The triangle of the side midpoints, its corners drawn 4 pixels in
        // towards its centre to allow for the rounding to whole twips and pixels.
        const QPoint ab = (a + b) / 2, bc = (b + c) / 2, ca = (c + a) / 2;
        const QPointF centre = QPointF(ab + bc + ca) / 3;
        QPolygon middle;
        for (QPoint corner : {ab, bc, ca}) {
            const QLineF towardsCentre(corner, centre);
            middle << towardsCentre.pointAt(4 / towardsCentre.length()).toPoint();
        }
        QCOMPARE(whitePixelsIn(picture, middle), 0);
    }

    // A frame hands the screen every dot drawn since the last one, also more
    // than a frame lists one by one, and the counter's new number, also one
    // as wide as the number before it.
    void eachFrameShowsTheNewDotsAndCount_data()
    {
        QTest::addColumn<int>("steps");
        QTest::newRow("a frame's worth") << 16;
        QTest::newRow("more than a frame lists") << 500;
    }

    void eachFrameShowsTheNewDotsAndCount()
    {
        QFETCH(int, steps);
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        MainWindow& window = w.window();
        QWidget* area = window.drawingArea();
        const auto onScreen = [&] {
            const QRect shown(area->mapTo(&window, QPoint()), area->size());
            return window.screen()->grabWindow(window.winId()).toImage().copy(shown).convertToFormat(QImage::Format_RGB32);
        };
        // The area as it holds its dots and the counter its number, with the panel on it.
        const auto held = [&] { return w.screenshot().convertToFormat(QImage::Format_RGB32); };
        w.clickAt({300, 100});
        w.clickAt({500, 300});
        w.tick(100);
        QTRY_COMPARE(onScreen(), held());
        const QImage before = onScreen();
        w.tick(steps);
        QTRY_VERIFY(onScreen() != before);
        QCOMPARE(onScreen(), held());
        QCOMPARE(w.counter(), QString::number(100 + steps));
    }

    void anErrorInTheStepStopsTheRunWithOneMessage()
    {
        WindowFixture w(kBothHidden);
        w.window().experiment() = Experiment(std::numeric_limits<Long>::max());
        w.clickAt({300, 100});
        w.beginOrStop();
        QTRY_COMPARE(w.caption("beginStopButton"), QString("Begin"));
        QTest::qWait(20); // a run still ticking would report the error again
        QCOMPARE(w.errors, QStringList{"Overflow in the chaos step"});
        QCOMPARE(w.counter(), QString("0"));
        QCOMPARE(w.window().experiment().count(), std::numeric_limits<Long>::max());
    }
};

QTEST_MAIN(RunControlTest)
#include "RunControlTest.moc"
