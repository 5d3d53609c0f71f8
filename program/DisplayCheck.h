#pragma once

namespace tarnelby {

// Where neither the environment (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM,
// each unset or empty) nor the command line ("-platform offscreen") names a
// platform to show the window on, says on stderr in one line that the
// program needs a graphical display and ends the process with status 1.
// Call it before creating the application, which would otherwise abort.
void exitUnlessDisplayNamed(int argc, char* argv[]);

} // namespace tarnelby
