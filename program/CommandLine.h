#pragma once

#include <optional>

namespace tarnelby {

// Reads the command line before any Qt application object exists, so that it
// needs no display. --help and --version print to standard output and give 0;
// an unknown option, a missing value or a stray argument prints one line
// naming it and the usage to standard error and gives 2. Qt's standard options
// (-platform, -style, -display, ...) are accepted and left in argv for
// QApplication. Returns the exit status when the program should end now, and
// nothing when it should go on to open its window.
std::optional<int> handleCommandLine(int argc, char* argv[]);

} // namespace tarnelby
