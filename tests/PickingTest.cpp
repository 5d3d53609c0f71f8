#include "WindowFixture.h"

#include "window/DrawingArea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

constexpr auto kReadMeClosed = WindowFixture::Panels::ReadMeClosed; // as a user starts

} // namespace

class PickingTest : public QObject {
    Q_OBJECT

private slots:
    void firstPointFillsRowOneAndDrawsItsCircle()
    {
        WindowFixture w(kReadMeClosed);
        w.clickAt({300, 100});
        QCOMPARE(w.xCaption(1), QString("4500"));
        QCOMPARE(w.yCaption(1), QString("1500"));
        const Experiment& s = w.window().experiment();
        QCOMPARE(s.point(1).x, Single{4500});
        QCOMPARE(s.point(1).y, Single{1500});
        QCOMPARE(s.pointCount(), 1);
        // A circle of radius 30 twips (2 pixels) round the point, not a disc.
        QCOMPARE(w.pixelAtTwips(4500 + 30, 1500), kWhiteRgb);
        QCOMPARE(w.pixelAtTwips(4500, 1500 - 30), kWhiteRgb);
        QCOMPARE(w.pixelAtTwips(4500, 1500), kBlackRgb);
        QVERIFY(w.errors.isEmpty());
    }

    void clicksFillRowsInOrderUpToTen()
    {
        WindowFixture w(kReadMeClosed);
        for (int i = 0; i < 3; ++i)
            w.clickAt({200 + 20 * i, 50 + 10 * i});
        QCOMPARE(w.window().experiment().pointCount(), 3);
        QCOMPARE(w.xCaption(2), QString("3300"));
        QCOMPARE(w.yCaption(3), QString("1050"));
        for (int row = 4; row <= 10; ++row) {
            QCOMPARE(w.xCaption(row), QString("none"));
            QCOMPARE(w.yCaption(row), QString("0"));
        }

        for (int i = 3; i < 10; ++i)
            w.clickAt({200 + 20 * i, 50 + 10 * i});
        QCOMPARE(w.window().experiment().pointCount(), 10);
        QCOMPARE(w.xCaption(10), QString("5700"));

        const QImage pictureBefore = w.window().drawingArea()->picture();
        w.clickAt({500, 300});
        QCOMPARE(w.window().experiment().pointCount(), 10);
        QCOMPARE(w.xCaption(10), QString("5700"));
        QCOMPARE(w.window().drawingArea()->picture(), pictureBefore);
        QVERIFY(w.errors.isEmpty());
    }

    void anyButtonAndModifierPicksAlike_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers();
        QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers();
        QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers();
        QTest::newRow("shift") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("ctrl+alt right")
            << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier);
    }

    void anyButtonAndModifierPicksAlike()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        WindowFixture w(kReadMeClosed);
        w.clickAt({300, 100}, button, modifiers);
        QCOMPARE(w.xCaption(1), QString("4500"));
        QCOMPARE(w.window().experiment().pointCount(), 1);
    }

    void theSameSpotTwiceFillsTwoRows()
    {
        WindowFixture w(kReadMeClosed);
        w.clickAt({300, 100});
        w.clickAt({300, 100});
        QCOMPARE(w.window().experiment().pointCount(), 2);
        QCOMPARE(w.xCaption(2), QString("4500"));
    }

    void onlyAReleaseOverTheVisibleDrawingAreaPicks()
    {
        WindowFixture w(kReadMeClosed);
        QWindow* native = w.window().windowHandle();
        const auto at = [&](QPoint pixel) { return w.window().drawingArea()->mapTo(&w.window(), pixel); };

        // Pressed in the drawing area, released over the control panel.
        QTest::mousePress(native, Qt::LeftButton, {}, at({300, 100}));
        QTest::mouseRelease(native, Qt::LeftButton, {}, at({50, 100}));
        // Pressed on the control panel, released in the drawing area.
        QTest::mousePress(native, Qt::LeftButton, {}, at({50, 100}));
        QTest::mouseRelease(native, Qt::LeftButton, {}, at({300, 100}));
        // On a label, a button's edge and the panel's frame.
        w.clickAt({60, 150});
        w.clickAt({20, 20});
        QCOMPARE(w.xCaption(1), QString("none"));
        QCOMPARE(w.window().experiment().pointCount(), 0);

        // Where the control panel was hidden, the drawing area picks.
        w.choose("controlPanelAction");
        w.clickAt({60, 150});
        QCOMPARE(w.xCaption(1), QString("900"));
        QCOMPARE(w.yCaption(1), QString("2250"));
    }

    // Tested where the release happened, before any rounding: at a device
    // pixel ratio of 3 a release lands a third of a pixel from a whole one.
    void aReleaseCountsWhereItHappened_data()
    {
        QTest::addColumn<QPointF>("pixel");
        QTest::addColumn<QString>("x"); // as the table shows it, "none" where nothing is picked
        QTest::addColumn<QString>("y");
        QTest::newRow("a third of a pixel left of the area") << QPointF(-1.0 / 3, 100) << "none" << "0";
        QTest::newRow("the last half pixel inside the right edge") << QPointF(609.5, 100) << "9142.5" << "1500";
        QTest::newRow("the last half pixel inside the bottom edge") << QPointF(300, 392.5) << "4500" << "5887.5";
        QTest::newRow("a quarter pixel past the right edge") << QPointF(610.25, 100) << "none" << "0";
        QTest::newRow("the last third of a pixel of the control panel") << QPointF(184.75, 100) << "none" << "0";
        QTest::newRow("the first pixel right of the control panel") << QPointF(185, 100) << "2775" << "1500";
    }

    void aReleaseCountsWhereItHappened()
    {
        QFETCH(QPointF, pixel);
        QFETCH(QString, x);
        QFETCH(QString, y);
        WindowFixture w(kReadMeClosed);
        DrawingArea* area = w.window().drawingArea();
        QCOMPARE(area->size(), QSize(610, 393));
        QMouseEvent release(QEvent::MouseButtonRelease, pixel, area->mapToGlobal(pixel), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &release);
        QCOMPARE(w.xCaption(1), x);
        QCOMPARE(w.yCaption(1), y);
        QCOMPARE(w.errors, QStringList{});
    }

    void aPositionBeyondSixteenBitsIsRefusedWhole()
    {
        WindowFixture w(kReadMeClosed);
        w.window().resize(2300, 500);
        QTRY_COMPARE(w.window().drawingArea()->width(), 2300);
        w.clickAt({300, 100});
        const QImage before = w.window().drawingArea()->picture();

        w.clickAt({2200, 100}); // 33000 twips
        QCOMPARE(w.errors.size(), 1);
        // Told in the pixels the user sees, with the twips for the record.
        for (const char* said : {"within 2184 pixels", "2200 pixels across", "33000"})
            QVERIFY2(w.errors.front().contains(said), qPrintable(w.errors.front()));
        QCOMPARE(w.xCaption(2), QString("none"));
        QCOMPARE(w.yCaption(2), QString("0"));
        QCOMPARE(w.window().experiment().pointCount(), 1);
        QCOMPARE(w.window().experiment().point(2).x, Single{0});
        QCOMPARE(w.window().drawingArea()->picture(), before);

        // The largest position that still fits is taken.
        w.clickAt({2184, 100}); // 32760 twips
        QCOMPARE(w.xCaption(2), QString("32760"));
        QCOMPARE(w.errors.size(), 1);
    }

    void afterClearTheNextClickFillsRowOneAgain()
    {
        WindowFixture w(kReadMeClosed);
        w.clickAt({300, 100});
        w.clickAt({400, 200});
        w.clear();
        w.clickAt({350, 150});
        QCOMPARE(w.xCaption(1), QString("5250"));
        QCOMPARE(w.xCaption(2), QString("none"));
        QCOMPARE(w.window().experiment().pointCount(), 1);
        QCOMPARE(w.window().experiment().point(2).x, Single{6000});
    }
};

QTEST_MAIN(PickingTest)
#include "PickingTest.moc"
