#include "WindowFixture.h"

#include "window/DrawingArea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

using Panels = WindowFixture::Panels;

// Each row of the table as it shows, "x y".
QStringList rowsOf(const WindowFixture& w)
{
    QStringList rows;
    for (int row = 1; row <= kMaxPoints; ++row)
        rows << w.xCaption(row) + ' ' + w.yCaption(row);
    return rows;
}

} // namespace

class PickingTest : public QObject {
    Q_OBJECT

private slots:
    // The same spot twice fills two rows; each point gets a circle of radius
    // 30 twips (2 pixels), not a disc; an eleventh click changes nothing.
    void clicksFillRowsInOrderUpToTen()
    {
        WindowFixture w(Panels::ReadMeClosed);
        w.clickAt({300, 100});
        QCOMPARE(w.pixelAtTwips(4500 + 30, 1500), kWhiteRgb);
        QCOMPARE(w.pixelAtTwips(4500, 1500 - 30), kWhiteRgb);
        QCOMPARE(w.pixelAtTwips(4500, 1500), kBlackRgb);
        w.clickAt({300, 100});
        w.clickAt({240, 70});
        QCOMPARE(rowsOf(w), QStringList({"4500 1500", "4500 1500", "3600 1050"}) + QStringList(7, "none 0"));

        for (int i = 3; i < 10; ++i)
            w.clickAt({200 + 20 * i, 50 + 10 * i});
        QCOMPARE(rowsOf(w).back(), QString("5700 2100"));
        const QStringList rows = rowsOf(w);
        const QImage pictureBefore = w.window().drawingArea()->picture();
        w.clickAt({500, 300});
        QCOMPARE(w.window().experiment().pointCount(), 10);
        QCOMPARE(rowsOf(w), rows);
        QCOMPARE(w.window().drawingArea()->picture(), pictureBefore);
        QVERIFY(w.errors.isEmpty());
    }

    // A press and a release at pixels of the drawing area, through the native
    // window: any button picks alike, but the panels and all on them swallow
    // the mouse.
    void onlyAReleaseOverTheVisibleDrawingAreaPicks_data()
    {
        QTest::addColumn<Panels>("panels");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("row1");
        const auto click = [](const char* name, Panels panels, QPoint pixel, const char* row1,
                              Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {}) {
            QTest::newRow(name) << panels << pixel << pixel << button << modifiers << QString(row1);
        };
        click("left", Panels::ReadMeClosed, {300, 100}, "4500 1500");
        click("right", Panels::ReadMeClosed, {300, 100}, "4500 1500", Qt::RightButton);
        click("middle", Panels::ReadMeClosed, {300, 100}, "4500 1500", Qt::MiddleButton);
        click("shift", Panels::ReadMeClosed, {300, 100}, "4500 1500", Qt::LeftButton, Qt::ShiftModifier);
        click("ctrl+alt right", Panels::ReadMeClosed, {300, 100}, "4500 1500", Qt::RightButton,
              Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("pressed in the area, released over the control panel")
            << Panels::ReadMeClosed << QPoint(300, 100) << QPoint(50, 100) << Qt::LeftButton
            << Qt::KeyboardModifiers() << "none 0";
        QTest::newRow("pressed on the control panel, released in the area")
            << Panels::ReadMeClosed << QPoint(50, 100) << QPoint(300, 100) << Qt::LeftButton
            << Qt::KeyboardModifiers() << "none 0";
        click("a label", Panels::ReadMeClosed, {60, 150}, "none 0");
        click("a button's edge", Panels::ReadMeClosed, {20, 20}, "none 0");
        click("where the control panel was hidden", Panels::BothHidden, {60, 150}, "900 2250");
        click("the strip above the Read Me panel", Panels::AsAtStart, {400, 0}, "6000 0");
        click("the control panel", Panels::AsAtStart, {10, 100}, "none 0");
        click("where the panels overlap", Panels::AsAtStart, {184, 200}, "none 0");
        click("the black of the Read Me panel", Panels::AsAtStart, {604, 200}, "none 0");
        click("the Read Me panel's picture", Panels::AsAtStart, {184 + 376 + 16, 1 + 88 + 16}, "none 0");
    }

    void onlyAReleaseOverTheVisibleDrawingAreaPicks()
    {
        QFETCH(Panels, panels);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, row1);
        WindowFixture w(panels);
        QWindow* native = w.window().windowHandle();
        const auto at = [&](QPoint pixel) { return w.window().drawingArea()->mapTo(&w.window(), pixel); };
        QTest::mousePress(native, button, modifiers, at(press));
        QTest::mouseRelease(native, button, modifiers, at(release));
        QCOMPARE(rowsOf(w).front(), row1);
        QCOMPARE(w.window().experiment().pointCount(), row1 == "none 0" ? 0 : 1);
        QCOMPARE(w.errors, QStringList{});
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
        WindowFixture w(Panels::ReadMeClosed);
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
        WindowFixture w(Panels::ReadMeClosed);
        w.window().resize(2300, 500);
        QTRY_COMPARE(w.window().drawingArea()->width(), 2300);
        w.clickAt({300, 100});
        const QImage before = w.window().drawingArea()->picture();

        w.clickAt({2200, 100}); // 33000 twips
        QCOMPARE(w.errors.size(), 1);
        // Told in the pixels the user sees, with the twips for the record.
        for (const char* said : {"within 2184 pixels", "2200 pixels across", "33000"})
            QVERIFY2(w.errors.front().contains(said), qPrintable(w.errors.front()));
        QCOMPARE(rowsOf(w)[1], QString("none 0"));
        QCOMPARE(w.window().drawingArea()->picture(), before);

        // The largest position that still fits is taken.
        w.clickAt({2184, 100}); // 32760 twips
        QCOMPARE(w.xCaption(2), QString("32760"));
        QCOMPARE(w.errors.size(), 1);
    }
};

QTEST_MAIN(PickingTest)
#include "PickingTest.moc"
