#pragma once

#include "experiment/ExperimentState.h"
#include "runtime/Clock.h"
#include "runtime/Numbers.h"
#include "runtime/Random.h"
#include "window/Printing.h"

#include <QMainWindow>

#include <functional>
#include <memory>

namespace tarnelby {

class ControlPanel;
class DrawingArea;
class ReadMePanel;
class RunTimer;

// What the window takes from its platform. Tests hand in a fixed clock, a
// seeded generator, and stand-ins for the message box and the printer.
struct Form1Services {
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    RandomGenerator generator;
    std::function<void(const QString& message)> reportError;          // default: a message box
    std::function<PrintOutcome(const QImage& picture)> printPicture;  // default: the system's printer
};

// The one window: the drawing area, the menu, the two panels, the run timer
// and the event handlers that tie them to the experiment. Every handler runs
// behind one error guard: a runtime error stops the handler where it arose,
// is shown once, and the program goes on.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Form1Services services = {}, QWidget* parent = nullptr);
    ~Form1() override;

    const ExperimentState& experiment() const { return state_; }
    ExperimentState& experiment() { return state_; }
    DrawingArea* drawingArea() const { return drawing_; }
    ControlPanel* Frame1() const { return frame1_; }
    ReadMePanel* Frame2() const { return frame2_; }
    RunTimer* Timer2() const { return timer2_; }

    // Centres the window on the screen and sets the experiment's start values.
    void Form_Load();
    // Enters a released mouse button's position (twips) in the next free row.
    void Form_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    void Command1_Click();  // "Begin" / "Stop"
    void Command2_Click();  // "CLEAR"
    void Command3_Click();  // "OK": hides the Read Me panel
    void Control_Click();   // shows or hides the control panel
    void help_Click();      // shows or hides the Read Me panel
    void print_Click();     // hides both panels and prints the picture
    void Timer2_Timer();    // one chaos step

private:
    void buildMenu();
    void stopRun();
    // Runs `handler`; a runtime error ends it there, `beforeReport` runs, and
    // the error is reported once as "<error> in <action>", e.g. "Overflow in
    // the chaos step".
    template <typename Handler, typename BeforeReport = void (*)()>
    void guarded(const char* action, Handler&& handler, BeforeReport&& beforeReport = [] {});

    Form1Services services_;
    ExperimentState state_;
    DrawingArea* drawing_ = nullptr;
    ControlPanel* frame1_ = nullptr;
    ReadMePanel* frame2_ = nullptr;
    RunTimer* timer2_ = nullptr;
};

} // namespace tarnelby
