#pragma once

#include "window/DrawingArea.h"
#include "window/MainWindow.h"

#include <QImage>
#include <QStringList>

#include <memory>

class QPushButton;

namespace tarnelby::testing {

constexpr QRgb kWhiteRgb = 0xFFFFFF;
constexpr QRgb kBlackRgb = 0x000000;

// How many pixels of `image` are white.
int whitePixelsOf(const QImage& image);

// A clock that reads what the test sets.
class FixedClock final : public WallClock {
public:
    explicit FixedClock(Single reading) : reading_(reading) {}
    Single secondsSinceMidnight() override { return reading_; }

private:
    Single reading_;
};

// A MainWindow on the offscreen platform, active, with a fixed clock, a seeded
// generator and its error messages and notices collected instead of shown. By default it
// prints to a stand-in that keeps what it was given; it can print through
// the system's printing as the program does.
class WindowFixture {
public:
    enum class Panels { AsAtStart, ReadMeClosed, BothHidden };
    enum class Printing { StandIn, System };

    explicit WindowFixture(Panels panels = Panels::AsAtStart, Printing printing = Printing::StandIn);

    MainWindow& window() { return *window_; }

    QStringList errors;
    QStringList notices;
    int printCount = 0;
    QImage lastPrinted;
    PrintOutcome printOutcome = PrintOutcome::Printed;

    // Clicks at a pixel of the drawing area with real press and release events.
    void clickAt(QPoint pixel, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Clicks the button of that object name with the mouse.
    void clickButton(const QString& name);
    void beginOrStop() { clickButton(QStringLiteral("beginStopButton")); }
    void clear() { clickButton(QStringLiteral("clearButton")); }

    // Chooses the menu command of that object name.
    void choose(const QString& action);

    // Runs `steps` ticks of the run timer's handler, as the timer would.
    void tick(int steps);

    // Picks three points and presses "Begin": the run timer ticks from now on.
    void startRun();

    // How long the print under way took to end, and how many steps the run
    // took meanwhile.
    struct PrintPace {
        double seconds = 0;
        Long steps = 0;
    };
    // Runs the event loop until the print under way has ended or `timeoutMs`
    // has passed.
    PrintPace waitForPrint(int timeoutMs);

    // What the user reads: the caption of the label or button of that object name.
    QString caption(const QString& name) const;
    QString xCaption(int row) const { return caption(QStringLiteral("pointX%1").arg(row)); }
    QString yCaption(int row) const { return caption(QStringLiteral("pointY%1").arg(row)); }
    // The count the counter shows; a step's count shows at the next frame.
    QString counter() const { return caption(QStringLiteral("dotCounter")); }

    // The pixel of the drawing area's picture at a twips position.
    QRgb pixelAtTwips(int x, int y) const;

    // The window's widget of that object name, or null.
    QWidget* control(const QString& name) const { return window_->findChild<QWidget*>(name); }

    // The client area as it shows on screen: the drawing area with the panels over it.
    QImage screenshot() const { return window_->centralWidget()->grab().toImage(); }

    // How many pixels of the picture are white.
    int whitePixels() const { return whitePixelsOf(window_->drawingArea()->picture()); }

private:
    std::unique_ptr<MainWindow> window_;
};

} // namespace tarnelby::testing
