#pragma once

namespace tarnelby {

// Where the environment names no platform to show the window on (DISPLAY,
// WAYLAND_DISPLAY and QT_QPA_PLATFORM all unset or empty), says on stderr in
// one line that the program needs a graphical display and ends the process
// with status 1. Call it before creating the application, which would
// otherwise abort.
void exitUnlessDisplayNamed();

} // namespace tarnelby
