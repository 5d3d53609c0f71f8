#pragma once

namespace tarnelby {

// The display that Qt is about to show the window on, from before the
// application exists until Qt has opened it. Wherever the display cannot be
// used, the program says in one line on stderr which display and why, and ends
// with status 1, where Qt would abort:
//   tarnelby: cannot open the X display :55: no X server answers there
//   tarnelby: cannot use the Wayland display /run/user/1000/wayland-0: Qt's
//   Wayland support (package qt6-wayland) is not installed

// Opens the display that Qt will try, picked as Qt picks it from the command
// line (-platform, -display) and the environment (QT_QPA_PLATFORM,
// WAYLAND_DISPLAY, XDG_SESSION_TYPE, DISPLAY), and ends the process where none
// can be used; Qt's other platforms ("-platform offscreen") are left to Qt.
// From then on, holds Qt's messages back, and turns Qt's failure to start its
// platform into the one line and status 1.
void checkDisplay(int argc, char* argv[]);

// Call once, as soon as the application exists: lets the display go, as Qt
// holds a connection of its own now, and passes on the messages held back.
void displayOpened();

} // namespace tarnelby
