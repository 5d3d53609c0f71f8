#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

class QCoreApplication;

namespace tarnelby {

// Reads the command line before any Qt application object exists, so that it
// needs no display. --help and --version print to standard output and give 0;
// an unknown option, a missing value or a stray argument prints one line
// naming it and the usage to standard error and gives 2. Qt's standard options
// (-platform, -style, -display, ...) are accepted and left in argv for
// QApplication. Returns the exit status when the program should end now, and
// nothing when it should go on to open its window.
std::optional<int> handleCommandLine(int argc, char* argv[]);

// Asks Qt's platform plugins for what suits a window that repaints a few
// pixels 60 times a second. Call it before creating the application: the
// plugins read it when they start.
inline void choosePlatformSettings()
{
    // A frame of a run hands the X server a few dozen pixels. Handed over in
    // shared memory, they make the next frame wait for the server before it
    // paints over them again (the dot counter's box, every frame): a round
    // trip a frame. Sent in the request itself, they need none.
    qputenv("QT_XCB_NO_MITSHM", "1");
}

// Makes SIGTERM, SIGINT and SIGHUP end `app`'s event loop with status 0, as a
// desktop session expects at logout, so that the program leaves through
// main() and every destructor runs. Call once, after creating `app`.
void quitOnTerminationSignals(QCoreApplication& app);

} // namespace tarnelby
