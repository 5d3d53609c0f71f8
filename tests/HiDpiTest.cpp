#include "WindowFixture.h"

#include "window/DrawingArea.h"
#include "window/PixelArt.h"

#include <QBackingStore>
#include <QLabel>
#include <QTest>

#include <cmath>

using namespace tarnelby;
using namespace tarnelby::testing;

// Run at device pixel ratios of 1, 1.25, 1.5 and 2.
class HiDpiTest : public QObject {
    Q_OBJECT

private slots:
    // What the screen shows of the area after the crosshair moved about, a
    // place at a time: the crosshair where it stands, as the area paints
    // itself afresh, and nothing where it stood before.
    void theCrosshairLeavesNoTrail()
    {
        WindowFixture w(WindowFixture::Panels::BothHidden);
        DrawingArea* area = w.window().drawingArea();
        area->setFocus();
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down}) {
            for (int i = 0; i < 8; ++i) {
                QTest::keyClick(area, key, Qt::ShiftModifier);
                QCoreApplication::processEvents(); // each place shown in turn
            }
        }

        // The offscreen platform paints the window into an image: the screen.
        const QPaintDevice* screen = w.window().backingStore()->paintDevice();
        QCOMPARE(screen->devType(), int(QInternal::Image));
        const qreal ratio = area->devicePixelRatioF();
        const QRect areaOnScreen(QPointF(area->mapTo(&w.window(), QPoint()) * ratio).toPoint(),
                                 QSizeF(area->size() * ratio).toSize());
        const QImage shown = static_cast<const QImage*>(screen)->copy(areaOnScreen);
        const QImage fresh = area->grab().toImage();
        // At a fractional ratio the area's origin on screen falls between
        // device pixels, so the two may differ by where a pixel falls, not by how many.
        QCOMPARE(whitePixelsOf(shown), whitePixelsOf(fresh));
    }

    void circlesAreDrawnAtTheScreensResolutionAndDotsStayOnePixelOfTheArea()
    {
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        DrawingArea* area = w.window().drawingArea();
        if (area->devicePixelRatioF() != 2.0)
            QSKIP("drawn for a device pixel ratio of 2");
        w.clickAt({300, 100}); // a circle of radius 2 pixels of the area, 4 of the screen
        area->plotDot(QPoint(400, 300) * 15);
        const QImage picture = area->picture();
        const auto white = [&](int x, int y) { return (picture.pixel(x, y) & 0xFFFFFF) == kWhiteRgb; };
        QVERIFY(white(604, 200) && !white(605, 200) && !white(603, 200)); // a ring one device pixel wide
        QCOMPARE(QList<bool>({white(800, 600), white(801, 600), white(800, 601), white(801, 601)}),
                 QList<bool>(4, true));
        QVERIFY(!white(802, 600) && !white(800, 602) && !white(799, 600) && !white(800, 599));
    }

    // Shown pixel for pixel as drawn, each pixel a square of device pixels.
    void pixelArtIsEnlargedWithoutSmoothing()
    {
        WindowFixture w;
        const qreal ratio = w.window().devicePixelRatioF();
        if (ratio != std::round(ratio))
            QSKIP("drawn for whole device pixel ratios");
        const auto enlarged = [ratio](const QImage& drawn, QImage::Format format) {
            return drawn.scaled(drawn.size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .convertToFormat(format);
        };
        const auto* picture = qobject_cast<const QLabel*>(w.control("picture"));
        QImage shown = w.control("readMePanel")->grab(picture->geometry()).toImage();
        shown.setDevicePixelRatio(1);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 enlarged(picture->pixmap().toImage(), QImage::Format_RGB32));

        QImage iconShown = programIcon().pixmap(QSize(32, 32), ratio).toImage();
        iconShown.setDevicePixelRatio(1);
        QCOMPARE(iconShown.convertToFormat(QImage::Format_ARGB32),
                 enlarged(programIcon().pixmap(QSize(32, 32), 1.0).toImage(), QImage::Format_ARGB32));
    }
};

QTEST_MAIN(HiDpiTest)
#include "HiDpiTest.moc"
