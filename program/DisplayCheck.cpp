#include "program/DisplayCheck.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace tarnelby {

namespace {

bool displayNamed(int argc, char* argv[])
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return true;
    }
    // Qt's own option, with one dash or two, followed by the platform's name.
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return false;
}

} // namespace

void exitUnlessDisplayNamed(int argc, char* argv[])
{
    if (displayNamed(argc, argv))
        return;
    std::fputs("tarnelby: needs a graphical display, but none is set (DISPLAY, WAYLAND_DISPLAY or "
               "QT_QPA_PLATFORM)\n",
               stderr);
    std::exit(EXIT_FAILURE);
}

} // namespace tarnelby
