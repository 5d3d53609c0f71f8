#include "platform/DisplayCheck.h"
#include "program/Startup.h"
#include "window/MainWindow.h"
#include "window/PixelArt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const auto status = tarnelby::handleCommandLine(argc, argv))
        return *status;
    tarnelby::checkDisplay(argc, argv);
    tarnelby::choosePlatformSettings();
    QApplication app(argc, argv);
    tarnelby::displayOpened();
    tarnelby::quitOnTerminationSignals(app);
    QApplication::setApplicationName("Tarnelby");
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("org.example.Tarnelby");
    QApplication::setWindowIcon(tarnelby::programIcon());
    tarnelby::MainWindow window;
    window.show();
    return QApplication::exec();
}
