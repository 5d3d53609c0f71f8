#include "WindowFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using tarnelby::testing::WindowFixture;

namespace {

xcb_connection_t* connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
    return {reply, &std::free};
}

// The window that holds `window` right below the root: the window manager's
// frame round it once it has been reparented, itself before.
xcb_window_t outermost(xcb_window_t window)
{
    for (;;) {
        const auto tree = owned(xcb_query_tree_reply(connection(), xcb_query_tree(connection(), window), nullptr));
        if (!tree || tree->parent == tree->root)
            return window;
        window = tree->parent;
    }
}

// The geometry on the screen, in device pixels, that the X server gives the
// outermost window round `window`: what the user sees of it.
QRect frameOnScreen(xcb_window_t window)
{
    const auto geometry = owned(
        xcb_get_geometry_reply(connection(), xcb_get_geometry(connection(), outermost(window)), nullptr));
    if (!geometry)
        return {};
    return {geometry->x, geometry->y, geometry->width + 2 * geometry->border_width,
            geometry->height + 2 * geometry->border_width};
}

} // namespace

// Runs on Xvfb under openbox: what only a real window manager shows.
class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void theWholeFrameIsCentredOnTheScreen()
    {
        QVERIFY(QGuiApplication::platformName() == "xcb");
        WindowFixture w;
        const auto window = static_cast<xcb_window_t>(w.window().winId());
        // The frame is there once the window manager has reparented the window.
        QTRY_VERIFY_WITH_TIMEOUT(outermost(window) != window, 10000);
        QTest::qWait(200); // and has settled on its place

        const QRect frame = frameOnScreen(window);
        const QScreen* screen = w.window().screen();
        const QSize screenPixels = screen->geometry().size() * screen->devicePixelRatio();
        const QPointF offset = QRectF(frame).center() - QRectF(QPointF(), QSizeF(screenPixels)).center();
        qInfo("frame %dx%d at (%d, %d) on a %dx%d screen: centre off by (%.1f, %.1f) device pixels",
              frame.width(), frame.height(), frame.x(), frame.y(), screenPixels.width(),
              screenPixels.height(), offset.x(), offset.y());
        QVERIFY2(frame.height() > w.window().height() * screen->devicePixelRatio(), "no title bar");
        QVERIFY(std::abs(offset.x()) <= 1.0);
        QVERIFY(std::abs(offset.y()) <= 1.0);
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
