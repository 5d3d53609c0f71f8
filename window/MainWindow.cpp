#include "window/MainWindow.h"

#include "window/Accessibility.h"
#include "window/ControlPanel.h"
#include "window/CoordinateTable.h"
#include "window/DrawingArea.h"
#include "window/Fonts.h"
#include "window/Geometry.h"
#include "window/PixelArt.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

#include <cmath>

namespace tarnelby {

namespace {

constexpr int kRunInterval = 1;  // ms
constexpr int kIdleInterval = 0;
const QString kPrintUnderWay = QStringLiteral("A print is already under way; no other was started.");

// Why a click was refused, in the pixels the user sees, with the twips it
// would have been for the record: "That point was not picked: points can be
// picked only within 2184 pixels of the drawing area's top-left corner,
// across and down, and it lies 2999 pixels across. (At (44985, 1500) twips it
// lies beyond -32768 to 32767.)"
QString refusalOf(Single x, Single y)
{
    const auto pixels = [](Single twipsValue) { return qRound(toPixelsF(twipsValue)); };
    QStringList beyond;
    if (!toInteger(x))
        beyond << QStringLiteral("%1 pixels across").arg(pixels(x));
    if (!toInteger(y))
        beyond << QStringLiteral("%1 pixels down").arg(pixels(y));
    return QStringLiteral("That point was not picked: points can be picked only within %1 pixels of the drawing "
                          "area's top-left corner, across and down, and it lies %2. (At (%3, %4) twips it lies "
                          "beyond -32768 to 32767.)")
        .arg(toPixels(twips::kLargestCoordinate))
        .arg(beyond.join(QStringLiteral(" and ")), twipsText(x), twipsText(y));
}

} // namespace

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QMainWindow(parent)
    , services_(std::move(services))
{
    if (!services_.reportError)
        services_.reportError = [this](const QString& message) {
            QMessageBox::critical(this, windowTitle(), message);
        };
    if (!services_.reportNotice)
        services_.reportNotice = [this](const QString& message) {
            QMessageBox::information(this, windowTitle(), message);
        };
    if (!services_.printPicture) {
        auto* printer = new SystemPrinter(this);
        services_.printPicture = [printer](const QImage& picture, PrintDone done) {
            printer->print(picture, std::move(done));
        };
    }

    voice_ = new Voice(this);
    setObjectName("mainWindow");
    setWindowTitle("Tarnelby");
    setWindowIcon(programIcon());
    setFont(sansSerif(FontSize::Small));

    // The menu first, so that the menu bar is read first.
    menuBar()->addAction("&Control", this, [this] { togglePanel(controlPanel_); })->setObjectName("controlPanelAction");
    menuBar()->addAction("&Print", this, &MainWindow::printPicture)->setObjectName("printAction");
    menuBar()->addAction("&Read Me !", this, [this] { togglePanel(readMePanel_); })->setObjectName("readMeAction");
    // The panels lie over the drawing area as its siblings, so that the
    // toolkit's own hit test, focus chain and accessibility tree hold.
    auto* client = new QWidget(this);
    setCentralWidget(client);
    controlPanel_ = new ControlPanel(client);
    readMePanel_ = new ReadMePanel(client);
    // Made last, so that Tab reaches it after every control on the panels;
    // stacked behind them.
    drawingArea_ = new DrawingArea(client);
    drawingArea_->lower();
    // The area fills the client area by hand: a layout would have every panel
    // shown or hidden lay the whole window out again.
    client->installEventFilter(this);
    runTimer_ = new RunTimer(this);

    connect(drawingArea_, &DrawingArea::clicked, this, &MainWindow::pickPoint);
    connect(controlPanel_, &ControlPanel::beginStopClicked, this, &MainWindow::toggleRun);
    connect(controlPanel_, &ControlPanel::clearClicked, this, &MainWindow::clearExperiment);
    connect(readMePanel_, &ReadMePanel::okClicked, this, &MainWindow::closeReadMe);
    connect(runTimer_, &RunTimer::timeout, this, &MainWindow::step);
    frames_.setTimerType(Qt::PreciseTimer);
    frames_.setInterval(kFrame);
    connect(&frames_, &QTimer::timeout, this, &MainWindow::showFrame);
    connect(drawingArea_, &DrawingArea::crosshairMoved, this,
            [this] { voice_->focusPart(drawingArea_, drawingArea_->spokenCrosshair()); });
    connect(drawingArea_, &DrawingArea::escapePressed, this, [this] { controlPanel_->setFocus(); });
    controlPanel_->setFocus();

    resize(toPixels(twips::kClientArea).size() + QSize(0, menuBar()->sizeHint().height()));
    startUp();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        drawingArea_->resize(centralWidget()->size());
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::startUp()
{
    // Where the compositor places every window, the program does not try.
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        const QMargins told = frame_.answer();
        centreOnScreen(told);
        // The native window is made now, already placed, so that the
        // first frame the window manager reports round it is heard.
        create();
        frame_.follow(*windowHandle(), [this, told](const QMargins& frame) {
            if (frame != told)
                centreOnScreen(frame);
        });
    }
}

void MainWindow::centreOnScreen(const QMargins& frame)
{
    const qreal ratio = devicePixelRatio();
    const QRect screenArea = screen()->geometry();
    // In device pixels, the window's size as the platform scales it.
    const QSize frameSize = (QSizeF(size()) * ratio).toSize().grownBy(frame);
    const QSizeF room = QSizeF(screenArea.size()) * ratio - QSizeF(frameSize);
    // The window can only be placed at whole logical pixels, each of which
    // lands on the device pixel it scales to: of the two either side of a
    // device position, the one that lands nearer.
    const auto nearest = [ratio](qreal devicePixels) {
        const int below = static_cast<int>(std::floor(devicePixels / ratio));
        const auto miss = [&](int logical) { return std::abs(qRound(logical * ratio) - devicePixels); };
        return miss(below + 1) < miss(below) ? below + 1 : below;
    };
    const QPoint topLeft = screenArea.topLeft() + QPoint(nearest(room.width() / 2), nearest(room.height() / 2));
    // Before it is shown, a window's position is its frame's; once shown,
    // only the native window places the frame to the device pixel.
    if (isVisible())
        windowHandle()->setFramePosition(topLeft);
    else
        move(topLeft);
}

void MainWindow::pickPoint(QPointF position)
{
    const Position at{static_cast<Single>(position.x()), static_cast<Single>(position.y())};
    const Pick picked = experiment_.pick(at);
    if (picked == Pick::OutOfRange)
        services_.reportError(refusalOf(at.x, at.y));
    if (picked != Pick::Stored)
        return;
    const int row = experiment_.pointCount();
    controlPanel_->table().showRow(row, at);
    drawingArea_->drawCircle({at.x, at.y}, twips::kMarkerRadius);
    voice_->announce(spokenRow(row, at));
}

void MainWindow::toggleRun()
{
    setRunning(!isRunning());
    if (isRunning()) {
        voice_->announce(QStringLiteral("Running; the button reads Stop."));
        return;
    }
    // The count told is the one the screen shows.
    controlPanel_->setDotCount(experiment_.count());
    voice_->announce(QStringLiteral("Stopped. ") + spokenCount(experiment_.count()));
}

void MainWindow::setRunning(bool running)
{
    controlPanel_->setRunning(running);
    runTimer_->setInterval(running ? kRunInterval : kIdleInterval);
}

void MainWindow::clearExperiment()
{
    drawingArea_->wipe();
    controlPanel_->table().clear();
    experiment_.clear();
    controlPanel_->setDotCount(experiment_.count());
    voice_->announce(QStringLiteral("Cleared: no points, no drawing. ") + spokenCount(experiment_.count()));
}

void MainWindow::togglePanel(QWidget* panel)
{
    if (panel->isHidden())
        panel->setVisible(true);
    else
        hidePanel(panel);
}

void MainWindow::hidePanel(QWidget* panel)
{
    QWidget* focus = QApplication::focusWidget();
    // The focus that "OK" held goes back to "Begin", not on to the drawing area.
    if (panel == readMePanel_ && panel->isAncestorOf(focus) && controlPanel_->isVisible()) {
        controlPanel_->setFocus();
    } else if (panel->isAncestorOf(focus)) {
        const auto takesTab = [panel](const QWidget* w) {
            return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !panel->isAncestorOf(w);
        };
        QWidget* next = focus->nextInFocusChain();
        while (next != focus && !takesTab(next))
            next = next->nextInFocusChain();
        next->setFocus(Qt::OtherFocusReason);
    }
    panel->setVisible(false);
}

void MainWindow::printPicture()
{
    hidePanel(controlPanel_);
    hidePanel(readMePanel_);
    if (printPending_) {
        services_.reportNotice(kPrintUnderWay);
        return;
    }
    printPending_ = true;
    services_.printPicture(drawingArea_->picture(), [this](const PrintResult& result) {
        printPending_ = false;
        tellPrintResult(result);
    });
}

void MainWindow::tellPrintResult(const PrintResult& result)
{
    const QString server = QStringLiteral("the print server %1").arg(result.server);
    const QString target =
        result.printer.isEmpty() ? server : QStringLiteral("the printer %1 on %2").arg(result.printer, server);
    switch (result.outcome) {
    case PrintOutcome::Printed:
    case PrintOutcome::Cancelled:
        return;
    case PrintOutcome::Queued:
        return services_.reportNotice(QStringLiteral("The picture waits in the queue of the printer %1, which is "
                                                     "paused; it prints once the queue is resumed.")
                                          .arg(result.printer));
    case PrintOutcome::NoPrinter:
        return services_.reportError(QStringLiteral("No printer was found: nothing was printed."));
    case PrintOutcome::Failed:
        return services_.reportError(QStringLiteral("Printer error in printing"));
    case PrintOutcome::Unanswered:
        return services_.reportError(QStringLiteral("No answer from %1 within %2 seconds: nothing was printed.")
                                         .arg(target)
                                         .arg(SystemPrinter::kAnswerTimeout.count()));
    case PrintOutcome::Unreachable:
        return services_.reportError(QStringLiteral("Cannot reach %1: nothing was printed.").arg(server));
    }
}

void MainWindow::step()
{
    try {
        if (experiment_.step(services_.wallClock->secondsSinceMidnight(), services_.generator))
            drawingArea_->plotDot({experiment_.x(), experiment_.y()});
    } catch (const Overflow& error) {
        // Stopped first, so that the error is not raised again every millisecond.
        setRunning(false);
        services_.reportError(QStringLiteral("%1 in the chaos step").arg(QString::fromUtf8(error.what())));
        return;
    }
    stepped_ = true;
    if (!frames_.isActive())
        frames_.start();
}

void MainWindow::showFrame()
{
    if (!stepped_) {
        frames_.stop();
        return;
    }
    stepped_ = false;
    drawingArea_->showNewDots();
    controlPanel_->setDotCount(experiment_.count());
}

} // namespace tarnelby
