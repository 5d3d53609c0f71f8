#pragma once

#include "platform/DisplayConnection.h"

namespace tarnelby {

// Opens, before the application exists, the display that Qt is about to show
// the window on, picked as Qt picks it from the command line (-platform,
// -display) and the environment (QT_QPA_PLATFORM, WAYLAND_DISPLAY,
// XDG_SESSION_TYPE, DISPLAY). Where none of the X11 or Wayland displays that
// Qt would try can be used, says on stderr in one line which and why, and
// ends the process with status 1, where creating the application would abort:
//   tarnelby: cannot open the X display :55: no X server answers there
// Qt's other platforms ("-platform offscreen") are left to Qt. Returns the
// open connection, empty where nothing was checked: close it once the
// application exists.
DisplayConnection openDisplayOrExit(int argc, char* argv[]);

} // namespace tarnelby
