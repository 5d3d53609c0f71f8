#include "WindowFixture.h"

#include "window/Geometry.h"

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QTest>

namespace tarnelby::testing {

namespace {

constexpr int kLookIntervalMs = 5;

} // namespace

WindowFixture::WindowFixture(Panels panels, Printing printing)
{
    WindowServices services;
    services.wallClock = std::make_unique<FixedClock>(43200.0f);
    services.generator = RandomGenerator(1);
    services.reportError = [this](const QString& message) { errors << message; };
    services.reportNotice = [this](const QString& message) { notices << message; };
    if (printing == Printing::StandIn)
        services.printPicture = [this](const QImage& picture, const PrintDone& done) {
            ++printCount;
            lastPrinted = picture;
            done({printOutcome, {}, {}});
        };
    window_ = std::make_unique<MainWindow>(std::move(services));
    window_->show();
    window_->activateWindow();
    if (!QTest::qWaitForWindowExposed(window_.get()) || !QTest::qWaitForWindowActive(window_.get()))
        qFatal("The window was never shown");
    if (panels != Panels::AsAtStart)
        clickButton(QStringLiteral("okButton"));
    if (panels == Panels::BothHidden)
        choose(QStringLiteral("controlPanelAction"));
}

void WindowFixture::clickAt(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    // Through the native window, so the toolkit finds the widget under the
    // pointer as it would for a user's click.
    const QPoint inWindow = window_->drawingArea()->mapTo(window_.get(), pixel);
    QTest::mouseClick(window_->windowHandle(), button, modifiers, inWindow);
}

void WindowFixture::clickButton(const QString& name)
{
    auto* button = window_->findChild<QAbstractButton*>(name);
    if (button == nullptr)
        qFatal("No button %s", qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowFixture::choose(const QString& action)
{
    auto* item = window_->findChild<QAction*>(action);
    if (item == nullptr)
        qFatal("No menu command %s", qPrintable(action));
    item->trigger();
}

void WindowFixture::tick(int steps)
{
    for (int i = 0; i < steps; ++i)
        window_->step();
}

void WindowFixture::startRun()
{
    for (const QPointF corner : {QPointF(600, 5400), QPointF(4575, 300), QPointF(8550, 5400)})
        window_->pickPoint(corner);
    beginOrStop();
}

WindowFixture::PrintPace WindowFixture::waitForPrint(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    const Long before = window_->experiment().count();
    // Not QTest::qWaitFor: it sleeps between its looks, and the run would
    // tick only then.
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (!window_->isPrinting() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    look.start(kLookIntervalMs);
    loop.exec();
    return {clock.nsecsElapsed() / 1e9, window_->experiment().count() - before};
}

QString WindowFixture::caption(const QString& name) const
{
    if (const auto* label = window_->findChild<const QLabel*>(name))
        return label->text();
    if (const auto* button = window_->findChild<const QAbstractButton*>(name))
        return button->text();
    qFatal("No label or button %s", qPrintable(name));
}

QRgb WindowFixture::pixelAtTwips(int x, int y) const
{
    return window_->drawingArea()->picture().pixel(toPixel({static_cast<double>(x), static_cast<double>(y)})) & 0xFFFFFF;
}

int whitePixelsOf(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == kWhiteRgb;
    return count;
}

} // namespace tarnelby::testing
