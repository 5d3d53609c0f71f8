#include "WindowFixture.h"

#include "window/ControlPanel.h"
#include "window/DrawingArea.h"
#include "window/Geometry.h"

#include <QTest>

namespace tarnelby::testing {

WindowFixture::WindowFixture(std::uint64_t seed)
{
    Form1Services services;
    services.clock = std::make_unique<FixedClock>(43200.0f);
    services.generator = RandomGenerator(seed);
    services.reportError = [this](const QString& message) { errors << message; };
    services.printPicture = [this](const QImage& picture) {
        ++printCount;
        lastPrinted = picture;
        return printOutcome;
    };
    window_ = std::make_unique<Form1>(std::move(services));
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qFatal("The window was never shown");
}

void WindowFixture::clickAt(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    // Through the native window, so the toolkit finds the widget under the
    // pointer as it would for a user's click.
    const QPoint inWindow = window_->drawingArea()->mapTo(window_.get(), pixel);
    QTest::mouseClick(window_->windowHandle(), button, modifiers, inWindow);
}

void WindowFixture::tick(int steps)
{
    for (int i = 0; i < steps; ++i)
        window_->Timer2_Timer();
}

QString WindowFixture::xCaption(int row) const
{
    return window_->Frame1()->CoordinateTable.at(static_cast<std::size_t>(row - 1)).x->caption();
}

QString WindowFixture::yCaption(int row) const
{
    return window_->Frame1()->CoordinateTable.at(static_cast<std::size_t>(row - 1)).y->caption();
}

QRgb WindowFixture::pixelAtTwips(int x, int y) const
{
    return window_->drawingArea()->picture().pixel(toPixel({static_cast<double>(x), static_cast<double>(y)})) & 0xFFFFFF;
}

int WindowFixture::whitePixels() const
{
    const QImage picture = window_->drawingArea()->picture();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += (picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    return count;
}

QWidget* WindowFixture::control(const QString& name) const
{
    return window_->findChild<QWidget*>(name);
}

QImage WindowFixture::screenshot() const
{
    return window_->drawingArea()->grab().toImage();
}

} // namespace tarnelby::testing
