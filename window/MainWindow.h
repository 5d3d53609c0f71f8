#pragma once

#include "experiment/Experiment.h"
#include "platform/WindowFrame.h"
#include "runtime/Runtime.h"
#include "window/Printing.h"
#include "window/ReadMePanel.h"
#include "window/RunTimer.h"

#include <QMainWindow>
#include <QMargins>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

namespace tarnelby {

class ControlPanel;
class DrawingArea;
class Voice;

// What the window takes from its platform. Tests hand in a fixed clock, a
// seeded generator, and stand-ins for the message boxes and the printer.
struct WindowServices {
    std::unique_ptr<WallClock> wallClock = std::make_unique<SystemWallClock>();
    RandomGenerator generator;
    std::function<void(const QString& message)> reportError;   // default: an error box
    std::function<void(const QString& message)> reportNotice;  // default: an information box
    // Prints the picture and calls `done` once, at once or later on the GUI
    // thread, with the outcome. Default: the system's printer.
    std::function<void(const QImage& picture, PrintDone done)> printPicture;
};

// The one window: the drawing area, the menu, the two panels, the run timer
// and the handlers that tie them to the experiment. Clicks and ticks go to the
// experiment, and from there to the table, the picture and the counter; the
// screen shows the steps' dots and count once a frame.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The screen shows what the steps changed at most this often.
    static constexpr std::chrono::milliseconds kFrame{16};

    explicit MainWindow(WindowServices services = {}, QWidget* parent = nullptr);

    const Experiment& experiment() const { return experiment_; }
    Experiment& experiment() { return experiment_; }
    bool isRunning() const { return runTimer_->interval() != 0; }
    bool isPrinting() const { return printPending_; }
    DrawingArea* drawingArea() const { return drawingArea_; }
    ControlPanel* controlPanel() const { return controlPanel_; }
    ReadMePanel* readMePanel() const { return readMePanel_; }
    RunTimer* runTimer() const { return runTimer_; }

    // Centres the window, frame included, on the screen (except on Wayland,
    // where the compositor places it).
    // Where the first frame the window manager reports round the window is
    // not the one it told beforehand, the window is centred again then, once.
    void startUp();
    // Stores a position of the drawing area (twips) in the experiment's next
    // row, shows it in the table and draws its circle; with all rows used,
    // nothing; beyond 16-bit twips, an error message and nothing else.
    void pickPoint(QPointF position);
    void toggleRun();           // "Begin" / "Stop"
    void clearExperiment();     // "CLEAR": wipes the drawing, frees the table, resets the state
    void closeReadMe() { hidePanel(readMePanel_); } // "OK"
    // Hides both panels and starts printing the picture; while a print is
    // under way, says so and starts no other.
    void printPicture();
    // One chaos step, on each tick of the run timer. Its error stops the run
    // and is reported once: "Overflow in the chaos step".
    void step();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Centres the window with `frame` round it (device pixels) on its screen,
    // to the nearest device pixel it can be placed at.
    void centreOnScreen(const QMargins& frame);
    void setRunning(bool running);
    void togglePanel(QWidget* panel); // "&Control", "&Read Me !"
    // Hides `panel`. Where it holds the focus, the focus moves on as Tab
    // would move it, but as the program's move, not the keyboard's: the
    // drawing area shows no crosshair for it. From the Read Me panel it goes
    // back to "Begin" where that is shown.
    void hidePanel(QWidget* panel);
    // Tells the user how a print ended, where there is anything to tell.
    void tellPrintResult(const PrintResult& result);
    // Shows the dots and the count of the steps since the last frame; after
    // a frame without steps, the frames stop until the next step.
    void showFrame();

    WindowServices services_;
    Experiment experiment_;
    bool printPending_ = false;
    DrawingArea* drawingArea_ = nullptr;
    ControlPanel* controlPanel_ = nullptr;
    ReadMePanel* readMePanel_ = nullptr;
    RunTimer* runTimer_ = nullptr;
    QTimer frames_;
    bool stepped_ = false; // since the last frame
    Voice* voice_ = nullptr;
    // Asked before the window is built, so that the window manager answers
    // meanwhile; read when it is placed.
    WindowFrame frame_;
};

} // namespace tarnelby
