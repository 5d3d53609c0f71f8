#include "WindowFixture.h"

#include "window/DrawingArea.h"
#include "window/RunTimer.h"

#include <QLineF>
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
    int count = 0;
    const QRect box = region.boundingRect().intersected(picture.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) == kWhiteRgb
                && region.containsPoint({x, y}, Qt::OddEvenFill))
                ++count;
    return count;
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
    void startUpCentresTheWindowAndSetsTheStartValues()
    {
        WindowFixture w;
        const Experiment& s = w.window().experiment();
        QCOMPARE(s.x(), Integer{2000});
        QCOMPARE(s.y(), Integer{2000});
        QCOMPARE(s.count(), Long{0});
        QCOMPARE(s.pointCount(), 0);
        QCOMPARE(w.window().runTimer()->interval(), 0);
        QCOMPARE(w.caption("beginStopButton"), QString("Begin"));
        const QRect screen = w.window().screen()->geometry();
        // Centred as laid out; the window frame the platform adds on showing may shift it a little.
        const QPoint offset = w.window().frameGeometry().center() - screen.center();
        QVERIFY2(std::abs(offset.x()) <= 3 && std::abs(offset.y()) <= 3,
                 qPrintable(QString("%1, %2").arg(offset.x()).arg(offset.y())));
    }

    void beginTwiceLeavesTheWindowIdle()
    {
        WindowFixture w(kBothHidden);
        w.beginOrStop();
        QCOMPARE(w.caption("beginStopButton"), QString("Stop"));
        QCOMPARE(w.window().runTimer()->interval(), 1);
        QTRY_VERIFY(w.window().experiment().count() > 20);
        w.beginOrStop();
        QCOMPARE(w.caption("beginStopButton"), QString("Begin"));
        QCOMPARE(w.window().runTimer()->interval(), 0);
        const Long stopped = w.window().experiment().count();
        QTest::qWait(50); // the screen catches up
        QCOMPARE(w.window().experiment().count(), stopped);
        QCOMPARE(w.counter(), QString::number(stopped));
        // Nothing wakes an idle program: neither the run's timer nor the screen's frames.
        TimerEvents wakeUps;
        QTest::qWait(200);
        QCOMPARE(wakeUps.count, 0);
    }

    void beginBeforeAnyClickCollectsDotsAtTheOrigin()
    {
        WindowFixture w(kBothHidden);
        w.tick(9);
        QTRY_COMPARE(w.counter(), QString("9"));
        QCOMPARE(w.pixelAtTwips(2, 2), QRgb{0});
        w.tick(1);
        QCOMPARE(w.pixelAtTwips(2, 2), kWhiteRgb);
        w.tick(20);
        QTRY_COMPARE(w.counter(), QString("30"));
        QCOMPARE(w.window().experiment().x(), Integer{0});
        QCOMPARE(w.whitePixels(), 1);
    }

    void clearWhileRunningKeepsTheRunAndTheOldPoints()
    {
        WindowFixture w(kBothHidden);
        w.clickAt({300, 100});
        w.clickAt({500, 100});
        w.clickAt({400, 300});
        w.beginOrStop();
        QTRY_VERIFY(w.window().experiment().count() > 50);
        w.clear();
        QCOMPARE(w.caption("beginStopButton"), QString("Stop"));
        QCOMPARE(w.window().runTimer()->interval(), 1);
        for (int row = 1; row <= 10; ++row) {
            QCOMPARE(w.xCaption(row), QString("none"));
            QCOMPARE(w.yCaption(row), QString("0"));
        }
        const Experiment& s = w.window().experiment();
        QCOMPARE(s.pointCount(), 0);
        QCOMPARE(s.point(3).x, Single{6000});
        QCOMPARE(w.whitePixels(), 0);
        // The run goes on, counting again from 0 and heading for the old first point.
        QTRY_VERIFY(s.count() > 30);
        w.beginOrStop();
        // The first dot of the new run lands one pixel short of the point, the rest on it.
        QCOMPARE(w.pixelAtTwips(4500, 1500), kWhiteRgb);
        QCOMPARE(w.whitePixels(), 2);
    }

    void clearOnAFreshWindowChangesNothingVisible()
    {
        WindowFixture w(kBothHidden);
        const QImage before = w.window().drawingArea()->picture();
        w.clear();
        QCOMPARE(w.window().drawingArea()->picture(), before);
        QCOMPARE(w.counter(), QString("0"));
        QCOMPARE(w.window().experiment().x(), Integer{2000});
    }

    void threePointsLeaveTheMiddleTriangleEmpty()
    {
        WindowFixture w(kBothHidden);
        const QPoint a(100, 350), b(500, 350), c(300, 20);
        for (QPoint p : {a, b, c})
            w.clickAt(p);
        w.tick(20000);
        QTRY_COMPARE(w.counter(), QString("20000"));
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

    void aPointPickedDuringARunJoinsTheRolls()
    {
        WindowFixture w(kBothHidden);
        w.clickAt({100, 100});
        w.tick(30);
        QCOMPARE(w.window().experiment().x(), Integer{1500});
        w.clickAt({500, 300});
        w.tick(200);
        // Half-way to the new point, and beyond, the run has plotted dots.
        const QImage picture = w.window().drawingArea()->picture();
        QVERIFY(whitePixelsIn(picture, QPolygon(QRect(350, 150, 160, 160))) > 10);
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
        QCOMPARE(w.window().runTimer()->interval(), 0);
        QTest::qWait(20);
        QCOMPARE(w.errors, QStringList{"Overflow in the chaos step"});
        QCOMPARE(w.counter(), QString("0"));
        QCOMPARE(w.window().experiment().count(), std::numeric_limits<Long>::max());
    }
};

QTEST_MAIN(RunControlTest)
#include "RunControlTest.moc"
