#pragma once

#include "window/Form1.h"

#include <QImage>
#include <QStringList>

#include <memory>

namespace tarnelby::testing {

// A clock that reads what the test sets.
class FixedClock final : public Clock {
public:
    explicit FixedClock(Single reading) : reading_(reading) {}
    Single Timer() override { return reading_; }

private:
    Single reading_;
};

// A Form1 on the offscreen platform with a fixed clock, a seeded generator,
// its error messages collected instead of shown, and a printer stand-in that
// keeps what it was given.
class WindowFixture {
public:
    explicit WindowFixture(std::uint64_t seed = 1);

    Form1& window() { return *window_; }

    QStringList errors;
    int printCount = 0;
    QImage lastPrinted;
    PrintOutcome printOutcome = PrintOutcome::Printed;

    // Clicks at a pixel of the drawing area with real press and release events.
    void clickAt(QPoint pixel, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Runs `steps` ticks of the run timer's handler, as the timer would.
    void tick(int steps);

    // The captions of row k (1..10) of the coordinate table.
    QString xCaption(int row) const;
    QString yCaption(int row) const;

    // The pixel of the drawing area's picture at a twips position.
    QRgb pixelAtTwips(int x, int y) const;

    // The window's control of that object name, or null.
    QWidget* control(const QString& name) const;

    // The client area as it shows on screen: the drawing area with the panels over it.
    QImage screenshot() const;

    // How many pixels of the picture are white.
    int whitePixels() const;

private:
    std::unique_ptr<Form1> window_;
};

} // namespace tarnelby::testing
