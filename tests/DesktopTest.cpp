#include "WindowFixture.h"

#include "platform/WindowFrame.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

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

// How far the centre of what the user sees of the window, frame included,
// lies from the centre of its screen, in device pixels.
QPointF offCentre(const QWidget& widget)
{
    const QRect frame = frameOnScreen(static_cast<xcb_window_t>(widget.winId()));
    const QScreen* screen = widget.screen();
    const QSizeF screenPixels = QSizeF(screen->geometry().size()) * screen->devicePixelRatio();
    return QRectF(frame).center() - QRectF(QPointF(), screenPixels).center();
}

bool centredOnScreen(const QWidget& widget)
{
    const QPointF offset = offCentre(widget);
    return std::abs(offset.x()) <= 1.0 && std::abs(offset.y()) <= 1.0;
}

QString placementOf(const QWidget& widget)
{
    const QRect frame = frameOnScreen(static_cast<xcb_window_t>(widget.winId()));
    const QPointF offset = offCentre(widget);
    return QString("frame %1x%2 at (%3, %4): centre off by (%5, %6) device pixels")
        .arg(frame.width())
        .arg(frame.height())
        .arg(frame.x())
        .arg(frame.y())
        .arg(offset.x())
        .arg(offset.y());
}

// Far less than a window manager that never answers would hold a window
// that waits for it, far more than building and showing the window takes.
constexpr int kPromptShowMs = 250;
constexpr int kSettleMs = 5000;

} // namespace

// Runs on Xvfb under openbox, which tells a window's frame before mapping or,
// as some window managers do, only after; and on a screen whose window
// manager lists the request for the frame but never answers it.
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
        QTRY_VERIFY2_WITH_TIMEOUT(centredOnScreen(w.window()), qPrintable(placementOf(w.window())), kSettleMs);
        qInfo("%s", qPrintable(placementOf(w.window())));
        QVERIFY2(frameOnScreen(window).height() > w.window().height() * w.window().devicePixelRatio(),
                 "no title bar");
    }

    // So that the window is placed once, before it is shown.
    void theWindowManagerTellsTheFrameBeforeMapping()
    {
        WindowFixture w;
        const auto window = static_cast<xcb_window_t>(w.window().winId());
        QTRY_VERIFY_WITH_TIMEOUT(outermost(window) != window, 10000);
        const tarnelby::FrameQuery query(*w.window().screen());
        QTRY_VERIFY(query.answer().has_value());
        QCOMPARE(*query.answer(), w.window().windowHandle()->frameMargins());
    }

    void theWindowShowsWithoutWaitingForItsFrame()
    {
        QVERIFY(QGuiApplication::platformName() == "xcb");
        const WindowFixture first; // what the first window alone costs (fonts, styles) is not timed
        QElapsedTimer shown;
        shown.start();
        WindowFixture w;
        const qint64 elapsedMs = shown.elapsed();
        qInfo("shown after %lld ms", elapsedMs);
        QVERIFY(elapsedMs < kPromptShowMs);
        QTRY_VERIFY2_WITH_TIMEOUT(centredOnScreen(w.window()), qPrintable(placementOf(w.window())), kSettleMs);
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
